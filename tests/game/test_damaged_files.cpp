// Damaged or missing data files: each is named once in the log with why,
// the game goes on where it can, and ends in error where it cannot.
#include "bot.h"
#include "gamefixture.h"

#include "dinput.h"
#include "testcontrol.h"

#include <cstdio>
#include <functional>

namespace {

class DamagedFiles : public GameFixture {
protected:
    bool StartsAtOnce() const override { return false; }

    void Spoil(const std::string& file, const std::function<void(std::string&)>& spoil)
    {
        std::string bytes = TempGameDir::ReadFile(Dir().Path(file));
        spoil(bytes);
        TempGameDir::WriteFile(Dir().Path(file), bytes);
    }
};

void CutInHalf(std::string& bytes)
{
    bytes.resize(bytes.size() / 2);
}

// The data chunk of a plain 44-byte-header wave claims more than the file has.
void DataPastTheEnd(std::string& bytes)
{
    bytes.replace(40, 4, std::string("\xFF\xFF\xFF\x7F", 4));
}

} // namespace

TEST_F(DamagedFiles, EachIsNamedOnceAndTheGameCarriesOn)
{
    std::remove(Dir().Path("Graphics/fruits.bmp").c_str());
    Spoil("Graphics/check.bmp", CutInHalf);
    std::remove(Dir().Path("sound/fire.wav").c_str());
    Spoil("sound/gold.wav", DataPastTheEnd);
    Spoil("sound/orchard.mid", CutInHalf); // level 1's tune
    TempGameDir::WriteFile(Dir().Path("Data/score.dat"), "\x01\x02");
    StartProgram();
    ReachMenu();
    ClickMenu(MyGame::MenuNew);
    Click(kButtonX, kFirstLevelRowY);
    ASSERT_EQ(MyGame::GameRunning, Probe().State());
    Bot bot(Probe());
    for (int i = 0; i < 300 && Probe().State() == MyGame::GameRunning; ++i) {
        Frame();
        bot.Act();
    }
    bot.ReleaseKeys();
    EXPECT_FALSE(testcontrol::GetMusicState().playing);

    for (const char* line : {"Error: ../Graphics/fruits.bmp: missing\n",
                             "Error: ../Graphics/check.bmp: truncated (the pixels run past the end)\n",
                             "Error: ../sound/fire.wav: missing\n",
                             "Error: ../sound/gold.wav: truncated (a chunk runs past the end)\n",
                             "Error: ../sound/orchard.mid: truncated (track ",
                             "Error: ../Data/score.dat: truncated (no whole score), read as 0\n"})
        EXPECT_EQ(1u, CountInLog(line)) << line << LogText();

    // The game still ends as a player ends it.
    TapKey(DIK_ESCAPE);
    ClickMenu(MyGame::MenuQuit);
    EXPECT_TRUE(RunUntil(MyGame::GameQuit, 10));
    EXPECT_FALSE(Game().CannotRun());
}

// Without its animation texts the game cannot run: it says which file and
// ends with a failing exit status, not as if the player had quit.
TEST(DamagedDataFiles, WithoutAnAnimationTextTheProgramEndsInError)
{
    const struct {
        const char* file;
        bool cut;
        const char* line;
    } cases[] = {
        {"Data/Player.txt", false, "Error: ../Data/Player.txt: missing\n"},
        {"Data/traps.txt", true, "Error: ../Data/traps.txt: bad animation records"},
        {"Data/targets.txt", false, "Error: ../Data/targets.txt: missing\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TempGameDir dir;
        const std::string path = dir.Path(c.file);
        if (c.cut)
            TempGameDir::WriteFile(path, TempGameDir::ReadFile(path).substr(0, 300));
        else
            std::remove(path.c_str());
        EXPECT_EQ(1, WinMain(nullptr, nullptr, nullptr, 0));
        const std::string log = TempGameDir::ReadFile("stdout.log");
        EXPECT_NE(std::string::npos, log.find(c.line)) << log;
        EXPECT_NE(std::string::npos, log.find("the game cannot run without its data files"));
    }
}
