// What the player's desktop sees of the game: a game controller alone works
// every screen (the stick moves the pointer where the menus read the mouse,
// A and X are its buttons, B is Escape and A pages the help), and the window
// going to the background silences it and pauses play.
#include "gamefixture.h"

#include "dinput.h"
#include "testcontrol.h"
#include "tnmouse.h"

#include <algorithm>
#include <cstdlib>

namespace {

class PadWalk : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        ReachMenu();
    }

    // Pushes the stick towards (x, y), harder the farther it is, frame by
    // frame as a player would, and lets go once the pointer is there.
    void PointAt(int x, int y)
    {
        for (int frame = 0; frame < 400; ++frame) {
            const int dx = x - static_cast<int>(tnMouse::GetX());
            const int dy = y - static_cast<int>(tnMouse::GetY());
            if (std::abs(dx) <= 4 && std::abs(dy) <= 4) {
                testcontrol::PadAxis(testcontrol::PadLeftX, 0);
                testcontrol::PadAxis(testcontrol::PadLeftY, 0);
                Frame();
                return;
            }
            testcontrol::PadAxis(testcontrol::PadLeftX, Push(dx));
            testcontrol::PadAxis(testcontrol::PadLeftY, Push(dy));
            Frame();
        }
        ADD_FAILURE() << "the pointer never reached " << x << ", " << y << ": it is at " << tnMouse::GetX() << ", "
                      << tnMouse::GetY();
    }

    static int Push(int distance)
    {
        const int push = 9000 + std::min(std::abs(distance) * 400, 23000);
        return distance < 0 ? -push : push;
    }

    void Tap(int button)
    {
        testcontrol::PadButton(button, true);
        Frame();
        testcontrol::PadButton(button, false);
        Frame();
    }

    void TapAt(int x, int y, int button = testcontrol::PadA)
    {
        PointAt(x, y);
        Tap(button);
    }

    void TapMenu(MyGame::MenuButton button) { TapAt(kButtonX, kFirstButtonY + 50 * static_cast<int>(button)); }
};

} // namespace

TEST_F(PadWalk, MenuToLevelOneAndBackOptionsSavedAndHelpPagedWithThePadAlone)
{
    TapMenu(MyGame::MenuNew);
    ASSERT_EQ(MyGame::GameNew, Probe().State());
    TapAt(400, kFirstLevelRowY + 5);
    ASSERT_EQ(MyGame::GameRunning, Probe().State());
    EXPECT_EQ(1, Probe().CurrentLevel());
    Tap(testcontrol::PadStart);
    EXPECT_EQ(MyGame::GamePause, Probe().State());
    Tap(testcontrol::PadB);
    EXPECT_EQ(MyGame::GameMenu, Probe().State());

    // Options: A toggles the grid, X halves the player's speed, and Save
    // keeps both.
    const int playerSpeed = Probe().PlayerSpeed();
    TapMenu(MyGame::MenuOptions);
    ASSERT_EQ(MyGame::GameOption, Probe().State());
    const RECT grid = Probe().OptionGridPanel();
    TapAt(grid.left + 50, (grid.top + grid.bottom) / 2);
    const RECT speed = Probe().OptionPlayerSpeedPanel();
    TapAt(speed.left + 50, (speed.top + speed.bottom) / 2, testcontrol::PadX);
    const tnButton& save = Probe().BackButton();
    TapAt(save.GetX() + save.GetWidth() / 2, save.GetY() + save.GetHeight() / 2);
    EXPECT_EQ(MyGame::GameMenu, Probe().State());
    EXPECT_TRUE(Probe().GridOn());
    EXPECT_NE(playerSpeed, Probe().PlayerSpeed());

    // Help: A pages on, B leaves from the second page, and the click A also
    // made there is not taken by the menu for one on "Help".
    TapMenu(MyGame::MenuHelp);
    ASSERT_EQ(MyGame::GameHelp, Probe().State());
    EXPECT_EQ(1, Probe().CurrentHelpPage());
    Probe().TimerCount() = 0.3f;
    Tap(testcontrol::PadA);
    EXPECT_EQ(2, Probe().CurrentHelpPage());
    Probe().TimerCount() = 0.3f;
    Tap(testcontrol::PadB);
    EXPECT_EQ(MyGame::GameMenu, Probe().State());
    Frame();
    EXPECT_EQ(MyGame::GameMenu, Probe().State());
}

// In play the pointer hides and the screensaver is held off; losing the
// focus pauses the level as P would and holds every sound where it is, and
// the focus back lets the sound go on from there, the level still paused.
TEST_F(PadWalk, FocusLostInPlayPausesAndSilencesAndOnlyPlayHoldsTheScreensaver)
{
    EXPECT_FALSE(testcontrol::ScreenSaverHeld());
    ClickMenu(MyGame::MenuNew);
    Click(400, kFirstLevelRowY + 5);
    ASSERT_EQ(MyGame::GameRunning, Probe().State());
    Frame();
    EXPECT_TRUE(testcontrol::ScreenSaverHeld());
    EXPECT_FALSE(testcontrol::SoundIsHeld());

    testcontrol::SetFocus(false);
    Frame();
    EXPECT_EQ(MyGame::GamePause, Probe().State());
    EXPECT_TRUE(testcontrol::SoundIsHeld());
    testcontrol::SetFocus(true);
    Frame();
    EXPECT_EQ(MyGame::GamePause, Probe().State());
    EXPECT_FALSE(testcontrol::SoundIsHeld());
    EXPECT_FALSE(testcontrol::ScreenSaverHeld());
    Probe().TimerCount2() = 1.0f;
    TapKey(DIK_P);
    EXPECT_EQ(MyGame::GameRunning, Probe().State());
    Frame();
    EXPECT_TRUE(testcontrol::ScreenSaverHeld());
    TapKey(DIK_ESCAPE);
    Frame();
    EXPECT_FALSE(testcontrol::ScreenSaverHeld());
}
