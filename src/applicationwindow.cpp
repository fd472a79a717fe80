#include "applicationwindow.h"

#include "gamecolours.h"
#include "replaysession.h"

#include "tnlog.h"
#include "tnmouse.h"
#include "tntimer.h"

#include <cmath>
#include <cstdio>

HINSTANCE g_hInstance = nullptr;

namespace {
// A frame lasts at least this long: about thirty frames a second.
const tnReal32 kFrameSeconds = 0.033f;
// A waitable timer's due time counts in units of 100 ns.
const double kTimerUnitsPerSecond = 1.0e7;
} // namespace

ApplicationWindow::ApplicationWindow()
    : ApplicationWindow(1024, 768)
{
}

ApplicationWindow::ApplicationWindow(int width, int height)
    : tnWindow(), m_iWidth(width), m_iHeight(height), m_hFrameTimer(CreateWaitableTimerA(nullptr, FALSE, nullptr)),
      m_kGame()
{
}

ApplicationWindow::~ApplicationWindow()
{
    Log("Status: In ~ApplicationWindow()\n");
    CloseHandle(m_hFrameTimer);
}

tnError32 ApplicationWindow::Init()
{
    Log("\n-----------------------------Init--------------------------------\n");
    tnError32 result = m_kGame.Init(g_hInstance, m_hWnd, m_iWidth, m_iHeight);
    g_kTimer.Update();
    Log("\nINFO:\tTime Used for Init() is %f, in ApplicationWindow::Init()", g_kTimer.GetDelta());
    return result;
}

tnError32 ApplicationWindow::Frame()
{
    const bool first = m_kGame.GetFPS() == 0;
    m_kGame.Clear(GameColour::Black, nullptr);
    m_kGame.StartFrame();
    bool goOn = true;
    if (!first) {
        tnReal32 step = 1.0f / static_cast<tnReal32>(m_kGame.GetFPS());
        // A replay gives the recorded step, and may do the frame's game work itself.
        ReplaySession* replay = ReplaySession::Current();
        const bool stepGame = !replay || replay->BeginFrame(m_kGame, step);
        if (stepGame && m_kGame.ProcessGame(step) != tnOK)
            return tnErrorProcessGame;
        m_kGame.Render();
        goOn = !replay || replay->EndFrame(m_kGame);
    }
    m_kGame.EndFrame();
    // The first frame only starts the clock: no game work ran that a frame's
    // length must hold back, and the title should not wait for it.
    tnReal32 elapsed = first ? StartFrameClock() : PaceFrame();
    m_kGame.SetFPS(static_cast<tnUInt32>(1.0f / elapsed));
    return goOn ? tnOK : tnErrorProcessGame;
}

tnReal32 ApplicationWindow::StartFrameClock()
{
    g_kTimer.Update();
    return kFrameSeconds;
}

tnReal32 ApplicationWindow::PaceFrame()
{
    g_kTimer.Update();
    tnReal32 elapsed = static_cast<tnReal32>(g_kTimer.GetDelta());
    // Asleep until the frame's time is up, to the tenth of a microsecond:
    // neither woken a millisecond late nor spinning the rest on the clock.
    if (elapsed < kFrameSeconds) {
        LARGE_INTEGER due;
        due.QuadPart = -static_cast<LONGLONG>(std::ceil((kFrameSeconds - elapsed) * kTimerUnitsPerSecond));
        if (SetWaitableTimer(m_hFrameTimer, &due, 0, nullptr, nullptr, FALSE))
            WaitForSingleObject(m_hFrameTimer, INFINITE);
    }
    // Every delta is added, so the frame's length is the exact sum of them;
    // whatever float rounding left over is waited out here.
    while (elapsed < kFrameSeconds) {
        g_kTimer.Update();
        elapsed += static_cast<tnReal32>(g_kTimer.GetDelta());
    }
    return elapsed;
}

void ApplicationWindow::Shutdown()
{
    Log("\n-----------------------------CleanUp--------------------------------\n");
    if (ReplaySession* replay = ReplaySession::Current())
        replay->Finish(m_kGame);
    m_kGame.CleanUp();
}

bool ApplicationWindow::MessageHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Only pointer messages carry a position; any other message's parameter
    // would throw the pointer into the screen's corner.
    bool pointerMessage = message >= WM_MOUSEMOVE && message <= WM_RBUTTONUP;
    if (pointerMessage)
        tnMouse::SetPosition(LOWORD(lParam), HIWORD(lParam));
    ReplaySession* replay = ReplaySession::Current();
    if (message == WM_ACTIVATEAPP && !wParam && (!replay || replay->OnFocusLost()))
        m_kGame.PauseForFocusLoss();
    if (message == WM_PAINT && m_kGame.IsLoading())
        PaintLoadingText(window);
    return tnWindow::MessageHandler(window, message, wParam, lParam);
}

void ApplicationWindow::PaintLoadingText(HWND window)
{
    HDC dc = GetDC(window);
    char text[32];
    std::snprintf(text, sizeof(text), "Loading... Please wait");
    RECT rect = {};
    GetClientRect(window, &rect);
    DrawTextA(dc, text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ReleaseDC(window, dc);
}
