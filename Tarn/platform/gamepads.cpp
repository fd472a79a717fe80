// Game controllers through SDL's game-controller API, whose mapping database
// gives every known pad the same button names. Pads come and go while the
// game runs; each keeps its own buttons and stick, and the keys they press
// are the union over all pads.
#include "gamepads.h"

#include "dinput.h"
#include "sdl_display.h"
#include "sdl_input.h"
#include "testcontrol.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

struct ButtonKey {
    int button;
    int dik;
};

const ButtonKey kButtonKeys[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, DIK_UP},     {SDL_CONTROLLER_BUTTON_DPAD_DOWN, DIK_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, DIK_LEFT}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, DIK_RIGHT},
    {SDL_CONTROLLER_BUTTON_START, DIK_P},        {SDL_CONTROLLER_BUTTON_BACK, DIK_ESCAPE},
    {SDL_CONTROLLER_BUTTON_B, DIK_ESCAPE},       {SDL_CONTROLLER_BUTTON_A, DIK_SPACE},
};

// Half deflection: a stick at rest, or a worn one that drifts, presses
// nothing, and a push that means it is never mistaken for the other way.
const int kDeadZone = 16384;

// The pointer needs a lighter touch than the keys: a third of the way
// moves it slowly, all the way crosses the picture in about a second.
const int kPointerDeadZone = 8000;
const float kPointerSpeed = 900.0f; // picture pixels a second at full push
const float kLongestPointerStep = 0.1f; // seconds: after a stall it does not jump

float StickPush(int value)
{
    if (std::abs(value) <= kPointerDeadZone)
        return 0.0f;
    float push = (std::abs(value) - kPointerDeadZone) / static_cast<float>(32767 - kPointerDeadZone);
    return value < 0 ? -push : push;
}

float ButtonPush(std::uint32_t buttons, int less, int more)
{
    return ((buttons >> more) & 1u ? 1.0f : 0.0f) - ((buttons >> less) & 1u ? 1.0f : 0.0f);
}

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
    m_iPumpListener = AddPumpListener([this]() { MovePointer(); });
}

GamePads::~GamePads()
{
    if (!m_bStarted)
        return;
    RemoveEventListener(m_iListener);
    RemovePumpListener(m_iPumpListener);
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
        OnButton(event.cbutton);
        break;
    case SDL_MOUSEMOTION:
        // The pad's own moves come back rounded: only another pointer's
        // move puts it elsewhere.
        if (event.motion.x != static_cast<int>(m_fPointerX) || event.motion.y != static_cast<int>(m_fPointerY)) {
            m_fPointerX = static_cast<float>(event.motion.x);
            m_fPointerY = static_cast<float>(event.motion.y);
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

void GamePads::OnButton(const SDL_ControllerButtonEvent& event)
{
    if (event.button >= 32)
        return;
    const bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
    std::uint32_t bit = 1u << event.button;
    Pad& pad = m_kPads[event.which];
    pad.buttons = down ? pad.buttons | bit : pad.buttons & ~bit;
    if (event.button == SDL_CONTROLLER_BUTTON_A || event.button == SDL_CONTROLLER_BUTTON_X) {
        int x = 0, y = 0;
        PointerInWindow(x, y);
        PushPointerButton(event.button == SDL_CONTROLLER_BUTTON_A ? 0 : 1, down, x, y);
    }
}

void GamePads::PointerPush(float& x, float& y) const
{
    x = y = 0.0f;
    for (const auto& pad : m_kPads) {
        const std::uint32_t buttons = pad.second.buttons;
        x += StickPush(pad.second.stickX) +
             ButtonPush(buttons, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        y += StickPush(pad.second.stickY) +
             ButtonPush(buttons, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    }
    x = std::clamp(x, -1.0f, 1.0f);
    y = std::clamp(y, -1.0f, 1.0f);
}

void GamePads::PointerInWindow(int& x, int& y) const
{
    PictureToWindow(m_fPointerX, m_fPointerY, x, y);
}

void GamePads::MovePointer()
{
    LARGE_INTEGER now = {}, frequency = {};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    float seconds = m_iLastMove && frequency.QuadPart > 0
                        ? static_cast<float>(now.QuadPart - m_iLastMove) / static_cast<float>(frequency.QuadPart)
                        : 0.0f;
    m_iLastMove = now.QuadPart;
    float pushX = 0.0f, pushY = 0.0f;
    PointerPush(pushX, pushY);
    const Display& display = GetDisplay();
    if ((pushX == 0.0f && pushY == 0.0f) || !display.window || SDL_ShowCursor(SDL_QUERY) != SDL_ENABLE)
        return;
    const float step = kPointerSpeed * std::min(seconds, kLongestPointerStep);
    const int oldX = static_cast<int>(m_fPointerX), oldY = static_cast<int>(m_fPointerY);
    m_fPointerX = std::clamp(m_fPointerX + pushX * step, 0.0f, display.width - 1.0f);
    m_fPointerY = std::clamp(m_fPointerY + pushY * step, 0.0f, display.height - 1.0f);
    const int dx = static_cast<int>(m_fPointerX) - oldX, dy = static_cast<int>(m_fPointerY) - oldY;
    if (dx == 0 && dy == 0)
        return;
    int x = 0, y = 0;
    PointerInWindow(x, y);
    // Where the window system lets a program move the pointer it is moved
    // there, and reports the move itself; elsewhere (Wayland) the move is
    // told to the game alone.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::string(driver) == "x11")
        SDL_WarpMouseInWindow(display.window, x, y);
    else
        PushPointerMotion(x, y, dx, dy);
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
