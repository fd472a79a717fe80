// Whole games, headless, played by the bot through the game's own keys.
#include "bot.h"
#include "gamefixture.h"
#include "gamefolders.h"
#include "levelfiles.h"

#include "dinput.h"
#include "testcontrol.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

class WholeGame : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        std::srand(3);
        ReachMenu();
    }

    // Frames with the bot at the keys until `done` holds; false when the
    // frame limit came first.
    template <typename Done>
    bool PlayUntil(Bot& bot, int limit, Done done)
    {
        for (int frame = 0; frame < limit; ++frame) {
            if (done())
                return true;
            Frame();
            bot.Act();
        }
        return done();
    }

    // The first level, picked in the menu's list as a player would.
    void StartFirstLevel()
    {
        ClickMenu(MyGame::MenuNew);
        Click(kButtonX, kFirstLevelRowY);
        ASSERT_EQ(MyGame::GameRunning, Probe().State());
    }

    MyGame::GameState State() { return Probe().State(); }
};

} // namespace

TEST_F(WholeGame, TheBotWinsLevelOneAndTheBonusIsPaid)
{
    StartFirstLevel();
    Bot bot(Probe());
    ASSERT_TRUE(PlayUntil(bot, 6000, [&] { return State() != MyGame::GameRunning; })) << "still playing";
    ASSERT_EQ(MyGame::GameLevelComplete, State()) << "lives left " << Probe().PlayerLife();
    const tnUInt32 gold = Probe().Gold();
    EXPECT_GE(gold, 80u) << "eight fruits at ten gold";
    ASSERT_TRUE(RunUntil(MyGame::GameRunning, 200));
    // Chain speed 4, two traps, level 1: 1000 + 500 + 200 + 200.
    EXPECT_EQ(gold + 1900u, Probe().Gold());
    EXPECT_EQ(2, Probe().CurrentLevel());
}

// The same game, with the program beside its data as in the build tree, and
// installed: the data read-only under <prefix>/share/grovekeep and the
// player's files in the XDG data folder.
class WholeGameFolders : public WholeGame, public ::testing::WithParamInterface<bool> {
protected:
    bool StartsAtOnce() const override { return false; }
    void SetUp() override
    {
        GameFixture::SetUp();
        if (Installed()) {
            // <root>/prefix/share/grovekeep is the test's world itself.
            std::filesystem::create_directories(Dir().Path("prefix/bin"));
            std::filesystem::create_directories(Dir().Path("prefix/share"));
            std::filesystem::create_directory_symlink(Dir().Root(), Dir().Path("prefix/share/grovekeep"));
            setenv("XDG_DATA_HOME", Dir().Path("xdg-data").c_str(), 1);
            setenv("XDG_STATE_HOME", Dir().Path("xdg-state").c_str(), 1);
            ASSERT_TRUE(GameFolders::LocateFrom(Dir().Path("prefix/bin/grovekeep")));
        }
        StartProgram();
        std::srand(3);
        ReachMenu();
    }
    void TearDown() override
    {
        WholeGame::TearDown();
        GameFolders::UseWorkingFolder();
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_STATE_HOME");
    }
    bool Installed() const { return GetParam(); }
    std::string PlayerFolder() { return Dir().Path(Installed() ? "xdg-data/grovekeep/" : "Data/"); }
};

INSTANTIATE_TEST_SUITE_P(BesideTheProgramOrInstalled, WholeGameFolders, ::testing::Bool());

TEST_P(WholeGameFolders, WalkingIntoTheEdgeUntilNoLifeIsLeftEndsTheGameAndKeepsTheScore)
{
    StartFirstLevel();
    Bot bot(Probe());
    ASSERT_TRUE(PlayUntil(bot, 3000, [&] { return Probe().Gold() >= 20; }));
    const tnUInt32 gold = Probe().Gold();
    Bot runner(Probe(), Bot::Goal::Edge);
    bot.ReleaseKeys();
    testcontrol::ClearSoundEvents();
    int deaths = 0;
    ASSERT_TRUE(PlayUntil(runner, 6000, [&] { return State() == MyGame::GameLost; }));
    for (MyGame::GameSound sound : StartedGameSounds())
        deaths += sound == MyGame::SoundElectricShock ? 1 : 0;
    EXPECT_EQ(3, deaths);
    EXPECT_EQ(0, Probe().PlayerLife());
    EXPECT_EQ(gold, Probe().Gold());
    ASSERT_TRUE(RunUntil(MyGame::GameMenu, 300));
    const std::string score = TempGameDir::ReadFile(PlayerFolder() + "score.dat");
    ASSERT_EQ(4u, score.size());
    tnUInt32 stored = 0;
    std::memcpy(&stored, score.data(), 4);
    EXPECT_EQ(gold, stored);
    // The level reached is listed with the score; installed, nothing of the
    // player's lands in the data folder, and the log is in the state folder.
    EXPECT_EQ(static_cast<std::size_t>(MyGame::TitleRecordSize),
              TempGameDir::ReadFile(PlayerFolder() + "Levels.dat").size());
    if (Installed()) {
        EXPECT_FALSE(std::filesystem::exists(Dir().Path("Data/score.dat")));
        EXPECT_FALSE(std::filesystem::exists(Dir().Path("Data/Levels.dat")));
        EXPECT_NE(std::string::npos,
                  TempGameDir::ReadFile(Dir().Path("xdg-state/grovekeep/stdout.log")).find("Init"));
    }
}

// Level after level, every one the data holds, to the final picture; the
// bot lowers each objective with F11 and is kept in lives, so that the test
// is about the levels, not about the bot's skill. On the last level it
// collects 30 fruits and leaves a picture of a level in full swing.
TEST_F(WholeGame, LevelAfterLevelToTheFinalPicture)
{
    StartFirstLevel();
    TapKey(DIK_P); // a pause on the way leaves Resume enabled
    Probe().TimerCount2() = 1.0f;
    TapKey(DIK_P);
    ASSERT_EQ(MyGame::GameRunning, State());
    Bot bot(Probe());
    bool pictured = false;
    const int levels = CountLevelFiles();
    ASSERT_GT(levels, 1);
    for (int level = 1; level <= levels; ++level) {
        SCOPED_TRACE(level);
        ASSERT_TRUE(RunUntil(MyGame::GameRunning, 300));
        ASSERT_EQ(level, Probe().CurrentLevel());
        const tnUInt16 wanted = level == levels ? 30 : 5;
        while (Probe().ObjectiveTargets() > wanted) {
            TapKey(DIK_F11);
            Probe().TimerCount2() = 1.0f; // the next press counts at once
        }
        const bool won = PlayUntil(bot, 20000, [&] {
            Probe().PlayerLife() = 3;
            if (!pictured && Probe().Snake().GetSize() > 10 && Probe().TrapList().Size() > 0 &&
                Probe().Statements().size() > 0)
                pictured = !SaveScreenshot("play_full_swing").empty();
            return State() == MyGame::GameLevelComplete;
        });
        ASSERT_TRUE(won) << "objective " << Probe().ObjectiveTargets();
    }
    bot.ReleaseKeys();
    EXPECT_TRUE(RunUntil(MyGame::GameComplete, 300));
    EXPECT_TRUE(pictured);
    EXPECT_EQ(tnButton::DISABLED, Probe().MenuButtons()[MyGame::MenuResume].GetStage()) << "nothing to resume";
}
