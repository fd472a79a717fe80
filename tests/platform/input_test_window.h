#ifndef TESTS_INPUT_TEST_WINDOW_H
#define TESTS_INPUT_TEST_WINDOW_H

// A shown, focused game window over the headless platform, and a message
// pump that hands pointer positions to tnMouse as the shell does.

#include "failurecheck.h"
#include "testcontrol.h"
#include "win32.h"

#include <functional>

class InputTestWindow {
public:
    // Called with every pointer message's position.
    static std::function<void(int, int)>& PointerSink()
    {
        static std::function<void(int, int)> sink;
        return sink;
    }

    InputTestWindow()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.lpszClassName = "InputTest";
        RegisterClassA(&windowClass);
        m_hWindow = CreateWindowExA(0, "InputTest", "input test", WS_VISIBLE, 0, 0, 1024, 768, nullptr, nullptr,
                                    nullptr, nullptr);
        Pump();
    }
    ~InputTestWindow()
    {
        Pump();
        DestroyWindow(m_hWindow);
        ExpectEveryFailureUsed();
    }
    HWND Handle() const { return m_hWindow; }

    // Delivers everything queued, as one turn of the frame loop does.
    static void Pump()
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) && message.message != WM_QUIT)
            DispatchMessageA(&message);
    }

private:
    static LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message >= WM_MOUSEMOVE && message <= WM_RBUTTONUP && PointerSink())
            PointerSink()(LOWORD(lParam), HIWORD(lParam));
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND m_hWindow;
};

#endif
