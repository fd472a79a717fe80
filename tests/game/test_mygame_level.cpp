#include "gamefixture.h"
#include "levelfiles.h"

#include "testcontrol.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// A level file made by hand: the map part and the game section behind it.
struct LevelRecipe {
    tnUInt32 layers = 1;
    tnUInt32 width = 27;
    tnUInt32 height = 23;
    std::string title = "Hand Made";
    std::function<tnUInt8(tnUInt32, tnUInt32)> staticAt = [](tnUInt32, tnUInt32) { return tnUInt8(0); };
    int tile = -1; // every cell's tile; -1: the tile numbered as the cell's kind
    tnUInt16 objective = 12;
    tnUInt16 playerSpeed = 8;
    std::string music;
    tnUInt16 targetLife = 20;
    tnUInt16 targets = 3;
    std::vector<tnUInt16> fruits = {0, 5, 39};
    tnUInt16 trapLife = 77;
    tnUInt16 traps = 2;
    std::vector<tnUInt16> trapSamples = {4, 16};
    std::size_t cutSectionTo = std::string::npos; // bytes of the game section kept
};

void PutU16(std::string& out, tnUInt16 value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void PutU32(std::string& out, tnUInt32 value)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string Field(const std::string& text, std::size_t size)
{
    std::string field(size, '\0');
    field.replace(0, text.size(), text);
    return field;
}

std::string GameSection(const LevelRecipe& recipe)
{
    std::string out;
    PutU16(out, recipe.objective);
    PutU16(out, recipe.playerSpeed);
    out += Field(recipe.music, 40);
    PutU16(out, recipe.targetLife);
    PutU16(out, recipe.targets);
    PutU16(out, static_cast<tnUInt16>(recipe.fruits.size()));
    for (tnUInt16 sample : recipe.fruits)
        PutU16(out, sample);
    PutU16(out, recipe.trapLife);
    PutU16(out, recipe.traps);
    PutU16(out, static_cast<tnUInt16>(recipe.trapSamples.size()));
    for (tnUInt16 sample : recipe.trapSamples)
        PutU16(out, sample);
    return out.substr(0, recipe.cutSectionTo);
}

std::string LevelBytes(const LevelRecipe& recipe)
{
    std::string out(1, '\0');
    out += Field(recipe.title, 40) + Field("A field made by a test.", 256) + Field("", 80);
    PutU32(out, recipe.layers);
    PutU32(out, recipe.width);
    PutU32(out, recipe.height);
    for (tnUInt32 layer = 0; layer < recipe.layers; ++layer)
        for (tnUInt32 row = 0; row < recipe.height; ++row)
            for (tnUInt32 column = 0; column < recipe.width; ++column) {
                tnUInt8 kind = recipe.staticAt(column, row);
                char tile = static_cast<char>(recipe.tile < 0 ? kind : recipe.tile);
                out += std::string{'\0', tile, static_cast<char>(kind)} + std::string(5, '\0');
            }
    return out + GameSection(recipe);
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::vector<tnUInt16> Samples(tnVector<tnUInt16>& list)
{
    std::vector<tnUInt16> samples;
    for (tnUInt32 i = 0; i < list.size(); ++i)
        samples.push_back(list[i]);
    return samples;
}

bool Contains(const std::vector<tnUInt16>& list, long value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

class LevelTest : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        ReachMenu();
    }

    void WriteLevel(int number, const LevelRecipe& recipe)
    {
        TempGameDir::WriteFile(Dir().Path("Data/Level" + std::to_string(number) + ".dat"), LevelBytes(recipe));
    }

    // Both spellings of the level list: whichever the game wrote.
    std::string LevelList()
    {
        return TempGameDir::ReadFile(Dir().Path("Data/Levels.dat")) +
               TempGameDir::ReadFile(Dir().Path("Data/levels.dat"));
    }

    tnMap::MapData* Cell(tnInt32 column, tnInt32 row)
    {
        if (column < 0 || row < 0 || column >= Probe().XGrids() || row >= Probe().YGrids())
            return nullptr;
        return Probe().Map().GetMapDataPtr(0, static_cast<tnUInt32>(column), static_cast<tnUInt32>(row));
    }

    static bool Placeable(tnUInt8 kind) { return kind == 0 || kind == 4 || kind == 5 || (kind >= 18 && kind <= 33); }
    static bool Open(tnMap::MapData* cell)
    {
        return cell && (cell->m_iStaticObj < 12 || (cell->m_iStaticObj >= 18 && cell->m_iStaticObj <= 33));
    }

    // Level 1's game section, as its source says: 8 fruits to carry at speed
    // 4 to the orchard tune, 4 of apple, green apple, pear living 40 s, 2 of
    // gold and more-fruits living 30 s.
    void ExpectLevelOne()
    {
        EXPECT_STREQ("Apple Orchard", Probe().Map().GetTitle());
        EXPECT_EQ(8, Probe().ObjectiveTargets());
        EXPECT_EQ(4, Probe().PlayerSpeed());
        EXPECT_STREQ("orchard.mid", Probe().CurrentMusic());
        EXPECT_EQ(40, Probe().TargetLife());
        EXPECT_EQ(4, Probe().Targets());
        EXPECT_EQ((std::vector<tnUInt16>{0, 1, 2}), Samples(Probe().FruitList()));
        EXPECT_EQ(30, Probe().TrapLife());
        EXPECT_EQ(2, Probe().Traps());
        EXPECT_EQ((std::vector<tnUInt16>{15, 10}), Samples(Probe().ObjectList()));
    }

    // The cell of a sprite centred at (x, y) with the given size; false
    // when the centre is not where a sprite on a cell has it.
    bool CellOf(skObject& object, tnInt32& column, tnInt32& row)
    {
        tnInt32 dx = object.GetXPosition() - Probe().MainPanel().left - object.GetABO().GetWidth() / 2;
        tnInt32 dy = object.GetYPosition() - Probe().MainPanel().top - object.GetABO().GetHeight() / 2;
        column = dx / 32;
        row = dy / 32;
        return dx >= 0 && dy >= 0 && dx % 32 == 0 && dy % 32 == 0;
    }

    // What a fresh attempt must look like: the farmer on a free cell he can
    // leave, each fruit and trap of the level's samples on an allowed cell
    // and registered there (tornados nowhere), nothing else in any cell.
    void ExpectSoundStart()
    {
        EXPECT_EQ(MyGame::GameRunning, Probe().State());
        ASSERT_EQ(1u, Probe().Snake().GetSize());
        skObject& farmer = *Probe().Snake().GetHeadObject();
        EXPECT_EQ(skObject::PLAYER, farmer.GetObjectType());
        EXPECT_TRUE(Probe().Snake().IsIdle());
        tnInt32 column = 0, row = 0;
        ASSERT_TRUE(CellOf(farmer, column, row));
        ASSERT_NE(nullptr, Cell(column, row));
        EXPECT_EQ(0, Cell(column, row)->m_iStaticObj);
        EXPECT_TRUE(Open(Cell(column - 1, row)) || Open(Cell(column + 1, row)) || Open(Cell(column, row - 1)) ||
                    Open(Cell(column, row + 1)));

        std::vector<tnUInt16> fruits = Samples(Probe().FruitList());
        std::vector<tnUInt16> traps = Samples(Probe().ObjectList());
        EXPECT_EQ(fruits.empty() ? 0u : Probe().Targets(), Probe().TargetList().Size());
        EXPECT_EQ(traps.empty() ? 0u : Probe().Traps(), Probe().TrapList().Size());
        std::size_t registered = 0;
        for (auto* list : {&Probe().TargetList(), &Probe().TrapList()}) {
            const bool fruit = list == &Probe().TargetList();
            for (list->Reset(); list->IsIteratorValid(); list->Next()) {
                skObject& object = list->GetCurrentItem();
                const long sample = object.GetObjectType() - (fruit ? skObject::APPLE1 : skObject::RAIN);
                EXPECT_TRUE(Contains(fruit ? fruits : traps, sample)) << object.GetObjectType();
                ASSERT_TRUE(CellOf(object, column, row));
                // A large sprite lies wholly on the field.
                EXPECT_LE(column * 32 + object.GetABO().GetWidth(), Probe().XGrids() * 32);
                EXPECT_LE(row * 32 + object.GetABO().GetHeight(), Probe().YGrids() * 32);
                if (object.GetObjectType() == skObject::TORNADO)
                    continue;
                EXPECT_TRUE(Placeable(Cell(column, row)->m_iStaticObj));
                EXPECT_EQ(&object, Cell(column, row)->m_pkObject);
                ++registered;
            }
        }
        std::size_t occupied = 0;
        for (tnInt32 r = 0; r < Probe().YGrids(); ++r)
            for (tnInt32 c = 0; c < Probe().XGrids(); ++c)
                occupied += Cell(c, r)->m_pkObject ? 1 : 0;
        EXPECT_EQ(registered, occupied);
    }
};

} // namespace

TEST_F(LevelTest, FirstLevelStartsWithItsOwnSection)
{
    ASSERT_TRUE(Game().LoadLevel(1));
    ExpectLevelOne();
    EXPECT_EQ(3, Probe().AvailableTargets());
    EXPECT_EQ(2, Probe().AvailableTraps());
    // Three fruit and two trap samples: the section is 66 bytes, nothing after it.
    EXPECT_EQ(tnMap::HeaderSize + 27u * 23u * 8u + 66u,
              TempGameDir::ReadFile(Dir().Path("Data/Level1.dat")).size());

    Game().NewGame();
    ExpectSoundStart();
    EXPECT_EQ(MyGame::NoSound, Probe().CurrentSound());
    EXPECT_EQ(4u, Probe().Snake().GetSpeed());
}

TEST_F(LevelTest, EveryGeneratedLevelStartsOnASoundField)
{
    const int levels = CountLevelFiles();
    ASSERT_GT(levels, 0);
    for (unsigned short level = 1; level <= levels; ++level) {
        SCOPED_TRACE(level);
        ASSERT_TRUE(Game().LoadLevel(level));
        // Each attempt starts afresh: try twice.
        Game().NewGame();
        ExpectSoundStart();
        Game().NewGame();
        ExpectSoundStart();
    }
    EXPECT_FALSE(Game().LoadLevel(static_cast<unsigned short>(levels + 1)));
    EXPECT_EQ(1u, CountInLog("LoadLevel: no level file ../Data/Level" + std::to_string(levels + 1) + ".dat\n"));
}

TEST_F(LevelTest, GameSectionFieldsAreReadFromTheirOffsets)
{
    LevelRecipe recipe; // three fruit samples, two trap samples: trap life at offset 56
    recipe.music = "tune.mid";
    ASSERT_EQ(66u, GameSection(recipe).size());
    WriteLevel(6, recipe);
    ASSERT_TRUE(Game().LoadLevel(6));
    EXPECT_EQ(12, Probe().ObjectiveTargets());
    EXPECT_EQ(8, Probe().PlayerSpeed());
    EXPECT_STREQ("tune.mid", Probe().CurrentMusic());
    EXPECT_EQ(20, Probe().TargetLife());
    EXPECT_EQ(3, Probe().Targets());
    EXPECT_EQ(3, Probe().AvailableTargets());
    EXPECT_EQ((std::vector<tnUInt16>{0, 5, 39}), Samples(Probe().FruitList()));
    EXPECT_EQ(77, Probe().TrapLife());
    EXPECT_EQ(2, Probe().Traps());
    EXPECT_EQ(2, Probe().AvailableTraps());
    EXPECT_EQ((std::vector<tnUInt16>{4, 16}), Samples(Probe().ObjectList()));
    EXPECT_STREQ("Hand Made", Probe().Map().GetTitle());

    // A name filling its whole field is cut to 39 characters, not read past.
    recipe.music = std::string(36, 'm') + ".mid";
    WriteLevel(6, recipe);
    ASSERT_TRUE(Game().LoadLevel(6));
    EXPECT_EQ(std::string(36, 'm') + ".mi", Probe().CurrentMusic());
}

TEST_F(LevelTest, RefusedLevelsChangeNothing)
{
    ASSERT_TRUE(Game().LoadLevel(1));
    Game().NewGame();
    const tnUInt16 available = Probe().AvailableLevel();
    const std::string list = LevelList();

    struct Case {
        const char* name;
        std::function<void(LevelRecipe&)> spoil;
    };
    const Case cases[] = {
        {"narrower map", [](LevelRecipe& s) { s.width = 26; }},
        {"taller map", [](LevelRecipe& s) { s.height = 24; }},
        {"two layers", [](LevelRecipe& s) { s.layers = 2; }},
        {"fruit sample 40", [](LevelRecipe& s) { s.fruits = {3, 40}; }},
        {"trap sample 17", [](LevelRecipe& s) { s.trapSamples = {0, 17}; }},
        {"section cut in the trap list", [](LevelRecipe& s) { s.cutSectionTo = 63; }},
        {"section cut after the objective", [](LevelRecipe& s) { s.cutSectionTo = 2; }},
        {"no section", [](LevelRecipe& s) { s.cutSectionTo = 0; }},
        {"65535 fruits", [](LevelRecipe& s) { s.targets = 65535; }},
        {"11 fruits", [](LevelRecipe& s) { s.targets = 11; }},
        {"more traps than free cells", [](LevelRecipe& s) {
             s.traps = 5;
             s.staticAt = [](tnUInt32 x, tnUInt32 y) { return tnUInt8(x < 2 && y < 2 ? 0 : tnMap::TREE1); };
         }},
        {"speed 3", [](LevelRecipe& s) { s.playerSpeed = 3; }},
        {"speed 0", [](LevelRecipe& s) { s.playerSpeed = 0; }},
        {"speed 64", [](LevelRecipe& s) { s.playerSpeed = 64; }},
        {"objective 0", [](LevelRecipe& s) { s.objective = 0; }},
        {"objective 65535", [](LevelRecipe& s) { s.objective = 65535; }},
        {"fruit life 0", [](LevelRecipe& s) { s.targetLife = 0; }},
        {"trap life 0", [](LevelRecipe& s) { s.trapLife = 0; }},
        {"tile 255 in every cell", [](LevelRecipe& s) {
             s.staticAt = [](tnUInt32, tnUInt32) { return tnUInt8(tnMap::FREEWAY1); };
             s.tile = 255;
         }},
        {"kind 255", [](LevelRecipe& s) {
             s.staticAt = [](tnUInt32 x, tnUInt32 y) { return tnUInt8(x == 3 && y == 2 ? 255 : 0); };
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LevelRecipe recipe;
        recipe.title = "Spoilt";
        c.spoil(recipe);
        WriteLevel(5, recipe);
        Probe().JustFinishedLevel() = true;
        const std::size_t before = CountInLog("LoadLevel: ../Data/Level5.dat refused, ");
        EXPECT_FALSE(Game().LoadLevel(5));
        EXPECT_EQ(before + 1, CountInLog("LoadLevel: ../Data/Level5.dat refused, "));
        // Level 1 stays whole: its map, its section, the unlocked levels.
        ExpectLevelOne();
        EXPECT_EQ(available, Probe().AvailableLevel());
        EXPECT_EQ(list, LevelList());
    }
    EXPECT_NE(std::string::npos, LogText().find("LoadLevel: ../Data/Level5.dat refused, fruit sample 40 "));
    EXPECT_NE(std::string::npos, LogText().find("LoadLevel: ../Data/Level5.dat refused, trap sample 17 "));
    for (const char* why : {"it asks for 65535 fruits on the field, at most 10 are kept",
                            "it asks for 5 traps on 4 free cells", "its speed 3 does not divide the grid of 32",
                            "its objective 0 is won before a fruit is carried\n",
                            "its objective 65535 needs a longer chain than the field's 621 cells hold\n",
                            "its fruits live 0 seconds and its traps 77, 0 is no life\n",
                            "its fruits live 20 seconds and its traps 0, 0 is no life\n",
                            "cell (0, 0) shows tile 255 of set 0, the sheet has 128 tiles\n",
                            "cell (3, 2) holds kind 255, kinds run 0 to 43\n"})
        EXPECT_NE(std::string::npos, LogText().find(std::string("LoadLevel: ../Data/Level5.dat refused, ") + why));
    // The attempt at level 1 goes on.
    Game().NewGame();
    ExpectSoundStart();
}

TEST_F(LevelTest, LevelWithoutSamplesHasNoFruitsOrTraps)
{
    LevelRecipe recipe;
    recipe.fruits.clear();
    recipe.trapSamples.clear();
    recipe.targets = 5;
    recipe.traps = 5;
    WriteLevel(1, recipe);
    ASSERT_TRUE(Game().LoadLevel(1));
    EXPECT_EQ(0, Probe().AvailableTargets());
    EXPECT_EQ(0, Probe().AvailableTraps());
    Game().NewGame();
    EXPECT_EQ(0u, Probe().TargetList().Size());
    EXPECT_EQ(0u, Probe().TrapList().Size());
    ExpectSoundStart();
}

TEST_F(LevelTest, NewlyReachedLevelIsRecordedOnce)
{
    // A fresh installation: starting level 1 writes the first record.
    ASSERT_EQ(0, Probe().AvailableLevel());
    ASSERT_TRUE(Game().LoadLevel(1));
    ASSERT_EQ(40u, LevelList().size());
    EXPECT_STREQ("Apple Orchard", LevelList().c_str());
    EXPECT_EQ(1, Probe().AvailableLevel());
    EXPECT_FALSE(Probe().JustFinishedLevel());

    // Three unlocked, level 3 just won: level 4 is appended once.
    Probe().AvailableLevel() = 3;
    Probe().JustFinishedLevel() = true;
    ASSERT_TRUE(Game().LoadLevel(4));
    std::string list = LevelList();
    ASSERT_EQ(80u, list.size());
    EXPECT_STREQ(Probe().Map().GetTitle(), list.c_str() + 40);
    EXPECT_EQ(4, Probe().AvailableLevel());
    EXPECT_FALSE(Probe().JustFinishedLevel());
    ASSERT_TRUE(Game().LoadLevel(4));
    EXPECT_EQ(list, LevelList());
    EXPECT_EQ(4, Probe().AvailableLevel());

    // Replaying an unlocked level after a win appends nothing.
    Probe().JustFinishedLevel() = true;
    ASSERT_TRUE(Game().LoadLevel(2));
    EXPECT_EQ(list, LevelList());
    EXPECT_EQ(4, Probe().AvailableLevel());
}

TEST_F(LevelTest, WalledInFieldReturnsToTheMenuOnce)
{
    ASSERT_TRUE(Game().LoadLevel(1));
    Game().NewGame();
    // Level 2: free cells only where every neighbour is a tree or a wall.
    LevelRecipe recipe;
    recipe.staticAt = [](tnUInt32 column, tnUInt32 row) {
        return tnUInt8(column % 2 == 1 && row % 2 == 1 ? 0 : (column + row) % 2 ? 12 : 34);
    };
    WriteLevel(2, recipe);

    // Level 1 won: the bonus is paid, level 2 loads and cannot be played.
    Probe().CurrentLevel() = 1;
    Probe().TimerCount3() = 0.0f;
    Probe().JustFinishedLevel() = true;
    Probe().State() = MyGame::GameLevelComplete;
    ASSERT_TRUE(RunUntil(MyGame::GameMenu, 2000)) << Probe().State();
    const char* const line = "NewGame: no free cell for the farmer on level 2\n";
    EXPECT_EQ(1u, CountInLog(line));
    EXPECT_EQ(tnButton::DISABLED, Probe().MenuButtons()[MyGame::MenuResume].GetStage());
    EXPECT_EQ(0u, Probe().Snake().GetSize());
    EXPECT_EQ(0u, Probe().TargetList().Size());
    EXPECT_EQ(0u, Probe().TrapList().Size());

    // Nothing more happens: no second bonus, no second attempt.
    const tnUInt32 gold = Probe().Gold();
    RunFrames(30);
    EXPECT_EQ(MyGame::GameMenu, Probe().State());
    EXPECT_EQ(gold, Probe().Gold());
    EXPECT_EQ(1u, CountInLog(line));

    // A new attempt at it fails the same way, and says so once more.
    Probe().State() = MyGame::GameRunning;
    Game().NewGame();
    EXPECT_EQ(MyGame::GameMenu, Probe().State());
    EXPECT_EQ(2u, CountInLog(line));
}

TEST_F(LevelTest, LevelMusicAndShoFollowTheOptions)
{
    Probe().MusicOn() = true;
    testcontrol::ClearSoundEvents();
    ASSERT_TRUE(Game().LoadLevel(1));
    EXPECT_EQ(1u, StartedSounds()); // the level's "sho"
    testcontrol::MusicState music = testcontrol::GetMusicState();
    EXPECT_TRUE(EndsWith(music.file, "sound/orchard.mid")) << music.file;
    EXPECT_TRUE(music.looping);
    EXPECT_EQ(tnMidiPlay::PLAYING, Probe().MidiPlay().GetPlayStatus());

    // A name that is no MIDI file leaves the music as it was.
    LevelRecipe recipe;
    recipe.music = "tune.wav";
    WriteLevel(7, recipe);
    ASSERT_TRUE(Game().LoadLevel(7));
    EXPECT_EQ(music.file, testcontrol::GetMusicState().file);
    EXPECT_EQ(tnMidiPlay::PLAYING, Probe().MidiPlay().GetPlayStatus());

    // With music and sound switched off the next tune and the effect stay silent.
    Probe().MusicOn() = false;
    Probe().SoundOn() = false;
    testcontrol::ClearSoundEvents();
    ASSERT_TRUE(Game().LoadLevel(2));
    EXPECT_EQ(0u, StartedSounds());
    EXPECT_STREQ("river.mid", Probe().CurrentMusic());
    EXPECT_EQ(music.file, testcontrol::GetMusicState().file);

    Probe().MusicOn() = true;
    ASSERT_TRUE(Game().LoadLevel(2));
    EXPECT_TRUE(EndsWith(testcontrol::GetMusicState().file, "sound/river.mid"));
}

