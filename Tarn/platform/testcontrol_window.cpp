// Test control for the window: what the window system would report.
#include "sdl_display.h"
#include "testcontrol.h"

namespace testcontrol {

namespace {
void PushWindowEvent(Uint8 windowEvent)
{
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = windowEvent;
    event.window.windowID = platform::GetDisplay().window ? SDL_GetWindowID(platform::GetDisplay().window) : 0;
    SDL_PushEvent(&event);
}
} // namespace

void SetFocus(bool focused)
{
    PushWindowEvent(focused ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST);
}

void ExposeWindow()
{
    PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
}

void ResizeWindow(int width, int height)
{
    platform::Display& display = platform::GetDisplay();
    if (!display.window)
        return;
    if (display.fullScreen)
        platform::ToggleFullScreen(display);
    SDL_SetWindowSize(display.window, width, height);
    platform::FitPicture();
}

void RequestClose()
{
    platform::EnsureVideo(); // the request may come before the window exists
    SDL_Event event = {};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

void MovePointer(int x, int y)
{
    SDL_Event event = {};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = platform::GetDisplay().window ? SDL_GetWindowID(platform::GetDisplay().window) : 0;
    event.motion.x = x;
    event.motion.y = y;
    SDL_PushEvent(&event);
}

bool ScreenSaverHeld()
{
    return SDL_WasInit(SDL_INIT_VIDEO) && !SDL_IsScreenSaverEnabled();
}

int LoadingTextPaints()
{
    return platform::GetDisplay().loadingTextPaints;
}

} // namespace testcontrol
