// Game controllers through SDL's game-controller API, whose mapping database
// gives every known pad the same button names. Pads come and go while the
// game runs; each keeps its own buttons and stick, and the keys they press
// are the union over all pads.
#include "gamepads.h"

#include "dinput.h"
#include "sdl_display.h"
#include "testcontrol.h"

namespace {

struct ButtonKey {
    int button;
    int dik;
};

const ButtonKey kButtonKeys[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, DIK_UP},     {SDL_CONTROLLER_BUTTON_DPAD_DOWN, DIK_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, DIK_LEFT}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, DIK_RIGHT},
    {SDL_CONTROLLER_BUTTON_START, DIK_P},        {SDL_CONTROLLER_BUTTON_BACK, DIK_ESCAPE},
};

// Half deflection: a stick at rest, or a worn one that drifts, presses
// nothing, and a push that means it is never mistaken for the other way.
const int kDeadZone = 16384;

void AddStickKeys(std::uint8_t* keys, int value, int lessDik, int moreDik)
{
    if (value < -kDeadZone)
        keys[lessDik] = 0x80;
    else if (value > kDeadZone)
        keys[moreDik] = 0x80;
}

} // namespace

namespace platform {

GamePads::GamePads()
{
    // Without the subsystem the keyboard still works: no pads is all it means.
    if (testcontrol::ConsumeFailure(testcontrol::Failure::InitGameControllers) || SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        return;
    m_bStarted = true;
    // Pads plugged in before we started announce themselves only to the
    // first to start the subsystem: ask for them instead.
    for (int index = 0; index < SDL_NumJoysticks(); ++index)
        Open(index);
    m_iListener = AddEventListener([this](const SDL_Event& event) { OnEvent(event); });
}

GamePads::~GamePads()
{
    if (!m_bStarted)
        return;
    RemoveEventListener(m_iListener);
    while (!m_kPads.empty())
        Close(m_kPads.begin()->first);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void GamePads::ReleaseAll()
{
    for (auto& pad : m_kPads) {
        pad.second.buttons = 0;
        pad.second.stickX = 0;
        pad.second.stickY = 0;
    }
}

void GamePads::AddHeldKeys(std::uint8_t* keys) const
{
    for (const auto& pad : m_kPads) {
        for (const ButtonKey& key : kButtonKeys) {
            if (pad.second.buttons & (1u << key.button))
                keys[key.dik] = 0x80;
        }
        AddStickKeys(keys, pad.second.stickX, DIK_LEFT, DIK_RIGHT);
        AddStickKeys(keys, pad.second.stickY, DIK_UP, DIK_DOWN); // SDL's Y grows downwards
    }
}

void GamePads::OnEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        Open(event.cdevice.which); // a device index here
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        Close(event.cdevice.which); // an instance id here
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (event.cbutton.button < 32) {
            std::uint32_t bit = 1u << event.cbutton.button;
            Pad& pad = m_kPads[event.cbutton.which];
            pad.buttons = event.type == SDL_CONTROLLERBUTTONDOWN ? pad.buttons | bit : pad.buttons & ~bit;
        }
        break;
    case SDL_CONTROLLERAXISMOTION:
        if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
            m_kPads[event.caxis.which].stickX = event.caxis.value;
        else if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
            m_kPads[event.caxis.which].stickY = event.caxis.value;
        break;
    default:
        break;
    }
}

void GamePads::Open(int deviceIndex)
{
    if (!SDL_IsGameController(deviceIndex))
        return;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller)
        return;
    Pad& pad = m_kPads[SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller))];
    // A pad found at start-up also announces itself: SDL counts every open,
    // and one close balances the second.
    if (pad.controller)
        SDL_GameControllerClose(controller);
    else
        pad.controller = controller;
}

void GamePads::Close(SDL_JoystickID id)
{
    auto found = m_kPads.find(id);
    if (found == m_kPads.end())
        return;
    if (found->second.controller)
        SDL_GameControllerClose(found->second.controller);
    m_kPads.erase(found); // and with it every key it held
}

} // namespace platform
