#include "gamefixture.h"

#include "dinput.h"
#include "testcontrol.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace {

const char* const kStartLog =
    "\n-----------------------------Init--------------------------------\n"
    "Success: InitD3DDevice(), in MyGame::InitDirectX()\n"
    "Success: InitInputDevice(), in MyGame::InitInputDevice()\n"
    "Success: SoundManager.Init(), in MyGame::InitSoundDevice()\n"
    "Success: Sound.Init(), in MyGame::InitSoundDevice()\n"
    "Success: MidiPlay.Init(), in MyGame::InitSoundDevice()\n"
    "Success: InitDirectX(), in MyGame::InitDirectX()\n"
    "Success: RestoreDeviceObects(), in MyGame::RestoreDeviceObjects()\n"
    "\nINFO:\tTime Used for Init() is ";

class GameFlow : public GameFixture {};

} // namespace

TEST_F(GameFlow, SuccessfulStartLogsEveryStepInOrder)
{
    // The window comes first, saying which renderer it got and why.
    const std::string renderer = "Renderer: software, chosen for no screen (dummy video driver)\n";
    EXPECT_EQ(0u, LogText().find(renderer + kStartLog)) << LogText();
}

TEST_F(GameFlow, TitleIsDrawnOnceThenDataLoadsAndTheMenuOpens)
{
    EXPECT_EQ(MyGame::GameIntro, Probe().State());
    Frame(); // the first frame does no game work
    EXPECT_EQ(MyGame::GameIntro, Probe().State());
    Frame(); // draws the title, then loading starts
    EXPECT_EQ(MyGame::GameInit, Probe().State());
    Frame();
    EXPECT_EQ(MyGame::GameMenu, Probe().State());
    // Every sound loaded, each in its place.
    ASSERT_EQ(19u, Probe().WaveList().size());
    EXPECT_NE(nullptr, Probe().WaveList()[MyGame::SoundGold].wavData);
    // The layout of the screen.
    EXPECT_EQ(27, Probe().XGrids());
    EXPECT_EQ(23, Probe().YGrids());
}

TEST_F(GameFlow, LayoutAtTheGamesScreenSize)
{
    ReachMenu();
    auto expect = [](const RECT& r, LONG l, LONG t, LONG rt, LONG b) {
        EXPECT_EQ(l, r.left);
        EXPECT_EQ(t, r.top);
        EXPECT_EQ(rt, r.right);
        EXPECT_EQ(b, r.bottom);
    };
    expect(Probe().NextPanel(), 0, 0, 127, 447);
    expect(Probe().ResultPanel(), 0, 448, 127, 703);
    expect(Probe().ScorePanel(), 0, 704, 127, 767);
    expect(Probe().OptionPanel(), 262, 159, 762, 609);
    expect(Probe().OptionMusicPanel(), 262, 259, 762, 295);
    expect(Probe().OptionPlayerSpeedPanel(), 262, 459, 762, 495);
    expect(Probe().MainPanel(), 144, 16, 1007, 751);
}

TEST_F(GameFlow, GameSpeedSleepsInEveryState)
{
    ReachMenu();
    Probe().Speed() = 20;
    testcontrol::ResetSleptMilliseconds();
    Frame();
    // 60 ms of game speed; the frame then lasts longer than the pacing floor.
    EXPECT_EQ(60u, testcontrol::SleptMilliseconds());
    EXPECT_EQ(16u, Game().GetFPS());
    Probe().Speed() = 100;
    testcontrol::ResetSleptMilliseconds();
    Game().ProcessGame(0.033f);
    EXPECT_EQ(0u, testcontrol::SleptMilliseconds());
}

TEST_F(GameFlow, LevelBonusIsPaidInTenPartsThenTheNextLevelStarts)
{
    ReachMenu();
    // The worked example: chain speed 4, 5 traps, chain size 61, level 2.
    Probe().State() = MyGame::GameLevelComplete;
    Probe().Traps() = 5;
    Probe().CurrentLevel() = 2;
    Probe().TimerCount3() = 0.0f;
    Probe().Gold() = 0;
    Probe().Snake().Init(4);
    skObject member;
    for (int i = 0; i < 61; ++i)
        Probe().Snake().Insert(member);
    ASSERT_EQ(61u, Probe().Snake().GetSize());

    Game().ProcessGame(0.033f);
    EXPECT_EQ(2600u, Probe().Bonus());
    EXPECT_EQ(260u, Probe().Gold());
    int payments = 1;
    tnUInt32 last = Probe().Gold();
    for (int frame = 0; frame < 200 && Probe().BonusLeft() != 0; ++frame) {
        Game().ProcessGame(0.033f);
        if (Probe().Gold() != last) {
            EXPECT_EQ(260u, Probe().Gold() - last);
            last = Probe().Gold();
            ++payments;
        }
    }
    EXPECT_EQ(10, payments);
    EXPECT_EQ(2600u, Probe().Gold());
}

TEST_F(GameFlow, BonusIsCutAtTenThousand)
{
    ReachMenu();
    Probe().State() = MyGame::GameLevelComplete;
    Probe().Traps() = 40;
    Probe().CurrentLevel() = 30;
    Probe().TimerCount3() = 0.0f;
    Probe().Snake().Init(16);
    Game().ProcessGame(0.033f);
    EXPECT_EQ(10000u, Probe().Bonus());
    EXPECT_EQ(1000u, Probe().Gold());
}

TEST_F(GameFlow, GameOverWritesOnlyABetterScoreAsFourLittleEndianBytes)
{
    ReachMenu();
    TempGameDir::WriteFile(Dir().Path("Data/score.dat"), std::string("\x20\x03\x00\x00", 4)); // 800
    Probe().HighestGold() = 800;
    // 900 beats the record and is written; 500 after it leaves the file alone.
    for (tnUInt32 gold : {900u, 500u}) {
        Probe().Gold() = gold;
        Probe().State() = MyGame::GameLost;
        Probe().TimerCount() = 4.0f;
        Game().ProcessGame(0.5f); // still showing the message
        EXPECT_EQ(MyGame::GameLost, Probe().State());
        Game().ProcessGame(1.5f);
        Game().ProcessGame(0.033f);
        EXPECT_EQ(MyGame::GameMenu, Probe().State());
        EXPECT_EQ(tnButton::DISABLED, Probe().MenuButtons()[MyGame::MenuResume].GetStage());
        EXPECT_EQ(std::string("\x84\x03\x00\x00", 4), TempGameDir::ReadFile(Dir().Path("Data/score.dat")));
        EXPECT_EQ(900u, Probe().HighestGold());
    }
}

TEST_F(GameFlow, ScoreFileIsReplacedWholeAndShortFilesReadAsZero)
{
    ReachMenu();
    TempGameDir::WriteFile(Dir().Path("Data/score.dat"), std::string("\x01\x02", 2));
    Probe().ReadTopScore();
    EXPECT_EQ(0u, Probe().HighestGold());

    TempGameDir::WriteFile(Dir().Path("Data/score.dat"), std::string("\x10\x27\x00\x00", 4));
    Probe().ReadTopScore();
    EXPECT_EQ(10000u, Probe().HighestGold());

    // No half-written file is ever left behind.
    Probe().Gold() = 70000;
    Probe().WriteTopScoreIfBeaten();
    EXPECT_EQ(std::string("\x70\x11\x01\x00", 4), TempGameDir::ReadFile(Dir().Path("Data/score.dat")));
    EXPECT_FALSE(std::filesystem::exists(Dir().Path("Data/score.dat.new")));
}

TEST_F(GameFlow, LevelListIsReadAndAppendedUnderOneName)
{
    ReachMenu();
    // Only the lower-case spelling exists: it is the list. Its last record
    // was cut short by a crash: the new title follows the whole ones.
    std::string record(40, '\0');
    record.replace(0, 7, "Orchard");
    TempGameDir::WriteFile(Dir().Path("Data/levels.dat"), record + "Down t");
    Probe().AppendLevelTitle("Down the River");
    std::string list = TempGameDir::ReadFile(Dir().Path("Data/levels.dat"));
    ASSERT_EQ(80u, list.size());
    EXPECT_EQ(record, list.substr(0, 40));
    EXPECT_EQ(0, list.compare(40, 15, std::string("Down the River\0", 15)));
    EXPECT_FALSE(std::filesystem::exists(Dir().Path("Data/Levels.dat")));
    EXPECT_FALSE(std::filesystem::exists(Dir().Path("Data/levels.dat.new")));
}

TEST_F(GameFlow, PauseAndResumeWithP)
{
    ReachMenu();
    Probe().State() = MyGame::GameRunning;
    Probe().Snake().Init(4);
    PressKey(DIK_P);
    Frame();
    EXPECT_EQ(MyGame::GamePause, Probe().State());
    EXPECT_EQ(tnButton::ENABLED, Probe().MenuButtons()[MyGame::MenuResume].GetStage());
    // Still held: nothing until a quarter second has passed.
    Frame();
    EXPECT_EQ(MyGame::GamePause, Probe().State());
    ReleaseKey(DIK_P);
    Frame();
    PressKey(DIK_P);
    Frame();
    EXPECT_EQ(MyGame::GameRunning, Probe().State());
    ReleaseKey(DIK_P);
    Frame();
}

TEST_F(GameFlow, EscapeInPlayReturnsToTheMenuWithResumeEnabled)
{
    ReachMenu();
    Probe().State() = MyGame::GameRunning;
    TapKey(DIK_ESCAPE);
    EXPECT_EQ(MyGame::GameMenu, Probe().State());
    EXPECT_EQ(tnButton::ENABLED, Probe().MenuButtons()[MyGame::MenuResume].GetStage());
}

TEST_F(GameFlow, ObjectiveKeysStayWithinTheirBounds)
{
    ReachMenu();
    Probe().State() = MyGame::GameRunning;
    Probe().ObjectiveTargets() = 495;
    TapKey(DIK_F12);
    EXPECT_EQ(500, Probe().ObjectiveTargets());
    TapKey(DIK_F12); // within 0.4 s of the last F12: no repeat
    EXPECT_EQ(500, Probe().ObjectiveTargets());
    Probe().TimerCount2() = 1.0f;
    TapKey(DIK_F12);
    EXPECT_EQ(505, Probe().ObjectiveTargets());
    Probe().TimerCount2() = 1.0f;
    TapKey(DIK_F12);
    EXPECT_EQ(505, Probe().ObjectiveTargets());
    Probe().ObjectiveTargets() = 6;
    TapKey(DIK_F11);
    EXPECT_EQ(1, Probe().ObjectiveTargets());
    Probe().TimerCount2() = 1.0f;
    TapKey(DIK_F11);
    EXPECT_EQ(1, Probe().ObjectiveTargets());
}

TEST_F(GameFlow, LongerChainThanTheObjectiveWinsTheLevel)
{
    ReachMenu();
    Probe().State() = MyGame::GameRunning;
    Probe().ObjectiveTargets() = 3;
    Probe().Snake().Init(4);
    skObject member;
    for (int i = 0; i < 3; ++i)
        Probe().Snake().Insert(member);
    Probe().ProcessFrame(0.033f);
    EXPECT_EQ(MyGame::GameRunning, Probe().State());
    Probe().Snake().Insert(member);
    Probe().JustFinishedLevel() = false;
    Probe().ProcessFrame(0.033f);
    EXPECT_EQ(MyGame::GameLevelComplete, Probe().State());
    EXPECT_TRUE(Probe().JustFinishedLevel());
}

TEST_F(GameFlow, StatementsLeavingTheFieldAreErasedWithoutSkippingTheNext)
{
    ReachMenu();
    const RECT& field = Probe().MainPanel();
    tnVector<tnStatement>& list = Probe().Statements();
    list.push_back(tnStatement(200, field.top + 2, tnStringC("gone"), 0xFFFFFFFF, 4, 4));
    list.push_back(tnStatement(200, field.top + 3, tnStringC("also gone"), 0xFFFFFFFF, 4, 4));
    list.push_back(tnStatement(200, field.top + 100, tnStringC("stays"), 0xFFFFFFFF, 4, 4));
    Probe().UpdateStatements();
    ASSERT_EQ(1u, list.size());
    EXPECT_EQ(field.top + 96, list[0].GetY());
}

TEST_F(GameFlow, CleanUpTwiceFreesOnceAndLogsTheShutdownLines)
{
    ReachMenu();
    Game().CleanUp();
    Game().CleanUp();
    EXPECT_EQ(0, testcontrol::LiveInputObjects());
    EXPECT_EQ(0, testcontrol::LiveSoundObjects());
    std::string log = LogText();
    EXPECT_NE(std::string::npos, log.find("Input Device Destroyed\nSound Destroyed\nMidi Destroyed\nSound Manager "
                                          "Destroyed\nDirectX Object Destroyed\nAll other Objects Destroyed\n"));
}

TEST_F(GameFlow, ALostDeviceIsRecoveredWithNewFontsInEveryWidget)
{
    ReachMenu();
    ClickMenu(MyGame::MenuNew);
    ASSERT_EQ(MyGame::GameNew, Probe().State());
    ASSERT_NE(nullptr, Probe().ComboList());
    std::vector<DWORD> before;
    ASSERT_TRUE(testcontrol::ReadBackBuffer(before));

    testcontrol::LoseDevice();
    RunFrames(3); // lost, then not reset while in front: reset and restored
    ASSERT_NE(nullptr, Probe().Font());
    ASSERT_NE(nullptr, Probe().Font2());
    ASSERT_NE(nullptr, Probe().Font3());
    EXPECT_EQ(Probe().Font(), Probe().ComboList()->GetFont());
    EXPECT_EQ(Probe().Font(), Probe().BackButton().GetFont());
    for (tnUInt32 i = 0; i < Probe().MenuButtons().size(); ++i)
        EXPECT_EQ(Probe().Font(), Probe().MenuButtons()[i].GetFont());
    EXPECT_EQ(2u, CountInLog("Success: RestoreDeviceObects(), in MyGame::RestoreDeviceObjects()\n"));
    // The level list is drawn again, text and all, as before the loss.
    std::vector<DWORD> after;
    ASSERT_TRUE(testcontrol::ReadBackBuffer(after));
    EXPECT_TRUE(before == after);

    // The menu's pictures are kept by their surfaces alone, and come back whole.
    TapKey(DIK_ESCAPE);
    ASSERT_EQ(MyGame::GameMenu, Probe().State());
    ASSERT_TRUE(testcontrol::ReadBackBuffer(before));
    testcontrol::LoseDevice();
    RunFrames(3);
    ASSERT_TRUE(testcontrol::ReadBackBuffer(after));
    EXPECT_TRUE(before == after);
}
