// What the screens and the play screen draw, checked on the frame the game
// itself presents; the pictures are saved for a person to look at.
#include "gamefixture.h"

#include "screentext.h"
#include "testcontrol.h"

#include <cstring>
#include <vector>

namespace {

const DWORD kSkyBlue = 0xFF0AA3DC;
const DWORD kBoxColour = 0xFF003232;
const DWORD kHighlight = 0xFFC8640A;

class Screens : public GameFixture {
protected:
    struct Picture {
        std::vector<DWORD> pixels;
        int width = 0;
        int height = 0;
        DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
        // How many pixels of the rectangle (right and bottom exclusive) have the colour.
        int Count(int left, int top, int right, int bottom, DWORD colour) const
        {
            int count = 0;
            for (int y = top; y < bottom; ++y)
                for (int x = left; x < right; ++x)
                    count += (At(x, y) == colour) ? 1 : 0;
            return count;
        }
        // The pixels of a rectangle, row by row.
        std::vector<DWORD> Cut(int left, int top, int right, int bottom) const
        {
            std::vector<DWORD> cut;
            for (int y = top; y < bottom; ++y)
                for (int x = left; x < right; ++x)
                    cut.push_back(At(x, y));
            return cut;
        }
    };

    Picture Shown()
    {
        Picture picture;
        EXPECT_TRUE(testcontrol::ReadBackBuffer(picture.pixels, &picture.width, &picture.height));
        EXPECT_EQ(1024, picture.width);
        EXPECT_EQ(768, picture.height);
        if (picture.pixels.size() != 1024u * 768u)
            picture.pixels.assign(1024u * 768u, 0);
        return picture;
    }

    // From the menu into level 1 through the level list.
    void StartFirstLevel()
    {
        ReachMenu();
        ClickMenu(MyGame::MenuNew);
        ASSERT_EQ(MyGame::GameNew, Probe().State());
        Click(400, kFirstLevelRowY);
        ASSERT_EQ(MyGame::GameRunning, Probe().State());
        ASSERT_TRUE(Probe().Snake().IsIdle());
    }

    void Save(const char* name) { EXPECT_FALSE(SaveScreenshot(name).empty()) << name; }
};

// The bottom band, where every screen's way back is written.
const int kBandTop = 768 - 36 - 10;
const int kBandBottom = 768 - 10;

} // namespace

TEST(ScreenText, OptionValuesAndHelpHints)
{
    const struct { bool player; int value; const char* text; } kCases[] = {
        {true, 0, "--%"}, {true, 3, "75%"}, {true, 16, "400%"}, {false, 100, "100%"}, {false, 20, "20%"}};
    for (const auto& kCase : kCases) {
        char text[16];
        kCase.player ? ScreenText::PlayerSpeed(static_cast<tnUInt16>(kCase.value), text, sizeof(text))
                     : ScreenText::GameSpeed(static_cast<signed char>(kCase.value), text, sizeof(text));
        EXPECT_STREQ(kCase.text, text) << kCase.value;
    }
    // A short buffer is cut, never overrun.
    char small[3] = {'x', 'x', 'x'};
    ScreenText::PlayerSpeed(16, small, sizeof(small));
    EXPECT_STREQ("40", small);

    EXPECT_STREQ("Press Esc to go to the Menu", ScreenText::HelpHint(2, 2));
    EXPECT_STREQ("Press space to continue, Esc to the Menu", ScreenText::HelpHint(1, 2));
}

TEST_F(Screens, LoadingIsWrittenOnlyOnTheTitleFrame)
{
    ReachMenu();
    Frame();
    Picture menu = Shown();
    EXPECT_EQ(0, menu.Count(0, kBandTop, 1024, kBandBottom, 0xFF00FF00));
    // The title frame again, now that frames reach the screen: the same
    // menu with "Loading..." under it, and the loading starts after it.
    Probe().State() = MyGame::GameIntro;
    Frame();
    EXPECT_EQ(MyGame::GameInit, Probe().State());
    Picture title = Shown();
    Probe().State() = MyGame::GameMenu;
    EXPECT_GT(title.Count(0, kBandTop, 1024, kBandBottom, 0xFF00FF00), 50);
    EXPECT_EQ(menu.Cut(0, 0, 1024, kBandTop - 20), title.Cut(0, 0, 1024, kBandTop - 20));
}

TEST_F(Screens, MenuFillsTheScreenWithSkyButtonsPicturesAndCredits)
{
    ReachMenu();
    Frame();
    Picture menu = Shown();
    Save("menu");
    EXPECT_EQ(kSkyBlue, menu.At(2, 2));
    EXPECT_EQ(kSkyBlue, menu.At(1021, 765));
    // The buttons cover the middle column, the credits are white text near the bottom.
    EXPECT_NE(kSkyBlue, menu.At(kButtonX, kFirstButtonY));
    const int creditSky = menu.Count(0, 768 - 60, 1024, 768 - 40, kSkyBlue);
    EXPECT_LT(creditSky, 1024 * 20 - 300);
    EXPECT_GT(creditSky, 1024 * 20 / 2);
    // The three butterflies of the static sheet.
    for (POINT at : {POINT{150, 200}, POINT{800, 500}, POINT{900, 300}})
        EXPECT_LT(menu.Count(at.x - 16, at.y - 16, at.x + 16, at.y + 16, kSkyBlue), 32 * 32 - 50) << at.x;
    // The title picture sits above the buttons.
    EXPECT_LT(menu.Count(1024 / 2 - 280, 100, 1024 / 2 + 280, 200, kSkyBlue), 560 * 100);
}

TEST_F(Screens, MenuAndPlayGiveTheSamePixelsDrawnStraightOrOffScreenAndScaled)
{
    // A window of the picture's size is drawn into directly; any other size
    // gets the picture drawn off screen. The same frame must give the same
    // pixels both ways, and the same as the frame first shown.
    auto sameBothWays = [this] {
        Frame();
        Picture straight = Shown();
        testcontrol::ResizeWindow(1280, 960);
        testcontrol::RedrawLastFrame();
        bool same = straight.pixels == Shown().pixels;
        testcontrol::ResizeWindow(1024, 768); // the pointer is in picture pixels again
        return same;
    };
    ReachMenu();
    EXPECT_TRUE(sameBothWays()) << "the menu";
    StartFirstLevel();
    for (int frame = 0; frame < 40; ++frame)
        Frame(); // the farmer under way, statements rising
    // Those frames were drawn only where they changed; drawn whole again the
    // last one gives the same pixels.
    EXPECT_TRUE(sameBothWays()) << "level 1";
}

TEST_F(Screens, OptionsShowTheirValuesAndTheRowUnderThePointer)
{
    ReachMenu();
    ClickMenu(MyGame::MenuOptions);
    ASSERT_EQ(MyGame::GameOption, Probe().State());
    Probe().PlayerSpeed() = 3;
    Probe().Speed() = 75; // shows "75%" on the game-speed row, as 3 does on the player-speed row
    Probe().Selected() = RECT();
    MovePointer(5, 5);
    Frame();
    Picture plain = Shown();
    const RECT& panel = Probe().OptionPanel();
    // No highlight without a selected row; the panel is the dark box.
    EXPECT_EQ(0, plain.Count(panel.left, panel.top, panel.right, panel.bottom, kHighlight));
    EXPECT_EQ(kBoxColour, plain.At(panel.left + 5, panel.top + 5));
    EXPECT_EQ(0xFF000000, plain.At(panel.left - 10, panel.top - 10)); // outside stays black
    const RECT& speed = Probe().OptionSpeedPanel();
    const RECT& player = Probe().OptionPlayerSpeedPanel();
    std::vector<DWORD> speedValue = plain.Cut(speed.right - 120, speed.top, speed.right - 20, speed.bottom);
    std::vector<DWORD> playerValue = plain.Cut(player.right - 120, player.top, player.right - 20, player.bottom);
    EXPECT_EQ(speedValue, playerValue);
    EXPECT_GT(plain.Count(player.right - 120, player.top, player.right - 20, player.bottom, 0xFFFFFFFF), 20);

    // No level yet: "--%" is not "75%".
    Probe().PlayerSpeed() = 0;
    Frame();
    EXPECT_NE(speedValue, Shown().Cut(player.right - 120, player.top, player.right - 20, player.bottom));

    // The pointer over the grid row highlights it.
    Probe().PlayerSpeed() = 4;
    Probe().Speed() = 100;
    const RECT& grid = Probe().OptionGridPanel();
    MovePointer(grid.left + 40, grid.top + 10);
    RunFrames(2);
    Picture selected = Shown();
    Save("options");
    EXPECT_GT(selected.Count(grid.left, grid.top, grid.right, grid.bottom, kHighlight), 1000);
    EXPECT_EQ(0, selected.Count(panel.left, Probe().OptionMusicPanel().top, panel.right,
                                Probe().OptionMusicPanel().bottom, kHighlight));
}

TEST_F(Screens, LevelListTopScoreAndHelpPages)
{
    ReachMenu();
    ClickMenu(MyGame::MenuNew);
    ASSERT_EQ(MyGame::GameNew, Probe().State());
    MovePointer(400, kFirstLevelRowY);
    Frame();
    Picture list = Shown();
    Save("level_list");
    EXPECT_EQ(kBoxColour, list.At(270, 680));
    EXPECT_GT(list.Count(262, kFirstLevelRowY - 5, 762, kFirstLevelRowY + 5, kHighlight), 1000); // hovered row
    TapKey(DIK_ESCAPE);
    ASSERT_EQ(MyGame::GameMenu, Probe().State());

    Probe().LoadedTopScore() = false;
    TempGameDir::WriteFile(Dir().Path("Data/score.dat"), std::string("\x39\x30\x00\x00", 4)); // 12345
    ClickMenu(MyGame::MenuTopScore);
    ASSERT_EQ(MyGame::GameTopScore, Probe().State());
    Frame();
    Picture score = Shown();
    Save("top_score");
    EXPECT_EQ(12345u, Probe().HighestGold());
    EXPECT_EQ(kBoxColour, score.At(265, 530));
    EXPECT_GT(score.Count(262, 366, 762, 402, 0xFFFF0000), 50);  // "Top Score"
    EXPECT_GT(score.Count(262, 417, 762, 453, 0xFFFFFF00), 50);  // "12345 Gold"
    std::vector<DWORD> backHint = score.Cut(0, kBandTop, 1024, kBandBottom);
    TapKey(DIK_ESCAPE);

    ClickMenu(MyGame::MenuHelp);
    ASSERT_EQ(MyGame::GameHelp, Probe().State());
    ASSERT_EQ(1, Probe().CurrentHelpPage());
    Frame();
    Picture first = Shown();
    Save("help_page_1");
    const int width = static_cast<int>(Probe().HelpPicture().GetWidth());
    const int height = static_cast<int>(Probe().HelpPicture().GetHeight());
    ASSERT_GT(width, 0);
    // The page is centred; the bottom line offers the next page.
    EXPECT_NE(0xFF000000, first.At(512, 384));
    EXPECT_EQ(0xFF000000, first.At((1024 - width) / 2 - 2, (768 - height) / 2 - 2 > 0 ? (768 - height) / 2 - 2 : 0));
    EXPECT_NE(backHint, first.Cut(0, kBandTop, 1024, kBandBottom));
    // The last page reads exactly as the other screens' way back.
    Probe().TimerCount() = 0.0f;
    TapKey(DIK_SPACE);
    ASSERT_EQ(2, Probe().CurrentHelpPage());
    Frame();
    Save("help_page_2");
    EXPECT_EQ(backHint, Shown().Cut(0, kBandTop, 1024, kBandBottom));
}

TEST_F(Screens, LevelStartWithAndWithoutTheGrid)
{
    StartFirstLevel();
    const RECT field = Probe().MainPanel();
    Probe().GridOn() = false;
    Probe().IdleTimes() = 0; // shown on this frame
    Frame();
    Picture plain = Shown();
    Save("level1_start");
    Probe().GridOn() = true;
    Probe().IdleTimes() = 0;
    Frame();
    Picture grid = Shown();
    Save("level1_start_grid");

    // The side panels, with an icon beside each statistic.
    EXPECT_EQ(kBoxColour, plain.At(3, 440));
    const RECT result = Probe().ResultPanel();
    const int iconTop = result.top + 20 + 26;
    for (int offset : {10, 48, 86, 124, 162}) {
        const int boxCount = plain.Count(result.left + 4, iconTop + offset - 16, result.left + 36,
                                         iconTop + offset + 16, kBoxColour);
        EXPECT_GT(boxCount, 100) << "icon at " << offset; // shaped, not a filled square
        EXPECT_LT(boxCount, 32 * 32 - 100) << "icon at " << offset;
    }
    // "Level 1" and "Go!" in red over the middle of the field.
    const int textTop = field.top + (field.bottom - field.top - 36) / 2;
    EXPECT_GT(plain.Count(field.left, textTop, field.right, textTop + 72, 0xFFFF0000), 100);

    // Every grid line lies on the cell edges: 28 vertical and 24 horizontal.
    // Objects drawn over the grid hide a few cells of a line, never most of it.
    auto changedAlong = [&](bool vertical, int at) {
        int changed = 0;
        const int cells = vertical ? Probe().YGrids() : Probe().XGrids();
        for (int c = 0; c < cells; ++c) {
            const int x = vertical ? at : field.left + 16 + 32 * c;
            const int y = vertical ? field.top + 16 + 32 * c : at;
            changed += plain.At(x, y) != grid.At(x, y) ? 1 : 0;
        }
        return changed * 2 > cells;
    };
    for (int j = 0; j <= Probe().XGrids(); ++j)
        EXPECT_TRUE(changedAlong(true, field.left + 32 * j)) << "column line " << j;
    for (int i = 0; i <= Probe().YGrids(); ++i)
        EXPECT_TRUE(changedAlong(false, field.top + 32 * i)) << "row line " << i;
    EXPECT_FALSE(changedAlong(true, field.left + 16 + 32 * 5)); // between two lines
    // Halfway between lines nothing changes.
    EXPECT_EQ(plain.At(field.left + 16 + 32 * 3, field.top + 16 + 32 * 3),
              grid.At(field.left + 16 + 32 * 3, field.top + 16 + 32 * 3));
}

TEST_F(Screens, IdleFarmerBlinksTenFramesInThirty)
{
    StartFirstLevel();
    skObject* farmer = Probe().Snake().GetHeadObject();
    ASSERT_NE(nullptr, farmer);
    const int x = farmer->GetXPosition();
    const int y = farmer->GetYPosition();
    auto farmerArea = [&](tnUInt32 idleBefore) {
        Probe().IdleTimes() = idleBefore;
        Frame();
        return Shown().Cut(x - 12, y - 12, x + 12, y + 12);
    };
    std::vector<DWORD> shown = farmerArea(29); // counted to 30: shown
    EXPECT_EQ(shown, farmerArea(8));           // 9: still shown
    std::vector<DWORD> hidden = farmerArea(9); // 10: hidden
    EXPECT_NE(shown, hidden);
    EXPECT_EQ(hidden, farmerArea(28));         // 29: hidden
    EXPECT_EQ(29u, Probe().IdleTimes());
}

TEST_F(Screens, PlayOverlaysForPauseGameOverAndLevelComplete)
{
    StartFirstLevel();
    const RECT field = Probe().MainPanel();
    const int top = field.top + (field.bottom - field.top) / 2;
    auto redInFirstBand = [&]() {
        Frame();
        return Shown().Count(field.left, top, field.right, top + 36, 0xFFFF0000);
    };
    Probe().Snake().SetDirection(ANIMATION_DATA::EAST); // no longer idle: no "Level 1"
    ASSERT_FALSE(Probe().Snake().IsIdle());
    Probe().State() = MyGame::GameRunning;
    EXPECT_EQ(0, redInFirstBand());

    Probe().State() = MyGame::GamePause;
    EXPECT_GT(redInFirstBand(), 100);
    Picture paused = Shown();
    EXPECT_GT(paused.Count(field.left, field.bottom - 72, field.right, field.bottom - 36, 0xFF00FF00), 100);

    // A record shows its congratulation for 3.5 s, then the plain message.
    Probe().State() = MyGame::GameLost;
    Probe().Gold() = 500;
    Probe().HighestGold() = 100;
    Probe().TimerCount() = 1.0f;
    EXPECT_GT(redInFirstBand(), 100);
    Picture record = Shown();
    EXPECT_GT(record.Count(field.left, top + 36, field.right, top + 72, 0xFFFF0000), 100);
    Probe().TimerCount() = 4.0f;
    EXPECT_GT(redInFirstBand(), 100);
    EXPECT_EQ(0, Shown().Count(field.left, top + 36, field.right, top + 72, 0xFFFF0000));
    Probe().TimerCount() = 0.0f;
    Probe().Gold() = 0;

    Probe().State() = MyGame::GameLevelComplete;
    Probe().TimerCount3() = 0.5f; // past the first frame: no new bonus is counted
    Probe().Bonus() = 2600;
    Probe().BonusLeft() = 2600;
    EXPECT_GT(redInFirstBand(), 100);
    EXPECT_GT(Shown().Count(field.left, top + 46, field.right, top + 92, 0xFFFF0000), 100);
}

// A title wider than the panel wraps onto a second line, inside the panel,
// and the level's text starts below it.
TEST_F(Screens, WideLevelTitleWrapsAboveTheText)
{
    StartFirstLevel();
    Probe().State() = MyGame::GamePause;
    Probe().Map().SetTitle("Witch's Garden");
    Probe().Map().SetText("MMMMMMMM");
    Frame();
    const D3DCOLOR heading = 0xFFFF6349, text = 0xFF006464;
    EXPECT_GT(Shown().Count(0, 5, 127, 25, heading), 20) << "first line";
    EXPECT_GT(Shown().Count(0, 25, 127, 45, heading), 20) << "second line";
    EXPECT_EQ(0, Shown().Count(0, 0, 127, 48, text)) << "the text overlaps the title";
    EXPECT_GT(Shown().Count(0, 48, 127, 70, text), 20) << "the text below the title";
}

TEST_F(Screens, UnterminatedLevelTitleStopsAtItsField)
{
    StartFirstLevel();
    Probe().Snake().SetDirection(ANIMATION_DATA::EAST);
    Probe().State() = MyGame::GamePause;
    // A title of 39 characters is shown whole ...
    Probe().Map().SetTitle(std::string(39, 'W').c_str());
    Frame();
    std::vector<DWORD> whole = Shown().Cut(0, 0, 128, 26);
    // ... and one whose field holds no terminator shows the same 39, not
    // whatever follows the field.
    char* title = const_cast<char*>(Probe().Map().GetTitle());
    std::memset(title, 'W', 40);
    Probe().Map().SetText("MMMMMMMM");
    Frame();
    EXPECT_EQ(whole, Shown().Cut(0, 0, 128, 26));
}
