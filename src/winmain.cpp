#include "applicationwindow.h"
#include "gamefolders.h"

#include "tnlog.h"
#include "tntimer.h"

#include <cstring>

// The exit status is 0 when the player ended the game, 1 when it could not
// run (no clock, no device, or a data file it cannot do without).
int WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    OpenLog(GameFolders::LogFile().c_str());
    if (g_kTimer.Init() != tnOK) {
        CloseLog();
        return 1;
    }
    int status = 1;
    g_kTimer.Start();
    {
        ApplicationWindow window(1024, 768);
        g_hInstance = instance;
        // Full screen unless asked for a window ("--window").
        const bool windowed = commandLine && std::strstr(commandLine, "--window");
        const DWORD style = (windowed ? 0 : WS_POPUP) | WS_VISIBLE | WS_SYSMENU;
        window.Create(instance, "Grovekeep", style, 101, 1024, 768);
        if (window.Init() == tnOK) {
            Log("\n-----------------------------Run--------------------------------\n");
            window.Show(SW_SHOWDEFAULT);
            window.Run();
            status = window.GetGame().CannotRun() ? 1 : 0;
        }
        window.Shutdown();
        DestroyWindow(window.GetHandle());
        PostQuitMessage(0);
        Log("\n----------------------------End of program----------------------------\n");
        CloseLog();
    }
    return status;
}
