#ifndef APPLICATIONWINDOW_H
#define APPLICATIONWINDOW_H

#include "mygame.h"
#include "tnwindow.h"

// The game's window: runs one game frame per idle pass and paces frames to
// at most about thirty a second.
class ApplicationWindow : public tnWindow {
public:
    ApplicationWindow();
    ApplicationWindow(int width, int height);
    ~ApplicationWindow() override;

    tnError32 Init();
    tnError32 Frame() override;
    void Shutdown();
    bool MessageHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    MyGame& GetGame() { return m_kGame; }

private:
    void PaintLoadingText(HWND window);
    tnReal32 PaceFrame();
    tnReal32 StartFrameClock();

    int m_iWidth;
    int m_iHeight;
    HANDLE m_hFrameTimer; // wakes the loop when a frame's time is up
    MyGame m_kGame;
};

// The module instance handle, set by the entry point.
extern HINSTANCE g_hInstance;

// The program: opens the log, runs the window and the game, and shuts
// everything down in order. Returns the exit code (always 0).
int WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);

#endif
