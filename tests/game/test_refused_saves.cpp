// The disk refuses the player's files: a record score and a newly reached
// level cannot be saved. The old files stay as they were, byte for byte,
// each failure is named once in the log, and the game plays on.
//
// Tests run as root, which writes into a read-only folder regardless, and
// mounting a small full file system needs privileges CI does not have.
// So the disk refuses where the game writes, in the file beside the one it
// replaces: a link to /dev/full there fails every write with "no space
// left" (a full disk), a folder there fails the open (as a folder that
// takes no new files does). Neither needs privileges, and root is refused
// too. A disk that takes the bytes but cannot make them last (fsync
// failing, as on an I/O error) is made through the save's system calls.
#include "bot.h"
#include "gamefixture.h"

#include "dinput.h"
#include "savedfile.h"

#include <cerrno>
#include <filesystem>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Refusal {
    const char* name;
    void (*set)(const std::string& path); // puts the obstacle at the file written aside
};

void PrintTo(const Refusal& refusal, std::ostream* out)
{
    *out << refusal.name;
}

const Refusal kRefusals[] = {
    {"FullDisk", [](const std::string& path) { fs::create_symlink("/dev/full", path); }},
    {"FolderTakesNoNewFiles", [](const std::string& path) { fs::create_directory(path); }},
    {"DataNeverReachesTheDisk", [](const std::string&) {
         SavedFile::Use().fsync = [](int) {
             errno = EIO;
             return -1;
         };
     }},
};

class RefusedSave : public GameFixture, public ::testing::WithParamInterface<Refusal> {
protected:
    bool StartsAtOnce() const override { return false; }
    void TearDown() override
    {
        SavedFile::Use() = SavedFile::System();
        GameFixture::TearDown();
    }

    // Log lines that name `file`.
    std::vector<std::string> LinesNaming(const std::string& file)
    {
        std::vector<std::string> lines;
        std::istringstream log(LogText());
        for (std::string line; std::getline(log, line);)
            if (line.find(file) != std::string::npos)
                lines.push_back(line);
        return lines;
    }

    template <typename Done>
    bool PlayUntil(Bot& bot, int limit, Done done)
    {
        for (int frame = 0; frame < limit && !done(); ++frame) {
            Frame();
            bot.Act();
        }
        return done();
    }
};

} // namespace

TEST_P(RefusedSave, OldScoreAndLevelListStayWholeAndEachFailureIsLoggedOnce)
{
    const std::string score("\x05\x00\x00\x00", 4); // 5 gold: any game beats it
    std::string list(MyGame::TitleRecordSize, '\0'); // level 1 unlocked
    list.replace(0, 7, "Orchard");
    TempGameDir::WriteFile(Dir().Path("Data/score.dat"), score);
    TempGameDir::WriteFile(Dir().Path("Data/Levels.dat"), list);
    GetParam().set(Dir().Path("Data/score.dat.new"));
    GetParam().set(Dir().Path("Data/Levels.dat.new"));
    StartProgram();
    ReachMenu();
    ClickMenu(MyGame::MenuNew);
    Click(kButtonX, kFirstLevelRowY);
    ASSERT_EQ(MyGame::GameRunning, Probe().State());

    // Level 1 won quickly (its objective lowered): level 2 is new and its
    // title goes to the list.
    while (Probe().ObjectiveTargets() > 5) {
        TapKey(DIK_F11);
        Probe().TimerCount2() = 1.0f; // the next press counts at once
    }
    Bot bot(Probe());
    ASSERT_TRUE(PlayUntil(bot, 6000, [&] { return Probe().CurrentLevel() == 2; }));
    ASSERT_TRUE(RunUntil(MyGame::GameRunning, 300));
    // Then every life lost at the edge: game over with a record score.
    bot.ReleaseKeys();
    Bot runner(Probe(), Bot::Goal::Edge);
    ASSERT_TRUE(PlayUntil(runner, 6000, [&] { return Probe().State() == MyGame::GameLost; }));
    runner.ReleaseKeys();
    const tnUInt32 gold = Probe().Gold();
    ASSERT_GT(gold, 5u);
    ASSERT_TRUE(RunUntil(MyGame::GameMenu, 300));

    EXPECT_EQ(score, TempGameDir::ReadFile(Dir().Path("Data/score.dat")));
    EXPECT_EQ(list, TempGameDir::ReadFile(Dir().Path("Data/Levels.dat")));
    for (const char* file : {"score.dat", "Levels.dat"}) {
        const std::vector<std::string> lines = LinesNaming(file);
        ASSERT_EQ(1u, lines.size()) << file << "\n" << LogText();
        EXPECT_NE(std::string::npos, lines[0].find("cannot be saved")) << lines[0];
    }
    // The record stays in play for the run, and the game goes on.
    EXPECT_EQ(gold, Probe().HighestGold());
    ClickMenu(MyGame::MenuNew);
    Click(kButtonX, kFirstLevelRowY);
    EXPECT_EQ(MyGame::GameRunning, Probe().State());
}

INSTANTIATE_TEST_SUITE_P(Disk, RefusedSave, ::testing::ValuesIn(kRefusals),
                         [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });
