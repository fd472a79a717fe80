#ifndef PLATFORM_WIN32_H
#define PLATFORM_WIN32_H

// The small part of Win32 that the engine and the game call, with the
// Windows names and values, standing in for <windows.h> on Linux.

#include <cstdint>
#include <ctime>

typedef int BOOL;
typedef unsigned char BYTE;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef unsigned int UINT;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;
typedef std::int64_t LONGLONG;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef void* LPVOID;

// Results of the COM-style calls: 32 bits, negative for failure, as on
// Windows.
typedef std::int32_t HRESULT;

constexpr HRESULT HResultFromBits(std::uint32_t bits)
{
    return static_cast<HRESULT>(bits);
}
#define MAKE_HRESULT(sev, fac, code) \
    HResultFromBits((static_cast<DWORD>(sev) << 31) | (static_cast<DWORD>(fac) << 16) | static_cast<DWORD>(code))
#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
#define S_OK (static_cast<HRESULT>(0))
#define S_FALSE (static_cast<HRESULT>(1))
#define E_NOINTERFACE HResultFromBits(0x80004002u)
#define E_POINTER HResultFromBits(0x80004003u)
#define E_FAIL HResultFromBits(0x80004005u)
#define E_INVALIDARG HResultFromBits(0x80070057u)
#define E_OUTOFMEMORY HResultFromBits(0x8007000Eu)

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

struct HWND__;
typedef HWND__* HWND;
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
struct HICON__;
typedef HICON__* HICON;
typedef HICON HCURSOR;
struct HBRUSH__;
typedef HBRUSH__* HBRUSH;
typedef void* HGDIOBJ;
typedef void* HANDLE;
struct HDC__;
typedef HDC__* HDC;
struct HFONT__;
typedef HFONT__* HFONT;
typedef void* HMENU;

union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct POINT {
    LONG x;
    LONG y;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

// Messages.
#define WM_DESTROY 0x0002
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ACTIVATEAPP 0x001C
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205

// Window styles and commands.
#define WS_POPUP 0x80000000L
#define WS_VISIBLE 0x10000000L
#define WS_SYSMENU 0x00080000L
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5
#define SW_SHOWDEFAULT 10
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

// Resources.
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(i))))
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define BLACK_BRUSH 4
#define MB_OK 0x00000000L
#define MB_ICONHAND 0x00000010L

// Text layout flags, shared by the window's DrawTextA and the D3DX font.
#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#define DT_NOCLIP 0x00000100

#define LOWORD(l) (static_cast<WORD>(static_cast<std::uintptr_t>(l) & 0xFFFF))
#define HIWORD(l) (static_cast<WORD>((static_cast<std::uintptr_t>(l) >> 16) & 0xFFFF))
#define MAKELPARAM(lo, hi) (static_cast<LPARAM>(static_cast<DWORD>((static_cast<WORD>(lo)) | (static_cast<DWORD>(static_cast<WORD>(hi)) << 16))))

// Window class and window life.
WORD RegisterClassA(const WNDCLASSA* windowClass);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND window);
BOOL ShowWindow(HWND window, int command);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL GetClientRect(HWND window, RECT* rect);
HWND GetForegroundWindow();
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
HGDIOBJ GetStockObject(int object);
int MessageBoxA(HWND window, LPCSTR text, LPCSTR caption, UINT type);

// Messages.
BOOL PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessageA(const MSG* message);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// Blocks until a message is waiting (or a short while has passed), so an
// inactive program does not spin a core.
BOOL WaitMessage();

// Power requests: while the display is required the screensaver keeps off.
typedef DWORD EXECUTION_STATE;
const EXECUTION_STATE ES_SYSTEM_REQUIRED = 0x00000001;
const EXECUTION_STATE ES_DISPLAY_REQUIRED = 0x00000002;
const EXECUTION_STATE ES_CONTINUOUS = 0x80000000;
EXECUTION_STATE SetThreadExecutionState(EXECUTION_STATE flags);

// Painting on the window itself (before the Direct3D device exists).
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
int DrawTextA(HDC dc, LPCSTR text, int length, RECT* rect, UINT format);

// Files and folders.
#define MAX_PATH 4096
#define CSIDL_APPDATA 0x001A       // the player's own data (XDG_DATA_HOME here)
#define CSIDL_LOCAL_APPDATA 0x001C // this machine's state, such as logs (XDG_STATE_HOME)
struct HMODULE__;
typedef HMODULE__* HMODULE;
// The running program's own path (the module must be null); its length, 0
// on failure or when it does not fit.
DWORD GetModuleFileNameA(HMODULE module, LPSTR path, DWORD size);
// The folder for a CSIDL_ value, as the XDG base directories give it: the
// variable when it holds an absolute path, else the default under $HOME.
HRESULT SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path);

// Time.
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
BOOL QueryPerformanceCounter(LARGE_INTEGER* counter);
void Sleep(DWORD milliseconds);
// A waitable timer: set to a due time (negative: relative, in units of
// 100 ns), a wait on it returns at that moment, not a millisecond later.
#define INFINITE 0xFFFFFFFF
#define WAIT_OBJECT_0 0u
#define WAIT_TIMEOUT 258u
#define WAIT_FAILED 0xFFFFFFFFu
HANDLE CreateWaitableTimerA(void* attributes, BOOL manualReset, LPCSTR name);
BOOL SetWaitableTimer(HANDLE timer, const LARGE_INTEGER* dueTime, LONG period, void* completion, void* argument,
                      BOOL resume);
// Waits for a timer to come due (or the milliseconds to pass).
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL CloseHandle(HANDLE handle);
// The C library's time(): seconds since 1970. Under the test control's fake
// clock it starts at a fixed moment and runs with the fake clock, so that
// whatever depends on the time of day repeats from run to run.
std::time_t WallClockTime();

#endif
