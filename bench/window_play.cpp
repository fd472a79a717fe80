// The real program with the tests' bot at the keys, for scripts/bench
// --window: the same window, frame loop and pacing as the entry point, in a
// real window, so that what a frame of play costs the machine can be
// measured from outside. From the menu it starts the first level as a
// player does (New, then the first row of the list), and again whenever a
// game is over; "level 1 started" on stdout tells the script when play has
// begun. The level is never won, so that all of the measurement is level 1
// (the bot would finish it within seconds). Runs, like the game, with its
// working directory beside Data, Graphics and sound; a close (SIGTERM) ends
// it.
#include "applicationwindow.h"
#include "bot.h"
#include "mygameprobe.h"
#include "testcontrol.h"
#include "tnlog.h"
#include "tntimer.h"

#include <cstdio>

namespace {

class BotWindow : public ApplicationWindow {
public:
    BotWindow() : ApplicationWindow(1024, 768), m_kProbe(GetGame()), m_kBot(m_kProbe) {}

    tnError32 Frame() override
    {
        PickFirstLevel();
        const tnError32 result = ApplicationWindow::Frame();
        // The keys reach the game when the window's pump next runs, before
        // the next frame: the bot looks at the field just played.
        m_kBot.Act();
        return result;
    }

    void LetGo() { m_kBot.ReleaseKeys(); }

private:
    // A click lasts two frames, as a player's: the button down in one, up
    // in the next.
    void PickFirstLevel()
    {
        if (m_bButtonDown) {
            testcontrol::MouseButton(0, false, m_iPointerX, m_iPointerY);
            m_bButtonDown = false;
            return;
        }
        switch (m_kProbe.State()) {
        case MyGame::GameMenu:
            if (m_kProbe.MenuButtons().size() > MyGame::MenuNew) {
                const tnButton& button = m_kProbe.MenuButtons()[MyGame::MenuNew];
                PressAt(button.GetX() + button.GetWidth() / 2, button.GetY() + button.GetHeight() / 2);
            }
            break;
        case MyGame::GameNew:
            if (m_kProbe.ComboList()) {
                const RECT& rows = m_kProbe.ComboList()->GetListArea();
                PressAt((rows.left + rows.right) / 2, rows.top + 2);
            }
            break;
        case MyGame::GameRunning:
            m_kProbe.ObjectiveTargets() = kNeverReached;
            if (!m_bAnnounced) {
                std::printf("level 1 started\n");
                std::fflush(stdout);
                m_bAnnounced = true;
            }
            break;
        default:
            break;
        }
    }

    void PressAt(int x, int y)
    {
        testcontrol::MoveMouse(x, y, x - m_iPointerX, y - m_iPointerY);
        testcontrol::MouseButton(0, true, x, y);
        m_iPointerX = x;
        m_iPointerY = y;
        m_bButtonDown = true;
    }

    static constexpr tnUInt16 kNeverReached = 1000; // a chain longer than the field has cells

    MyGameProbe m_kProbe;
    Bot m_kBot;
    int m_iPointerX = 0;
    int m_iPointerY = 0;
    bool m_bButtonDown = false;
    bool m_bAnnounced = false;
};

} // namespace

int main()
{
    OpenLog();
    if (g_kTimer.Init() != tnOK) {
        CloseLog();
        return 1;
    }
    int status = 1;
    g_kTimer.Start();
    {
        BotWindow window;
        window.Create(nullptr, "Grovekeep", WS_POPUP | WS_VISIBLE | WS_SYSMENU, 101, 1024, 768);
        if (window.Init() == tnOK) {
            window.Show(SW_SHOWDEFAULT);
            window.Run();
            status = window.GetGame().CannotRun() ? 1 : 0;
        }
        window.LetGo();
        window.Shutdown();
        DestroyWindow(window.GetHandle());
        CloseLog();
    }
    return status;
}
