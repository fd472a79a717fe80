// Every generated data file, read back with the engine's and the game's own
// loaders: what the build makes is what the game can use.
#include "gamefixture.h"
#include "levelfiles.h"

#include "tnframestrip.h"
#include "tnlog.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const tnUInt32 kFruitSamples = 40;
const tnUInt32 kTrapSamples = 17;

std::vector<std::string> FilesWithExtension(const std::string& folder, const std::string& extension)
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == extension)
            files.push_back(entry.path().string());
    return files;
}

tnUInt32 Read16(std::ifstream& in)
{
    unsigned char bytes[2] = {0, 0};
    in.read(reinterpret_cast<char*>(bytes), 2);
    return bytes[0] | (bytes[1] << 8);
}

// Checks one level's game section (behind the map part) and returns the
// number of bytes it had, or -1 when it was cut short.
long CheckGameSection(const std::string& file, long offset)
{
    std::ifstream in(file, std::ios::binary);
    in.seekg(offset);
    tnUInt32 objective = Read16(in);
    tnUInt32 speed = Read16(in);
    char music[40];
    in.read(music, sizeof(music));
    EXPECT_GT(objective, 0u) << file;
    EXPECT_TRUE(speed == 2 || speed == 4 || speed == 8 || speed == 16) << file << " speed " << speed;
    EXPECT_NE(nullptr, std::memchr(music, 0, sizeof(music))) << file << ": music name unterminated";
    EXPECT_TRUE(std::filesystem::exists(std::string("../sound/") + music)) << file << ": " << music;
    Read16(in); // fruit life
    Read16(in); // fruits on the field
    tnUInt32 fruits = Read16(in);
    EXPECT_GT(fruits, 0u) << file;
    for (tnUInt32 i = 0; i < fruits; ++i)
        EXPECT_LT(Read16(in), kFruitSamples) << file;
    Read16(in); // trap life
    Read16(in); // traps on the field
    tnUInt32 traps = Read16(in);
    for (tnUInt32 i = 0; i < traps; ++i)
        EXPECT_LT(Read16(in), kTrapSamples) << file;
    if (!in)
        return -1;
    return 56 + 2 * static_cast<long>(fruits) + 2 * static_cast<long>(traps);
}

class GeneratedContent : public GameFixture {};

} // namespace

TEST_F(GeneratedContent, ThirtyLevelsLoadAtTheFieldsSizeWithAValidGameSection)
{
    ReachMenu();
    const int levels = CountLevelFiles();
    EXPECT_EQ(30, levels);
    for (int level = 1; level <= levels; ++level) {
        std::string file = "../Data/Level" + std::to_string(level) + ".dat";
        tnMap map;
        long offset = 0;
        ASSERT_TRUE(map.Load(Game().GetDevice(), file.c_str(), offset, true)) << file;
        EXPECT_EQ(1u, map.GetLayers()) << file;
        EXPECT_EQ(Probe().XGrids(), map.GetWidth()) << file;
        EXPECT_EQ(Probe().YGrids(), map.GetHeight()) << file;
        EXPECT_LT(std::strlen(map.GetTitle()), 40u) << file;
        EXPECT_GT(std::strlen(map.GetTitle()), 0u) << file;
        EXPECT_LT(std::strlen(map.GetText()), 256u) << file;
        long section = CheckGameSection(file, offset);
        ASSERT_GT(section, 0) << file;
        EXPECT_EQ(static_cast<std::uintmax_t>(offset + section), std::filesystem::file_size(file))
            << file << ": bytes after the game section";
    }
}

TEST_F(GeneratedContent, EveryAnimationSetLoadsAndEveryStripLiesInsideItsTexture)
{
    ReachMenu();
    auto check = [](tnABO& abo, const char* what, tnUInt32 index) {
        tnAnimation* animations = abo.GetAnimations();
        ASSERT_NE(nullptr, animations) << what << " " << index;
        for (tnUInt16 a = 0; a < abo.GetNumOfAnimations(); ++a) {
            tnAnimation& animation = animations[a];
            tnTexture* texture = animation.GetTexture();
            ASSERT_NE(nullptr, texture) << what << " " << index;
            ASSERT_GT(texture->GetWidth(), 0u) << what << " " << index << ": texture not loaded";
            tnUInt32 columns = texture->GetWidth() / animation.GetFrameWidth();
            tnUInt32 rows = texture->GetHeight() / animation.GetFrameHeight();
            for (tnUInt8 s = 0; s < animation.GetStripCount(); ++s) {
                tnFrameStrip& strip = animation.GetStrips()[s];
                EXPECT_GT(strip.GetFrameCount(), 0) << what << " " << index;
                tnUInt32 lastCell = strip.GetRow() * columns + strip.GetStartColumn() + strip.GetFrameCount() - 1;
                EXPECT_LT(lastCell, columns * rows) << what << " " << index << " strip " << int(s);
            }
        }
    };
    check(Probe().PlayerABO(), "player", 0);
    ASSERT_EQ(kFruitSamples, Probe().TargetABOList().size());
    for (tnUInt32 i = 0; i < kFruitSamples; ++i)
        check(Probe().TargetABOList()[i], "fruit", i);
    ASSERT_EQ(kTrapSamples, Probe().TrapABOList().size());
    for (tnUInt32 i = 0; i < kTrapSamples; ++i)
        check(Probe().TrapABOList()[i], "trap", i);
    // Frames are 32 pixels; traps are scaled by the game.
    EXPECT_EQ(32, Probe().PlayerABO().GetWidth());
    EXPECT_EQ(64, Probe().TrapABOList()[0].GetWidth());
    EXPECT_EQ(96, Probe().TrapABOList()[1].GetWidth());
}

TEST_F(GeneratedContent, EveryEffectLoadsAsAWave)
{
    ReachMenu();
    ASSERT_EQ(19u, Probe().WaveList().size());
    for (tnUInt32 i = 0; i < 19; ++i) {
        const tnSound::WaveData& wave = Probe().WaveList()[i];
        ASSERT_NE(nullptr, wave.wavHeader) << "sound " << i;
        EXPECT_GT(wave.wavSize, 1000u) << "sound " << i;
        EXPECT_EQ(1, wave.wavHeader->wFormatTag) << "sound " << i;
    }
}

TEST_F(GeneratedContent, EveryBitmapLoadsWithTheEnginesReader)
{
    std::vector<std::string> bitmaps = FilesWithExtension("../Graphics", ".bmp");
    EXPECT_GE(bitmaps.size(), 18u);
    for (const char* name : {"static.bmp", "check.bmp", "button.bmp", "upbutton.bmp", "downbutton.bmp", "farmer.bmp",
                             "fruits.bmp", "titlew.bmp", "help1.bmp", "help2.bmp", "Grovekeep.bmp", "icon.bmp"})
        EXPECT_TRUE(std::filesystem::exists(std::string("../Graphics/") + name)) << name;
    for (const std::string& file : bitmaps) {
        tnRGBAImage image;
        ASSERT_EQ(tnOK, image.LoadFromBitmap(file.c_str())) << file;
        EXPECT_GT(image.GetWidth(), 0u) << file;
        EXPECT_GT(image.GetHeight(), 0u) << file;
    }
}

TEST_F(GeneratedContent, EveryTuneIsAStandardMidiFileThatPlays)
{
    ReachMenu();
    std::vector<std::string> tunes = FilesWithExtension("../sound", ".mid");
    EXPECT_EQ(static_cast<std::size_t>(CountLevelFiles()), tunes.size()) << "a tune for every level, none left over";
    for (const std::string& file : tunes) {
        std::string bytes = TempGameDir::ReadFile(file);
        ASSERT_GE(bytes.size(), 22u) << file;
        EXPECT_EQ("MThd", bytes.substr(0, 4)) << file;
        EXPECT_NE(std::string::npos, bytes.find("MTrk")) << file;
        EXPECT_NE(std::string::npos, bytes.find(std::string("\xFF\x2F\x00", 3))) << file << ": no end of track";
        EXPECT_EQ(tnOK, Probe().MidiPlay().PlaySong(file.c_str())) << file;
    }
}
