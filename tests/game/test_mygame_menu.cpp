// The input side of the menu, the options, the level list, the top score,
// the help pages and the final picture, driven by injected clicks and keys.
#include "gamefixture.h"
#include "levelfiles.h"

#include "dinput.h"
#include "testcontrol.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

class Menu : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        ReachMenu();
        MovePointer(5, 5);
        Frame();
    }

    void OpenOptions()
    {
        ClickMenu(MyGame::MenuOptions);
        ASSERT_EQ(MyGame::GameOption, Probe().State());
    }

    // A click in the middle of an option row.
    void ClickRow(const RECT& row, int button = 0) { Click(row.left + 50, (row.top + row.bottom) / 2, button); }

    void WriteLevelList(const std::vector<std::string>& titles)
    {
        std::string list;
        for (const std::string& title : titles) {
            std::string record(40, '\0');
            record.replace(0, title.size(), title);
            list += record;
        }
        TempGameDir::WriteFile(Dir().Path("Data/Levels.dat"), list);
    }

    // A level's title as its map holds it (behind the map part's first byte).
    static std::string LevelTitle(int level)
    {
        const std::string map = TempGameDir::ReadFile("../Data/Level" + std::to_string(level) + ".dat");
        return map.size() > 41 ? std::string(map.c_str() + 1) : std::string();
    }
};

} // namespace

TEST_F(Menu, HoverSoundPlaysOncePerEntryOntoAButton)
{
    testcontrol::ClearSoundEvents();
    Probe().SoundOn() = false; // the menu's sounds play regardless
    MovePointer(kButtonX, kFirstButtonY);
    RunFrames(3);
    EXPECT_EQ(1u, StartedSounds());
    EXPECT_EQ(tnButton::HIGHLIGHTED, Probe().MenuButtons()[MyGame::MenuNew].GetStage());
    // Across to the next button: one more; off and back on: one more.
    MovePointer(kButtonX, kFirstButtonY + 50);
    RunFrames(2);
    EXPECT_EQ(2u, StartedSounds());
    EXPECT_EQ(tnButton::ENABLED, Probe().MenuButtons()[MyGame::MenuNew].GetStage());
    MovePointer(5, 5);
    Frame();
    MovePointer(kButtonX, kFirstButtonY + 50);
    RunFrames(2);
    EXPECT_EQ(3u, StartedSounds());
    // The disabled "Resume" is skipped: no sound, no highlight.
    MovePointer(kButtonX, kFirstButtonY + 150);
    RunFrames(2);
    EXPECT_EQ(3u, StartedSounds());
    EXPECT_EQ(tnButton::DISABLED, Probe().MenuButtons()[MyGame::MenuResume].GetStage());
}

TEST_F(Menu, DisabledResumeCannotBeClickedEnabledResumeReturnsToPlay)
{
    testcontrol::ClearSoundEvents();
    ClickMenu(MyGame::MenuResume);
    EXPECT_EQ(MyGame::GameMenu, Probe().State());
    EXPECT_EQ(0u, StartedSounds());

    Probe().MenuButtons()[MyGame::MenuResume].SetStage(tnButton::ENABLED);
    ClickMenu(MyGame::MenuResume);
    EXPECT_EQ(MyGame::GameRunning, Probe().State());
    EXPECT_EQ(tnButton::DISABLED, Probe().MenuButtons()[MyGame::MenuResume].GetStage());
    EXPECT_EQ(2u, StartedSounds()); // the hover and the click
}

TEST_F(Menu, QuitEndsTheProgram)
{
    ClickMenu(MyGame::MenuQuit);
    EXPECT_EQ(MyGame::GameQuit, Probe().State());
    EXPECT_EQ(tnNotOK, Game().ProcessGame(0.016f));
}

TEST_F(Menu, OptionTogglesAndSpeedCycles)
{
    OpenOptions();
    ClickRow(Probe().OptionMusicPanel());
    EXPECT_FALSE(Probe().MusicOn());
    ClickRow(Probe().OptionMusicPanel(), 1); // the right button does nothing here
    EXPECT_FALSE(Probe().MusicOn());
    ClickRow(Probe().OptionMusicPanel());
    EXPECT_TRUE(Probe().MusicOn());
    ClickRow(Probe().OptionSoundPanel());
    EXPECT_FALSE(Probe().SoundOn());
    ClickRow(Probe().OptionGridPanel());
    EXPECT_TRUE(Probe().GridOn());
    // The last row under the pointer stays highlighted.
    EXPECT_EQ(Probe().OptionGridPanel().top, Probe().Selected().top);

    for (int expected : {80, 60, 40, 20, 100}) {
        ClickRow(Probe().OptionSpeedPanel());
        EXPECT_EQ(expected, Probe().Speed());
    }
    Probe().Speed() = 20;
    for (int expected : {40, 60, 80, 100, 20}) {
        ClickRow(Probe().OptionSpeedPanel(), 1);
        EXPECT_EQ(expected, Probe().Speed());
    }
}

TEST_F(Menu, PlayerSpeedHalvesAndDoublesWithWrapAndZeroStays)
{
    OpenOptions();
    const RECT& row = Probe().OptionPlayerSpeedPanel();
    ClickRow(row);
    EXPECT_EQ(0, Probe().PlayerSpeed());
    ClickRow(row, 1);
    EXPECT_EQ(0, Probe().PlayerSpeed());

    Probe().PlayerSpeed() = 16;
    for (int expected : {8, 4, 2, 16}) {
        ClickRow(row);
        EXPECT_EQ(expected, Probe().PlayerSpeed());
    }
    Probe().PlayerSpeed() = 2;
    for (int expected : {4, 8, 16, 2}) {
        ClickRow(row, 1);
        EXPECT_EQ(expected, Probe().PlayerSpeed());
    }
}

TEST_F(Menu, EscapeUndoesEveryOptionSaveKeepsThemAndSpeedsUpTheChain)
{
    Probe().PlayerSpeed() = 4;
    Probe().Snake().Init(4);
    OpenOptions();
    ClickRow(Probe().OptionMusicPanel());
    ClickRow(Probe().OptionSoundPanel());
    ClickRow(Probe().OptionGridPanel());
    ClickRow(Probe().OptionSpeedPanel());
    ClickRow(Probe().OptionPlayerSpeedPanel(), 1);
    ASSERT_EQ(8, Probe().PlayerSpeed());
    TapKey(DIK_ESCAPE);
    EXPECT_EQ(MyGame::GameMenu, Probe().State());
    EXPECT_TRUE(Probe().MusicOn());
    EXPECT_TRUE(Probe().SoundOn());
    EXPECT_FALSE(Probe().GridOn());
    EXPECT_EQ(100, Probe().Speed());
    EXPECT_EQ(4, Probe().PlayerSpeed());
    EXPECT_EQ(4, Probe().Snake().GetSpeed());

    OpenOptions();
    ClickRow(Probe().OptionGridPanel());
    ClickRow(Probe().OptionPlayerSpeedPanel());
    const tnButton& save = Probe().BackButton();
    Click(save.GetX() + save.GetWidth() / 2, save.GetY() + save.GetHeight() / 2);
    EXPECT_EQ(MyGame::GameMenu, Probe().State());
    EXPECT_TRUE(Probe().GridOn());
    EXPECT_EQ(2, Probe().PlayerSpeed());
    EXPECT_EQ(2, Probe().Snake().GetSpeed());
    EXPECT_EQ(0, Probe().Selected().right - Probe().Selected().left);
}

TEST_F(Menu, LevelListRowsAndPickingTheSecondLoadsLevelTwo)
{
    WriteLevelList({"Apple Orchard", "Down the River", "Pear Hill"});
    Probe().CurrentSound() = MyGame::SoundRain;
    Probe().Gold() = 700;
    ClickMenu(MyGame::MenuNew);
    ASSERT_EQ(MyGame::GameNew, Probe().State());
    ASSERT_NE(nullptr, Probe().ComboList());
    EXPECT_EQ(3u, Probe().ComboList()->GetRowCount());
    EXPECT_EQ(3, Probe().AvailableLevel());
    EXPECT_EQ(MyGame::NoSound, Probe().CurrentSound());
    EXPECT_EQ(3, Probe().PlayerLife());

    Click(400, kFirstLevelRowY + 20);
    EXPECT_EQ(nullptr, Probe().ComboList());
    EXPECT_EQ(2, Probe().CurrentLevel());
    EXPECT_EQ(0u, Probe().Gold());
    EXPECT_EQ(MyGame::GameRunning, Probe().State());
    EXPECT_GT(Probe().Snake().GetSize(), 0u);
}

// Every level unlocked: the list shows its first rows, the down button
// scrolls until the last level is on show and then gives up, and the last
// row starts the last level.
TEST_F(Menu, LevelListScrollsDownToTheLastLevelAndStartsIt)
{
    const int levels = CountLevelFiles();
    std::vector<std::string> titles;
    for (int level = 1; level <= levels; ++level)
        titles.push_back(LevelTitle(level));
    WriteLevelList(titles);
    ClickMenu(MyGame::MenuNew);
    tnCombolist* list = Probe().ComboList();
    ASSERT_NE(nullptr, list);
    ASSERT_EQ(static_cast<tnUInt32>(levels), list->GetRowCount());
    const tnUInt32 visible = list->GetVisibleRows();
    ASSERT_EQ(25u, visible);
    ASSERT_GT(static_cast<tnUInt32>(levels), visible) << "nothing to scroll";
    EXPECT_EQ(0u, list->GetFirstRow());
    EXPECT_EQ(tnButton::DISABLED, list->GetUpButton().GetStage());

    // The list moves on for every frame the button is held down.
    const tnButton& down = list->GetDownButton();
    for (int clicks = 0; down.GetStage() == tnButton::ENABLED && clicks < levels; ++clicks) {
        const tnUInt32 before = list->GetFirstRow();
        Click(down.GetX() + down.GetWidth() / 2, down.GetY() + down.GetHeight() / 2);
        ASSERT_GT(list->GetFirstRow(), before) << "click " << clicks;
    }
    EXPECT_EQ(levels - visible, list->GetFirstRow());
    EXPECT_EQ(tnButton::DISABLED, down.GetStage());
    EXPECT_EQ(tnButton::ENABLED, list->GetUpButton().GetStage());
    Click(down.GetX() + down.GetWidth() / 2, down.GetY() + down.GetHeight() / 2);
    EXPECT_EQ(levels - visible, list->GetFirstRow()) << "scrolled past the last row";
    MovePointer(400, kFirstLevelRowY + 20 * static_cast<int>(visible - 1));
    Frame();
    EXPECT_EQ(static_cast<tnUInt32>(levels - 1), list->GetHoverRow());
    EXPECT_FALSE(SaveScreenshot("level_list_scrolled").empty());

    Click(400, kFirstLevelRowY + 20 * static_cast<int>(visible - 1));
    EXPECT_EQ(MyGame::GameRunning, Probe().State());
    EXPECT_EQ(levels, Probe().CurrentLevel());
    EXPECT_EQ(titles.back(), Probe().Map().GetTitle());
}

TEST_F(Menu, LevelListEscapeAndAFailedLoadStayOrLeave)
{
    // A listed level whose file is gone: the list stays and says so.
    WriteLevelList({"Apple Orchard", "Down the River"});
    std::filesystem::remove(Dir().Path("Data/Level2.dat"));
    ClickMenu(MyGame::MenuNew);
    Click(400, kFirstLevelRowY + 20);
    EXPECT_EQ(MyGame::GameNew, Probe().State());
    EXPECT_NE(nullptr, Probe().ComboList());
    EXPECT_NE(std::string::npos, LogText().find("Load failed"));

    TapKey(DIK_ESCAPE);
    EXPECT_EQ(MyGame::GameMenu, Probe().State());
    EXPECT_EQ(nullptr, Probe().ComboList());
}

TEST_F(Menu, HelpPagesOneTwoAndBackToTheMenu)
{
    ClickMenu(MyGame::MenuHelp);
    ASSERT_EQ(MyGame::GameHelp, Probe().State());
    EXPECT_EQ(1, Probe().CurrentHelpPage());
    EXPECT_GT(Probe().HelpPicture().GetWidth(), 0u);
    // Space held: the next page comes only after a quarter second.
    PressKey(DIK_SPACE);
    Frame();
    EXPECT_EQ(1, Probe().CurrentHelpPage());
    ASSERT_LT(Probe().TimerCount(), 0.25f);
    Probe().TimerCount() = 0.3f;
    Frame();
    EXPECT_EQ(2, Probe().CurrentHelpPage());
    EXPECT_EQ(MyGame::GameHelp, Probe().State());
    ReleaseKey(DIK_SPACE);
    Frame();
    EXPECT_EQ(2, Probe().CurrentHelpPage());
    TapKey(DIK_SPACE);
    EXPECT_EQ(MyGame::GameMenu, Probe().State());
    EXPECT_EQ(0, Probe().CurrentHelpPage());
    // Left with the timer restarted (the frame's step is added after it).
    EXPECT_LT(Probe().TimerCount(), 0.25f);
    EXPECT_EQ(0u, Probe().HelpPicture().GetWidth());

    // Escape from the first page, and a missing page keeps the help closed.
    ClickMenu(MyGame::MenuHelp);
    ASSERT_EQ(MyGame::GameHelp, Probe().State());
    Probe().TimerCount() = 0.3f;
    TapKey(DIK_ESCAPE);
    EXPECT_EQ(MyGame::GameMenu, Probe().State());
    EXPECT_EQ(0, Probe().CurrentHelpPage());
    EXPECT_EQ(0u, Probe().HelpPicture().GetWidth());
    std::filesystem::remove(Dir().Path("Graphics/help1.bmp"));
    ClickMenu(MyGame::MenuHelp);
    EXPECT_EQ(MyGame::GameMenu, Probe().State());
    EXPECT_EQ(0, Probe().CurrentHelpPage());
}

TEST_F(Menu, TopScoreIsReadOnceARun)
{
    TempGameDir::WriteFile(Dir().Path("Data/score.dat"), std::string("\x88\x13\x00\x00", 4)); // 5000
    Probe().LoadedTopScore() = false;
    ClickMenu(MyGame::MenuTopScore);
    ASSERT_EQ(MyGame::GameTopScore, Probe().State());
    EXPECT_EQ(5000u, Probe().HighestGold());
    EXPECT_TRUE(Probe().LoadedTopScore());
    TapKey(DIK_ESCAPE);
    ASSERT_EQ(MyGame::GameMenu, Probe().State());

    TempGameDir::WriteFile(Dir().Path("Data/score.dat"), std::string("\x28\x23\x00\x00", 4)); // 9000
    ClickMenu(MyGame::MenuTopScore);
    EXPECT_EQ(5000u, Probe().HighestGold());
    TapKey(DIK_ESCAPE);
}

TEST_F(Menu, WinningTheLastLevelWritesTheRecordAndShowsTheFinalPicture)
{
    Probe().HighestGold() = 10;
    Probe().Gold() = 40000;
    Probe().CurrentLevel() = static_cast<tnUInt16>(CountLevelFiles()); // the last level there is
    Probe().Snake().Init(4);
    Probe().State() = MyGame::GameLevelComplete;
    Probe().TimerCount3() = 0.5f;
    Probe().Bonus() = 0;
    Probe().BonusLeft() = 0;
    Frame();
    ASSERT_EQ(MyGame::GameComplete, Probe().State());
    EXPECT_EQ(std::string("\x40\x9C\x00\x00", 4), TempGameDir::ReadFile(Dir().Path("Data/score.dat")));
    EXPECT_EQ(40000u, Probe().HighestGold());
    EXPECT_GT(Probe().HelpPicture().GetWidth(), 0u);
    Frame();
    EXPECT_FALSE(SaveScreenshot("final_picture").empty());

    PressKey(DIK_ESCAPE);
    Frame();
    EXPECT_EQ(MyGame::GameMenu, Probe().State());
    EXPECT_EQ(static_cast<tnUInt32>(DIK_ESCAPE), Probe().PrevKeyPress());
    EXPECT_EQ(0u, Probe().HelpPicture().GetWidth());
    ReleaseKey(DIK_ESCAPE);
    Frame();
}
