// The input part of the test control: key, mouse and game-controller events
// pushed into SDL's queue, where the message pump hands them to the devices.
#include "sdl_display.h"
#include "sdl_input.h"
#include "testcontrol.h"

#include <algorithm>

namespace {

void PushKey(int dik, bool down)
{
    SDL_Event event = {};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = platform::WindowEventId();
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(platform::ScancodeFromDik(dik));
    SDL_PushEvent(&event);
}

// An instance id SDL never hands a real controller within a test run.
const SDL_JoystickID kTestPad = 0x7000;

static_assert(testcontrol::PadA == SDL_CONTROLLER_BUTTON_A && testcontrol::PadB == SDL_CONTROLLER_BUTTON_B &&
                  testcontrol::PadX == SDL_CONTROLLER_BUTTON_X && testcontrol::PadBack == SDL_CONTROLLER_BUTTON_BACK &&
                  testcontrol::PadStart == SDL_CONTROLLER_BUTTON_START &&
                  testcontrol::PadUp == SDL_CONTROLLER_BUTTON_DPAD_UP &&
                  testcontrol::PadDown == SDL_CONTROLLER_BUTTON_DPAD_DOWN &&
                  testcontrol::PadLeft == SDL_CONTROLLER_BUTTON_DPAD_LEFT &&
                  testcontrol::PadRight == SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
              "the test pad's buttons are SDL's");
static_assert(testcontrol::PadLeftX == SDL_CONTROLLER_AXIS_LEFTX &&
                  testcontrol::PadLeftY == SDL_CONTROLLER_AXIS_LEFTY &&
                  testcontrol::PadRightX == SDL_CONTROLLER_AXIS_RIGHTX,
              "the test pad's axes are SDL's");

} // namespace

namespace testcontrol {

void PressKey(int dik)
{
    PushKey(dik, true);
}

void ReleaseKey(int dik)
{
    PushKey(dik, false);
}

void MoveMouse(int x, int y, int dx, int dy)
{
    int windowX = 0, windowY = 0;
    platform::PictureToWindow(static_cast<float>(x), static_cast<float>(y), windowX, windowY);
    platform::PushPointerMotion(windowX, windowY, dx, dy);
}

void MouseButton(int button, bool down, int x, int y)
{
    int windowX = 0, windowY = 0;
    platform::PictureToWindow(static_cast<float>(x), static_cast<float>(y), windowX, windowY);
    platform::PushPointerButton(button, down, windowX, windowY);
}

void MouseWheel(int notches)
{
    SDL_Event event = {};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.windowID = platform::WindowEventId();
    event.wheel.y = notches;
    SDL_PushEvent(&event);
}

void PadButton(int button, bool down)
{
    SDL_Event event = {};
    event.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
    event.cbutton.which = kTestPad;
    event.cbutton.button = static_cast<Uint8>(button);
    event.cbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&event);
}

void PadAxis(int axis, int value)
{
    SDL_Event event = {};
    event.type = SDL_CONTROLLERAXISMOTION;
    event.caxis.which = kTestPad;
    event.caxis.axis = static_cast<Uint8>(axis);
    event.caxis.value = static_cast<Sint16>(std::clamp(value, -32768, 32767));
    SDL_PushEvent(&event);
}

void UnplugPad()
{
    SDL_Event event = {};
    event.type = SDL_CONTROLLERDEVICEREMOVED;
    event.cdevice.which = kTestPad;
    SDL_PushEvent(&event);
}

int LiveInputObjects()
{
    return platform::LiveInputObjects();
}

} // namespace testcontrol
