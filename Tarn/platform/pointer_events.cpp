// Pointer events made here rather than by the window system: the pad's
// pointer and the test control queue them where the real mouse's go.
#include "sdl_display.h"
#include "sdl_input.h"

namespace {

Uint8 SdlButton(int button)
{
    const Uint8 buttons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_X1};
    return button >= 0 && button <= 3 ? buttons[button] : SDL_BUTTON_X2;
}

} // namespace

namespace platform {

unsigned int WindowEventId()
{
    SDL_Window* window = GetDisplay().window;
    return window ? SDL_GetWindowID(window) : 0;
}

void PictureToWindow(float x, float y, int& windowX, int& windowY)
{
    windowX = static_cast<int>(x);
    windowY = static_cast<int>(y);
    SDL_Renderer* renderer = GetDisplay().renderer;
    int width = 0, height = 0;
    if (renderer)
        SDL_RenderGetLogicalSize(renderer, &width, &height);
    if (width > 0 && height > 0)
        SDL_RenderLogicalToWindow(renderer, x, y, &windowX, &windowY);
}

void PushPointerMotion(int x, int y, int dx, int dy)
{
    SDL_Event event = {};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = WindowEventId();
    event.motion.x = x;
    event.motion.y = y;
    event.motion.xrel = dx;
    event.motion.yrel = dy;
    SDL_PushEvent(&event);
}

void PushPointerButton(int button, bool down, int x, int y)
{
    SDL_Event event = {};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = WindowEventId();
    event.button.button = SdlButton(button);
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    SDL_PushEvent(&event);
}

} // namespace platform
