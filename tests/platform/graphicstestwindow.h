#ifndef TESTS_GRAPHICSTESTWINDOW_H
#define TESTS_GRAPHICSTESTWINDOW_H

// The game's window, shown, for graphics tests (headless under the dummy
// video driver), and the pixels of what was drawn into it.

#include "d3d8.h"
#include "failurecheck.h"
#include "testcontrol.h"
#include "win32.h"

#include <cstdlib>
#include <vector>

class GraphicsTestWindow {
public:
    GraphicsTestWindow()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        testcontrol::ClearFailures();
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "GraphicsTest";
        RegisterClassA(&windowClass);
        m_hWindow = CreateWindowExA(0, "GraphicsTest", "Graphics test", WS_POPUP, 0, 0, 1024, 768, nullptr,
                                    nullptr, nullptr, nullptr);
        ShowWindow(m_hWindow, SW_SHOW);
        Pump();
    }
    ~GraphicsTestWindow()
    {
        DestroyWindow(m_hWindow);
        testcontrol::KeepPresentedFrames(false);
        ExpectEveryFailureUsed();
    }
    GraphicsTestWindow(const GraphicsTestWindow&) = delete;
    GraphicsTestWindow& operator=(const GraphicsTestWindow&) = delete;

    HWND Handle() const { return m_hWindow; }

    // Runs the message pump once, as the frame loop would.
    static void Pump()
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }

    // The back buffer's pixels now (ARGB, row by row).
    static std::vector<DWORD> Frame()
    {
        std::vector<DWORD> pixels;
        testcontrol::ReadBackBuffer(pixels);
        return pixels;
    }

    static DWORD At(const std::vector<DWORD>& frame, int x, int y)
    {
        return frame.at(static_cast<std::size_t>(y) * 1024 + x) & 0x00FFFFFFu;
    }

private:
    HWND m_hWindow;
};

// A full-screen 1024 x 768 x 32 device on the test window.
class TestDevice {
public:
    explicit TestDevice(HWND window, D3DFORMAT format = D3DFMT_X8R8G8B8)
    {
        m_pkD3D = Direct3DCreate8(D3D_SDK_VERSION);
        m_kParameters.BackBufferWidth = 1024;
        m_kParameters.BackBufferHeight = 768;
        m_kParameters.BackBufferFormat = format;
        m_kParameters.BackBufferCount = 1;
        m_kParameters.SwapEffect = D3DSWAPEFFECT_COPY;
        m_kParameters.hDeviceWindow = window;
        m_kParameters.Windowed = FALSE;
        if (m_pkD3D)
            m_pkD3D->CreateDevice(0, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &m_kParameters,
                                  &m_pkDevice);
    }
    ~TestDevice()
    {
        if (m_pkDevice)
            m_pkDevice->Release();
        if (m_pkD3D)
            m_pkD3D->Release();
    }
    TestDevice(const TestDevice&) = delete;
    TestDevice& operator=(const TestDevice&) = delete;

    IDirect3D8* D3D() const { return m_pkD3D; }
    IDirect3DDevice8* operator->() const { return m_pkDevice; }
    IDirect3DDevice8* Get() const { return m_pkDevice; }
    D3DPRESENT_PARAMETERS& Parameters() { return m_kParameters; }

private:
    IDirect3D8* m_pkD3D = nullptr;
    IDirect3DDevice8* m_pkDevice = nullptr;
    D3DPRESENT_PARAMETERS m_kParameters = {};
};

#endif
