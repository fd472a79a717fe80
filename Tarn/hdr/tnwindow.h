#ifndef TNWINDOW_H
#define TNWINDOW_H

#include "tnerror.h"
#include "win32.h"

// The program's one top-level window and its message pump. Knows nothing of
// the game: a derived class supplies the frame.
class tnWindow {
public:
    tnWindow();
    virtual ~tnWindow();

    virtual bool MessageHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual tnError32 Frame() = 0;

    tnError32 Create(HINSTANCE instance, const char* title, DWORD style, int iconId, int width, int height);
    void Run();

    void SetPosition(int x, int y);
    POINT GetPosition() const;
    void SetSize(int width, int height);
    POINT GetSize() const;
    void Show(int command);
    HWND GetHandle() const { return m_hWnd; }
    bool IsActive() const { return m_bActive != 0; }

protected:
    static LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WNDCLASSA m_kWndClass;
    HWND m_hWnd;
    MSG m_kMessage;
    WPARAM m_bActive; // non-zero while the application is active
};

// The most recently constructed window; the window procedure forwards to it.
extern tnWindow* g_pkWindow;

#endif
