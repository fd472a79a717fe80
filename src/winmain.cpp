#include "applicationwindow.h"

#include "tnlog.h"
#include "tntimer.h"

// The exit status is 0 when the player ended the game, 1 when it could not
// run (no clock, no device, or a data file it cannot do without).
int WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    OpenLog();
    if (g_kTimer.Init() != tnOK) {
        CloseLog();
        return 1;
    }
    int status = 1;
    g_kTimer.Start();
    {
        ApplicationWindow window(1024, 768);
        g_hInstance = instance;
        window.Create(instance, "Grovekeep", WS_POPUP | WS_VISIBLE | WS_SYSMENU, 101, 1024, 768);
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
