#include "tnwindow.h"

tnWindow* g_pkWindow = nullptr;

namespace {
const char* const kClassName = "My Window";
}

tnWindow::tnWindow()
    : m_kWndClass(), m_hWnd(nullptr), m_kMessage(), m_bActive(0)
{
    g_pkWindow = this;
}

tnWindow::~tnWindow()
{
    if (g_pkWindow == this)
        g_pkWindow = nullptr;
}

LRESULT tnWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_pkWindow && g_pkWindow->MessageHandler(window, message, wParam, lParam))
        return 1;
    return DefWindowProcA(window, message, wParam, lParam);
}

bool tnWindow::MessageHandler(HWND, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_CLOSE:
        // Handled here so the default procedure never destroys the window;
        // the entry point does that after the clean-up.
        PostQuitMessage(0);
        return true;
    case WM_ACTIVATEAPP:
        m_bActive = wParam;
        break;
    default:
        break;
    }
    return false;
}

tnError32 tnWindow::Create(HINSTANCE instance, const char* title, DWORD style, int iconId, int width,
                           int height)
{
    m_kWndClass.style = 0;
    m_kWndClass.lpfnWndProc = &tnWindow::WindowProcedure;
    m_kWndClass.cbClsExtra = 0;
    m_kWndClass.cbWndExtra = 0;
    m_kWndClass.hInstance = instance;
    m_kWndClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(iconId));
    m_kWndClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    m_kWndClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    m_kWndClass.lpszMenuName = nullptr;
    m_kWndClass.lpszClassName = kClassName;
    if (!RegisterClassA(&m_kWndClass))
        return tnErrorRegisterClass;

    m_hWnd = CreateWindowExA(0, kClassName, title, style, 0, 0, width, height, nullptr, nullptr, instance,
                             this);
    if (!m_hWnd)
        MessageBoxA(nullptr, "CreateWindow Failed!", "Error!", MB_ICONHAND);
    return tnOK;
}

void tnWindow::Run()
{
    for (;;) {
        if (PeekMessageA(&m_kMessage, m_hWnd, 0, 0, PM_REMOVE)) {
            if (m_kMessage.message == WM_QUIT)
                break;
            TranslateMessage(&m_kMessage);
            DispatchMessageA(&m_kMessage);
        } else if (m_bActive) {
            if (Frame() != tnOK)
                break;
        } else {
            // Inactive: wait for the next message instead of spinning a core.
            WaitMessage();
        }
    }
}

void tnWindow::SetPosition(int x, int y)
{
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

POINT tnWindow::GetPosition() const
{
    RECT rect = {};
    GetWindowRect(m_hWnd, &rect);
    return POINT{rect.left, rect.top};
}

void tnWindow::SetSize(int width, int height)
{
    SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

POINT tnWindow::GetSize() const
{
    RECT rect = {};
    GetWindowRect(m_hWnd, &rect);
    return POINT{rect.right - rect.left, rect.bottom - rect.top};
}

void tnWindow::Show(int command)
{
    ShowWindow(m_hWnd, command);
}
