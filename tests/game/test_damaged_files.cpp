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

// A wave whose plain 44-byte header says it has no channels.
void NoChannels(std::string& bytes)
{
    bytes.replace(22, 2, std::string("\0\0", 2));
}

// The first `from` in the text becomes `to`.
std::function<void(std::string&)> Replace(const std::string& from, const std::string& to)
{
    return [from, to](std::string& text) {
        const std::size_t at = text.find(from);
        if (at != std::string::npos)
            text.replace(at, from.size(), to);
    };
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
    Spoil("Graphics/icon.bmp", CutInHalf);
    Spoil("sound/thump.wav", NoChannels);
    Spoil("Data/targets.txt", Replace("../Graphics/targets.bmp", "../Graphics"));
    Spoil("Data/Player.txt", Replace(" 1 255 0 255 ", " 1 999 -5 256 "));
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
                             "Error: ../Data/score.dat: truncated (no whole score), read as 0\n",
                             "Error: ../Graphics/icon.bmp: truncated (the pixels run past the end)\n",
                             "Error: ../sound/thump.wav: bad header (0 channels)\n",
                             "Error: ../Graphics: a folder, not a bitmap\n",
                             "Error: ../Data/Player.txt: colour key 999 -5 256 is outside 0 to 255, its low 8 bits "
                             "are used\n"})
        EXPECT_EQ(1u, CountInLog(line)) << line << LogText();

    // The game still ends as a player ends it.
    TapKey(DIK_ESCAPE);
    ClickMenu(MyGame::MenuQuit);
    EXPECT_TRUE(RunUntil(MyGame::GameQuit, 10));
    EXPECT_FALSE(Game().CannotRun());
}

// Without its animation texts, or with one the rules cannot work with, the
// game cannot run: it says which file and why, and ends with a failing exit
// status, not as if the player had quit.
TEST(DamagedDataFiles, WithoutAnAnimationTextTheProgramEndsInError)
{
    const std::function<void(std::string&)> remove; // empty: the file is deleted
    const struct {
        const char* file;
        std::function<void(std::string&)> spoil;
        const char* line;
    } cases[] = {
        {"Data/Player.txt", remove, "Error: ../Data/Player.txt: missing\n"},
        {"Data/traps.txt", [](std::string& text) { text.resize(300); },
         "Error: ../Data/traps.txt: bad animation records"},
        {"Data/targets.txt", remove, "Error: ../Data/targets.txt: missing\n"},
        {"Data/Player.txt", Replace("North 4 0 0", "North 0 0 0"),
         "Error: ../Data/Player.txt: bad animation records (direction 1 of animation 1 has 0 frames)\n"},
        {"Data/targets.txt", Replace("North 1 0 0", "North -1 0 0"),
         "Error: ../Data/targets.txt: bad animation records (direction 1 of animation 1 has -1 frames)\n"},
        {"Data/traps.txt", Replace(" 32 32 1", " 0 32 1"),
         "Error: ../Data/traps.txt: bad animation records (a frame of 0 x 32 texels)\n"},
        {"Data/Player.txt", Replace(" 32 32 1", " 32 32 0"),
         "Error: ../Data/Player.txt: bad animation records (no animations)\n"},
        {"Data/Player.txt", Replace("Walk 4", "Walk 0"),
         "Error: ../Data/Player.txt: bad animation records (animation 1 has 0 directions)\n"},
        {"Data/Player.txt", Replace(" 32 32 1", " 900 900 1"),
         "Error: ../Data/Player.txt: bad animation records (frames of 900 x 900 texels do not fit its sheet of "
         "133 x 133)\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        TempGameDir dir;
        const std::string path = dir.Path(c.file);
        if (c.spoil) {
            std::string text = TempGameDir::ReadFile(path);
            c.spoil(text);
            TempGameDir::WriteFile(path, text);
        } else {
            std::remove(path.c_str());
        }
        EXPECT_EQ(1, WinMain(nullptr, nullptr, nullptr, 0));
        const std::string log = TempGameDir::ReadFile("stdout.log");
        EXPECT_NE(std::string::npos, log.find(c.line)) << log;
        EXPECT_NE(std::string::npos, log.find("the game cannot run without its data files"));
    }
}

// A fresh install (no level list) without its first level offers no level
// to play, and the log says why.
TEST_F(DamagedFiles, WithoutTheFirstLevelAFreshInstallOffersNoneAndSaysWhy)
{
    std::remove(Dir().Path("Data/Level1.dat").c_str());
    StartProgram();
    ReachMenu();
    ClickMenu(MyGame::MenuNew);
    ASSERT_EQ(MyGame::GameNew, Probe().State());
    ASSERT_NE(nullptr, Probe().ComboList());
    EXPECT_EQ(0u, Probe().ComboList()->GetRowCount());
    EXPECT_EQ(1u, CountInLog("Error: ../Data/Level1.dat: missing (no level can be offered)\n")) << LogText();
}
