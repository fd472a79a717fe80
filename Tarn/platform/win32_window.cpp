// The window, its message queue and painting before Direct3D takes over,
// standing in for Win32's USER calls on top of SDL2.
#include "draw_list.h"
#include "sdl_audio.h"
#include "sdl_display.h"
#include "sdl_font.h"
#include "testcontrol.h"
#include "win32.h"

#include <cstdio>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace {

// Callbacks by the id they were added with; each call works on a copy, since
// a callback may add or remove others.
template <typename Callback>
class Listeners {
public:
    int Add(Callback callback)
    {
        m_kEntries.push_back({m_iNextId, std::move(callback)});
        return m_iNextId++;
    }
    void Remove(int id)
    {
        for (auto it = m_kEntries.begin(); it != m_kEntries.end(); ++it) {
            if (it->first == id) {
                m_kEntries.erase(it);
                return;
            }
        }
    }
    std::vector<std::pair<int, Callback>> Copy() const { return m_kEntries; }

private:
    std::vector<std::pair<int, Callback>> m_kEntries;
    int m_iNextId = 1;
};

Listeners<platform::EventListener> g_kListeners;
Listeners<platform::PumpListener> g_kPumpListeners;
std::map<std::string, WNDCLASSA> g_kClasses;
std::deque<MSG> g_kQueue;
WNDPROC g_pfnWindowProc = nullptr;
bool g_bQuitPosted = false;
int g_iQuitCode = 0;

// The window handle is a token: there is exactly one window.
HWND const kWindowToken = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x57494E44));
HDC const kWindowDC = reinterpret_cast<HDC>(static_cast<std::uintptr_t>(0x48444300));

void Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg = {};
    msg.hwnd = kWindowToken;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = SDL_GetTicks();
    g_kQueue.push_back(msg);
}

void SetActive(bool active)
{
    platform::Display& display = platform::GetDisplay();
    if (display.active == active)
        return;
    display.active = active;
    // As DirectSound's focus rule has it: a window in the background is silent.
    platform::HoldAudio(!active);
    Post(WM_ACTIVATEAPP, active ? 1 : 0, 0);
}

void TranslateWindowEvent(const SDL_WindowEvent& event)
{
    platform::Display& display = platform::GetDisplay();
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        Post(WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT_SHOWN:
        display.shown = true;
        display.mustRedraw = true;
        SetActive(true);
        Post(WM_PAINT, 0, 0);
        break;
    case SDL_WINDOWEVENT_HIDDEN:
        display.shown = false;
        SetActive(false);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        SetActive(!display.minimized);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        SetActive(false);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        display.minimized = true;
        SetActive(false);
        break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
        display.minimized = false;
        display.mustRedraw = true;
        SetActive(display.shown);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        display.mustRedraw = true;
        Post(WM_PAINT, 0, 0);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        platform::FitPicture();
        break;
    default:
        break;
    }
}

UINT ButtonMessage(Uint8 button, bool down)
{
    if (button == SDL_BUTTON_RIGHT)
        return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
}

// Pointer coordinates arrive already in the 1024 x 768 picture's space
// (the renderer's logical size maps them); clamp what lies in the bars.
LPARAM PointerParam(int x, int y)
{
    const platform::Display& display = platform::GetDisplay();
    x = x < 0 ? 0 : (x >= display.width ? display.width - 1 : x);
    y = y < 0 ? 0 : (y >= display.height ? display.height - 1 : y);
    return MAKELPARAM(x, y);
}

void TranslateEvent(const SDL_Event& event)
{
    platform::Display& display = platform::GetDisplay();
    switch (event.type) {
    case SDL_QUIT: // the last window closed, or SIGINT / SIGTERM
        Post(WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT:
        TranslateWindowEvent(event.window);
        break;
    case SDL_MOUSEMOTION:
        Post(WM_MOUSEMOVE, 0, PointerParam(event.motion.x, event.motion.y));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        Post(ButtonMessage(event.button.button, event.type == SDL_MOUSEBUTTONDOWN), 0,
             PointerParam(event.button.x, event.button.y));
        break;
    case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_RETURN && (event.key.keysym.mod & KMOD_ALT) && !event.key.repeat)
            platform::ToggleFullScreen(display);
        Post(WM_KEYDOWN, static_cast<WPARAM>(event.key.keysym.scancode), 0);
        break;
    case SDL_KEYUP:
        Post(WM_KEYUP, static_cast<WPARAM>(event.key.keysym.scancode), 0);
        break;
    default:
        break;
    }
}

} // namespace

namespace platform {

HWND WindowHandle()
{
    return GetDisplay().window ? kWindowToken : nullptr;
}

bool IsOurWindow(HWND window)
{
    return window && window == WindowHandle();
}

int AddEventListener(EventListener listener)
{
    return g_kListeners.Add(std::move(listener));
}

void RemoveEventListener(int id)
{
    g_kListeners.Remove(id);
}

int AddPumpListener(PumpListener listener)
{
    return g_kPumpListeners.Add(std::move(listener));
}

void RemovePumpListener(int id)
{
    g_kPumpListeners.Remove(id);
}

void PumpEvents()
{
    if (!SDL_WasInit(SDL_INIT_EVENTS))
        return;
    for (const auto& listener : g_kPumpListeners.Copy())
        listener.second();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        for (const auto& listener : g_kListeners.Copy())
            listener.second(event);
        if (GetDisplay().window)
            TranslateEvent(event);
    }
}

} // namespace platform

WORD RegisterClassA(const WNDCLASSA* windowClass)
{
    if (!windowClass || !windowClass->lpszClassName || testcontrol::ConsumeFailure(testcontrol::Failure::RegisterClassA))
        return 0;
    // Registering a name again replaces the class: there is one window at a
    // time, and a test may build the shell more than once in one process.
    g_kClasses[windowClass->lpszClassName] = *windowClass;
    return static_cast<WORD>(g_kClasses.size());
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int, int, int width,
                     int height, HWND, HMENU, HINSTANCE, LPVOID)
{
    platform::Display& display = platform::GetDisplay();
    auto found = className ? g_kClasses.find(className) : g_kClasses.end();
    if (found == g_kClasses.end() || display.window || testcontrol::ConsumeFailure(testcontrol::Failure::CreateWindowExA))
        return nullptr;
    display.width = width;
    display.height = height;
    display.fullScreen = (style & WS_POPUP) != 0;
    if (!platform::OpenDisplay(display, windowName ? windowName : ""))
        return nullptr;
    g_pfnWindowProc = found->second.lpfnWndProc;
    g_kQueue.clear();
    g_bQuitPosted = false;
    if (style & WS_VISIBLE)
        ShowWindow(kWindowToken, SW_SHOW);
    return kWindowToken;
}

BOOL DestroyWindow(HWND window)
{
    if (!platform::IsOurWindow(window))
        return FALSE;
    platform::CloseDisplay(platform::GetDisplay());
    g_pfnWindowProc = nullptr;
    return TRUE;
}

BOOL ShowWindow(HWND window, int command)
{
    if (!platform::IsOurWindow(window))
        return FALSE;
    platform::Display& display = platform::GetDisplay();
    bool wasShown = display.shown;
    if (command == SW_HIDE) {
        SDL_HideWindow(display.window);
        display.shown = false;
        SetActive(false);
        return wasShown;
    }
    SDL_ShowWindow(display.window);
    SDL_RaiseWindow(display.window);
    display.shown = true;
    // Where nothing hands out focus (headless, a bare X server) a shown
    // window counts as active; real focus events refine this later.
    SetActive(true);
    // Painted at once, as UpdateWindow would: the loading text appears
    // before the long initialisation starts.
    if (g_pfnWindowProc)
        g_pfnWindowProc(kWindowToken, WM_PAINT, 0, 0);
    return wasShown;
}

BOOL SetWindowPos(HWND window, HWND, int x, int y, int cx, int cy, UINT flags)
{
    if (!platform::IsOurWindow(window))
        return FALSE;
    SDL_Window* sdlWindow = platform::GetDisplay().window;
    if (!(flags & SWP_NOMOVE))
        SDL_SetWindowPosition(sdlWindow, x, y);
    if (!(flags & SWP_NOSIZE))
        SDL_SetWindowSize(sdlWindow, cx, cy);
    return TRUE;
}

BOOL GetWindowRect(HWND window, RECT* rect)
{
    if (!platform::IsOurWindow(window) || !rect)
        return FALSE;
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(platform::GetDisplay().window, &x, &y);
    SDL_GetWindowSize(platform::GetDisplay().window, &w, &h);
    *rect = {x, y, x + w, y + h};
    return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect)
{
    if (!platform::IsOurWindow(window) || !rect)
        return FALSE;
    const platform::Display& display = platform::GetDisplay();
    *rect = {0, 0, display.width, display.height};
    return TRUE;
}

HWND GetForegroundWindow()
{
    return platform::GetDisplay().active ? platform::WindowHandle() : nullptr;
}

HICON LoadIconA(HINSTANCE, LPCSTR name)
{
    // The program's icon is a bitmap beside the other pictures; the id only
    // says which one is meant.
    return reinterpret_cast<HICON>(const_cast<char*>(name));
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR name)
{
    return reinterpret_cast<HCURSOR>(const_cast<char*>(name));
}

HGDIOBJ GetStockObject(int object)
{
    return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(object + 1));
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT)
{
    const char* title = caption ? caption : "";
    const char* message = text ? text : "";
    std::fprintf(stderr, "%s: %s\n", title, message);
    if (SDL_getenv("SDL_VIDEODRIVER") == nullptr || std::string(SDL_getenv("SDL_VIDEODRIVER")) != "dummy")
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title, message, nullptr);
    return 1;
}

BOOL PeekMessageA(MSG* message, HWND, UINT, UINT, UINT removeFlags)
{
    if (!message)
        return FALSE;
    if (g_kQueue.empty())
        platform::PumpEvents();
    if (g_kQueue.empty()) {
        if (!g_bQuitPosted)
            return FALSE;
        // WM_QUIT comes after every other message, as on Windows.
        *message = {};
        message->message = WM_QUIT;
        message->wParam = static_cast<WPARAM>(g_iQuitCode);
        if (removeFlags & PM_REMOVE)
            g_bQuitPosted = false;
        return TRUE;
    }
    *message = g_kQueue.front();
    if (removeFlags & PM_REMOVE)
        g_kQueue.pop_front();
    return TRUE;
}

BOOL TranslateMessage(const MSG*)
{
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* message)
{
    if (!message || !g_pfnWindowProc)
        return 0;
    return g_pfnWindowProc(message->hwnd, message->message, message->wParam, message->lParam);
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE)
        DestroyWindow(window);
    return 0;
}

void PostQuitMessage(int exitCode)
{
    g_bQuitPosted = true;
    g_iQuitCode = exitCode;
}

BOOL WaitMessage()
{
    if (!g_kQueue.empty() || g_bQuitPosted || !SDL_WasInit(SDL_INIT_EVENTS))
        return TRUE;
    SDL_WaitEventTimeout(nullptr, 100);
    return TRUE;
}

EXECUTION_STATE SetThreadExecutionState(EXECUTION_STATE flags)
{
    static EXECUTION_STATE held = ES_CONTINUOUS;
    EXECUTION_STATE previous = held;
    if (flags & ES_CONTINUOUS)
        held = flags;
    if ((flags | held) & ES_DISPLAY_REQUIRED)
        SDL_DisableScreenSaver();
    else
        SDL_EnableScreenSaver();
    return previous;
}

HDC GetDC(HWND window)
{
    return platform::IsOurWindow(window) ? kWindowDC : nullptr;
}

int ReleaseDC(HWND, HDC dc)
{
    return dc == kWindowDC ? 1 : 0;
}

int DrawTextA(HDC dc, LPCSTR text, int length, RECT* rect, UINT format)
{
    if (dc != kWindowDC || !text || !rect)
        return 0;
    // The window's own painting happens only while the game loads: a black
    // picture with the text, shown at once.
    platform::Display& display = platform::GetDisplay();
    static platform::DrawList painting(platform::DrawList::DrawAtOnce);
    painting.Fill(nullptr, {0, 0, 0, 255});
    int height = platform::DrawWindowText(text, length, rect, format, painting);
    painting.Draw();
    painting.Clear();
    platform::PresentPicture();
    display.mustRedraw = true; // the device's last frame is no longer on screen
    ++display.loadingTextPaints;
    return height > 0 ? height : 1;
}

