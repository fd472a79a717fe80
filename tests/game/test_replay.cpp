// Every game is recorded, and the recording plays back to the same end.
#include "bot.h"
#include "gamefixture.h"
#include "replayfolder.h"
#include "replayreader.h"
#include "replayrecorder.h"
#include "replaywriter.h"

#include "gamechance.h"

#include "dinput.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace {

// What `grovekeep --replay FILE --check` printed and its exit status.
struct CheckRun {
    int status = -1;
    std::string output;
};

CheckRun RunCheck(const std::string& file)
{
    CheckRun run;
    const std::string command = std::string(GROVEKEEP_EXE) + " --replay '" + file + "' --check 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[512];
    while (std::fgets(buffer, sizeof(buffer), pipe))
        run.output += buffer;
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class Recording : public GameFixture {
protected:
    bool StartsAtOnce() const override { return false; }
    void SetUp() override
    {
        // The generator as the program starts it: a replay starts it so.
        GameChance::Restart();
        m_kRecorder.Install();
        GameFixture::SetUp();
        UnlockLevels(10);
        StartProgram();
        ReachMenu();
    }
    // The level list offers the first `count` levels.
    void UnlockLevels(int count)
    {
        std::string list;
        for (int level = 1; level <= count; ++level) {
            char record[MyGame::TitleRecordSize] = {};
            std::snprintf(record, sizeof(record), "Level %d", level);
            list.append(record, sizeof(record));
        }
        TempGameDir::WriteFile(Dir().Path("Data/Levels.dat"), list);
    }
    void TearDown() override
    {
        GameFixture::TearDown();
        m_kRecorder.Uninstall();
    }

    void StartLevel(int level)
    {
        ClickMenu(MyGame::MenuNew);
        Click(kButtonX, kFirstLevelRowY + 20 * (level - 1));
        ASSERT_EQ(MyGame::GameRunning, Probe().State());
        ASSERT_EQ(level, Probe().CurrentLevel());
    }

    void PlayFrames(Bot& bot, int frames)
    {
        for (int i = 0; i < frames; ++i) {
            Frame();
            bot.Act();
        }
    }

    ReplayRecorder m_kRecorder;
};

} // namespace

// The golden games: short bot games on a few levels and a whole game to
// game over, kept under tests/golden. Played back, each must reach the
// digests it recorded every 30 frames; a rule changed on purpose needs them
// recorded again (scripts/record-golden).
namespace {
struct Golden {
    const char* name;
    int level;
    int frames; // of play, or until the game is over
    Bot::Goal goal;
};
const Golden kGoldenGames[] = {
    {"level1", 1, 600, Bot::Goal::Fruit}, {"level3", 3, 600, Bot::Goal::Fruit},
    {"level6", 6, 600, Bot::Goal::Fruit}, {"level9", 9, 600, Bot::Goal::Fruit},
    {"gameover", 2, 6000, Bot::Goal::Edge},
};

// Failures name the game, not its bytes.
void PrintTo(const Golden& game, std::ostream* out)
{
    *out << game.name;
}

std::string GoldenFile(const Golden& game)
{
    return std::string(GROVEKEEP_SOURCE_DIR) + "/tests/golden/" + game.name + ".replay";
}

class GoldenGame : public Recording, public ::testing::WithParamInterface<Golden> {};
} // namespace

INSTANTIATE_TEST_SUITE_P(Recorded, GoldenGame, ::testing::ValuesIn(kGoldenGames),
                         [](const ::testing::TestParamInfo<Golden>& info) { return std::string(info.param.name); });

TEST_P(GoldenGame, PlaysBackToEveryRecordedDigest)
{
    const Golden& game = GetParam();
    if (!std::getenv("GROVEKEEP_RECORD_GOLDEN")) {
        const CheckRun run = RunCheck(GoldenFile(game));
        EXPECT_EQ(0, run.status) << run.output;
        return;
    }
    StartLevel(game.level);
    Bot bot(Probe(), game.goal);
    for (int i = 0; i < game.frames && m_kRecorder.IsRecording(); ++i) {
        Frame();
        bot.Act();
    }
    bot.ReleaseKeys();
    const std::string file = m_kRecorder.File();
    Window().Shutdown();
    std::filesystem::create_directories(std::filesystem::path(GoldenFile(game)).parent_path());
    std::filesystem::copy_file(file, GoldenFile(game), std::filesystem::copy_options::overwrite_existing);
    Replay::File replay;
    std::string error;
    ASSERT_TRUE(ReplayReader::Load(GoldenFile(game), replay, error)) << error;
    std::printf("%s: %s, %zu frames, %zu bytes\n", game.name, Replay::Describe(replay.outcome).c_str(),
                replay.frames.size(), TempGameDir::ReadFile(file).size());
}

TEST_F(Recording, ABotGameLeftForTheMenuAndQuitPlaysBackToTheSameGold)
{
    StartLevel(1);
    {
        Bot bot(Probe());
        PlayFrames(bot, 900);
    }
    TapKey(DIK_ESCAPE);
    ASSERT_TRUE(RunUntil(MyGame::GameMenu, 5));
    const tnUInt32 gold = Probe().Gold();
    EXPECT_GT(gold, 0u) << "the bot took no fruit";
    ClickMenu(MyGame::MenuQuit);
    const std::string file = std::filesystem::absolute(m_kRecorder.File()).string();
    ASSERT_TRUE(m_kRecorder.IsRecording());
    Window().Shutdown(); // the program's end saves the game as quit
    ASSERT_FALSE(m_kRecorder.IsRecording());

    Replay::File replay;
    std::string error;
    ASSERT_TRUE(ReplayReader::Load(file, replay, error)) << error;
    EXPECT_EQ(gold, replay.outcome.gold);
    EXPECT_EQ(Replay::Ending::Quit, replay.outcome.ending);
    const CheckRun run = RunCheck(file);
    EXPECT_EQ(0, run.status) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("gold " + std::to_string(gold) + ",")) << run.output;
}

namespace {

// A small valid replay: level 1, three frames, one digest.
Replay::File SmallReplay(std::uint16_t level = 1)
{
    Replay::File file;
    file.start.version = "1.0";
    file.start.level = level;
    file.frames.resize(3);
    for (Replay::Frame& frame : file.frames)
        frame.step = 1.0f / 30.0f;
    file.digests.resize(1);
    file.outcome.levels = 1;
    return file;
}

void PutU32At(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Length and checksum made right again after a change inside.
std::string Sealed(std::string bytes)
{
    PutU32At(bytes, 10, static_cast<std::uint32_t>(bytes.size()));
    PutU32At(bytes, bytes.size() - 4, Replay::Crc32(bytes, bytes.size() - 4));
    return bytes;
}

// Where the frame count lies in SmallReplay's file: after the envelope,
// the version text and the start.
const std::size_t kFrameCountAt = 14 + 1 + 3 + 33;

} // namespace

TEST(ReplayFiles, EachKindOfDamageIsRefusedWithItsLineAndExitTwo)
{
    const std::string good = ReplayWriter::Encode(SmallReplay());
    std::string wrongMagic = good;
    wrongMagic[0] = 'X';
    std::string wrongVersion = good;
    wrongVersion[8] = 7;
    std::string badChecksum = good;
    badChecksum[kFrameCountAt + 4] ^= 0x01;
    std::string absurdFrames = good;
    PutU32At(absurdFrames, kFrameCountAt, 0xFFFFFFF0u);
    std::string moreFramesThanSaid = good;
    PutU32At(moreFramesThanSaid, kFrameCountAt, 2);
    std::string absurdDrawn = good;
    PutU32At(absurdDrawn, kFrameCountAt - 4, 0x7FFFFFFF);
    const struct {
        const char* damage;
        std::string bytes;
        const char* line;
    } cases[] = {
        {"empty", "", "is not a replay"},
        {"truncated", good.substr(0, good.size() - 9), "is truncated"},
        {"header cut", good.substr(0, 12), "is truncated"},
        {"wrong magic", wrongMagic, "is not a replay"},
        {"wrong version", wrongVersion, "format version 7; this game reads version 1"},
        {"bad checksum", badChecksum, "bad checksum"},
        {"absurd frame count", Sealed(absurdFrames), "absurd count of frames"},
        {"more frames than said", Sealed(moreFramesThanSaid), "more frames than it says"},
        {"absurd rand count", Sealed(absurdDrawn), "absurd count of rand numbers"},
        {"level missing", ReplayWriter::Encode(SmallReplay(999)), "level 999 is not in this install"},
    };
    const std::string path = TempGameDir::UniquePath("damaged.replay");
    for (const auto& c : cases) {
        TempGameDir::WriteFile(path, c.bytes);
        const CheckRun run = RunCheck(path);
        EXPECT_EQ(2, run.status) << c.damage << ": " << run.output;
        EXPECT_NE(std::string::npos, run.output.find(c.line)) << c.damage << ": " << run.output;
        EXPECT_EQ(1, std::count(run.output.begin(), run.output.end(), '\n')) << c.damage << ": " << run.output;
    }
    std::remove(path.c_str());
    // The good one reads.
    Replay::File file;
    std::string error;
    EXPECT_TRUE(ReplayReader::Parse(good, file, error)) << error;
    EXPECT_EQ(3u, file.frames.size());
}
