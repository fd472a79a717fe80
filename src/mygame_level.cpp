// Loading a level (its map and the game section behind it) and starting an
// attempt at it: an empty field, the farmer on a random free cell, the
// first fruits, traps and bonuses.
#include "mygame.h"

#include "tnlog.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
const char* const kLevelFileFormat = "../Data/Level%d.dat";
const char* const kMusicFileFormat = "../sound/%s";
const tnUInt32 kStaticTileSize = 32;
const tnUInt32 kFarmerTries = 300;

// What a level file says after its map, read and checked before any of it
// replaces the current level's values.
struct GameSection {
    tnUInt16 objective = 0;
    tnUInt16 playerSpeed = 0;
    char music[MyGame::MusicNameSize] = {};
    tnUInt16 targetLife = 0;
    tnUInt16 targets = 0;
    std::vector<tnUInt16> fruits;
    tnUInt16 trapLife = 0;
    tnUInt16 traps = 0;
    std::vector<tnUInt16> trapSamples;
};

bool ReadWholeFile(const char* fileName, std::string& bytes)
{
    std::ifstream file(fileName, std::ios::binary);
    if (!file.is_open())
        return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

// Little-endian reads from the file in memory; false when the bytes run out.
bool ReadBytes(const std::string& bytes, std::size_t& position, void* out, std::size_t count)
{
    if (position > bytes.size() || bytes.size() - position < count)
        return false;
    std::memcpy(out, bytes.data() + position, count);
    position += count;
    return true;
}

bool ReadU16(const std::string& bytes, std::size_t& position, tnUInt16& value)
{
    unsigned char b[2];
    if (!ReadBytes(bytes, position, b, sizeof(b)))
        return false;
    value = static_cast<tnUInt16>(b[0] | (b[1] << 8));
    return true;
}

// A count followed by that many sample indices.
bool ReadSampleList(const std::string& bytes, std::size_t& position, std::vector<tnUInt16>& list)
{
    tnUInt16 count = 0;
    if (!ReadU16(bytes, position, count))
        return false;
    list.resize(count);
    for (tnUInt16& sample : list)
        if (!ReadU16(bytes, position, sample))
            return false;
    return true;
}

// The first sample not below `limit`, or -1 when all are in range.
long FirstSampleOutside(const std::vector<tnUInt16>& list, tnUInt32 limit)
{
    for (tnUInt16 sample : list)
        if (sample >= limit)
            return sample;
    return -1;
}

std::string Printed(const char* format, unsigned a, unsigned b, unsigned c = 0, unsigned d = 0, unsigned e = 0)
{
    char text[160];
    std::snprintf(text, sizeof(text), format, a, b, c, d, e);
    return text;
}

// Cells of the map part on which fruits and traps may be put.
tnUInt32 CountPlaceableCells(const std::string& bytes, tnUInt32 cells)
{
    tnUInt32 placeable = 0;
    for (tnUInt32 i = 0; i < cells; ++i) {
        const std::size_t at = tnMap::HeaderSize + static_cast<std::size_t>(i) * tnMap::CellSize + 2;
        placeable += MyGame::IsPlaceable(static_cast<tnUInt8>(bytes[at])) ? 1 : 0;
    }
    return placeable;
}

// Values the rules cannot work with: more fruits than the game ever keeps
// on the field, more traps than there are free cells, a speed that never
// lands the farmer exactly on a cell, an objective won before a fruit is
// carried or longer than the whole field, or fruits and traps that are gone
// as soon as they appear.
std::string UnplayableValue(const GameSection& section, tnUInt32 maxFruits, tnUInt32 freeCells, tnUInt32 cells,
                            tnUInt32 grid)
{
    if (section.targets > maxFruits)
        return Printed("it asks for %u fruits on the field, at most %u are kept", section.targets, maxFruits);
    if (section.traps > freeCells)
        return Printed("it asks for %u traps on %u free cells", section.traps, freeCells);
    if (section.playerSpeed == 0 || grid % section.playerSpeed != 0)
        return Printed("its speed %u does not divide the grid of %u", section.playerSpeed, grid);
    if (section.objective == 0)
        return "its objective 0 is won before a fruit is carried";
    // The farmer and his chain each take a cell of their own: a chain longer
    // than the field is never carried, whatever its map. (A level may well
    // ask for more than its free cells, to be played until the lives run out.)
    if (section.objective >= cells)
        return Printed("its objective %u needs a longer chain than the field's %u cells hold", section.objective,
                       cells);
    if (section.targetLife == 0 || section.trapLife == 0)
        return Printed("its fruits live %u seconds and its traps %u, 0 is no life", section.targetLife,
                       section.trapLife);
    return std::string();
}

// Every level must match the play field (the map's cells are made once, by
// the first level), name only samples the game has pictures for, and ask
// for nothing the rules cannot work with. Returns why the level is refused,
// or an empty string when it is fine.
std::string ReadGameSection(const std::string& bytes, tnUInt32 columns, tnUInt32 rows, tnUInt32 fruitSamples,
                            tnUInt32 trapSamples, GameSection& section)
{
    tnUInt32 layers = 0, width = 0, height = 0;
    std::size_t position = 0;
    if (!tnMap::ReadShape(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), layers, width, height,
                          position))
        return "its map part is cut short";
    if (layers != 1 || width != columns || height != rows)
        return Printed("its map is %u x %u in %u layers, the field is %u x %u in one", width, height, layers, columns,
                       rows);
    bool complete = ReadU16(bytes, position, section.objective) && ReadU16(bytes, position, section.playerSpeed) &&
                    ReadBytes(bytes, position, section.music, sizeof(section.music)) &&
                    ReadU16(bytes, position, section.targetLife) && ReadU16(bytes, position, section.targets) &&
                    ReadSampleList(bytes, position, section.fruits) && ReadU16(bytes, position, section.trapLife) &&
                    ReadU16(bytes, position, section.traps) && ReadSampleList(bytes, position, section.trapSamples);
    if (!complete)
        return "its game section is cut short";
    // A name filling all 40 bytes is cut rather than read past its field.
    section.music[sizeof(section.music) - 1] = '\0';
    long outside = FirstSampleOutside(section.fruits, fruitSamples);
    if (outside >= 0)
        return Printed("fruit sample %u is not one of the %u", static_cast<unsigned>(outside), fruitSamples);
    outside = FirstSampleOutside(section.trapSamples, trapSamples);
    if (outside >= 0)
        return Printed("trap sample %u is not one of the %u", static_cast<unsigned>(outside), trapSamples);
    return std::string();
}

// A drawn cell must be of a kind the rules know and show a tile of the
// static sheet, the only tile set; with no sheet loaded (tiles 0) its kind
// alone is checked.
std::string FirstBadCell(const std::string& bytes, tnUInt32 columns, tnUInt32 cells, tnUInt32 tiles)
{
    for (tnUInt32 i = 0; i < cells; ++i) {
        const unsigned char* cell =
            reinterpret_cast<const unsigned char*>(bytes.data()) + tnMap::HeaderSize + std::size_t(i) * tnMap::CellSize;
        if (cell[2] > tnMap::ROCK2)
            return Printed("cell (%u, %u) holds kind %u, kinds run 0 to %u", i % columns, i / columns, cell[2],
                           tnMap::ROCK2);
        if (cell[2] != tnMap::NOSTATICOBJECT && tiles != 0 && (cell[0] != 0 || cell[1] >= tiles))
            return Printed("cell (%u, %u) shows tile %u of set %u, the sheet has %u tiles", i % columns,
                           i / columns, cell[1], cell[0], tiles);
    }
    return std::string();
}

void CopySamples(const std::vector<tnUInt16>& from, tnVector<tnUInt16>& to)
{
    to.set_size(static_cast<tnUInt32>(from.size()));
    for (tnUInt32 i = 0; i < from.size(); ++i)
        to[i] = from[i];
}
} // namespace

bool MyGame::LoadLevel(unsigned short level)
{
    char fileName[64];
    std::snprintf(fileName, sizeof(fileName), kLevelFileFormat, level);
    std::string bytes;
    if (!ReadWholeFile(fileName, bytes)) {
        // Also how the game learns that the last level is behind it.
        Log("LoadLevel: no level file %s\n", fileName);
        return false;
    }
    GameSection section;
    std::string problem =
        ReadGameSection(bytes, m_iXGrids, m_iYGrids, m_iSampleTargets, tnUInt32(m_iSampleTraps) + 1, section);
    const tnUInt32 cells = tnUInt32(m_iXGrids) * m_iYGrids;
    if (problem.empty())
        problem =
            UnplayableValue(section, m_iMaxTargetsOnScreen, CountPlaceableCells(bytes, cells), cells, m_iGridSize);
    if (problem.empty())
        problem = FirstBadCell(bytes, m_iXGrids, cells,
                               (m_kStaticTexture.GetWidth() / kStaticTileSize) *
                                   (m_kStaticTexture.GetHeight() / kStaticTileSize));
    if (!problem.empty()) {
        Log("LoadLevel: %s refused, %s\n", fileName, problem.c_str());
        return false;
    }
    // The first level makes the map's cells and tile set; every later one,
    // being of the same size, is read into them.
    long sectionOffset = 0;
    if (!m_kMap.Load(GetDevice(), fileName, sectionOffset, m_kMap.GetLayers() == 0)) {
        Log("LoadLevel: %s refused, its map part does not load\n", fileName);
        return false;
    }
    m_kMap.AddTexture(&m_kStaticTexture, kStaticTileSize, kStaticTileSize);

    // A level reached for the first time joins the list of unlocked levels.
    if (m_iAvailableLevel == 0 || (level > m_iAvailableLevel && m_bJustFinishedLevel))
        AppendLevelTitle(m_kMap.GetTitle());

    m_iObjectiveTargets = section.objective;
    m_kOptions.m_iPlayerSpeed = section.playerSpeed;
    std::memcpy(m_strCurrentMusic, section.music, sizeof(m_strCurrentMusic));
    m_iTargetLife = section.targetLife;
    m_iTargets = section.targets;
    m_iAvailableTargets = static_cast<tnUInt16>(section.fruits.size());
    CopySamples(section.fruits, vecFruitList);
    m_iTrapLife = section.trapLife;
    m_iTraps = section.traps;
    m_iAvailableTraps = static_cast<tnUInt16>(section.trapSamples.size());
    CopySamples(section.trapSamples, vecObjectList);

    StartLevelMusic();
    PlayGameSound(SoundSho, IfSoundOn);
    return true;
}

void MyGame::StartLevelMusic()
{
    // A level without a tune of its own keeps whatever plays.
    if (!m_kOptions.m_bMusicOn || m_strCurrentMusic[0] == '\0' || !std::strstr(m_strCurrentMusic, ".mid"))
        return;
    if (m_kMidiPlay.GetPlayStatus() != tnMidiPlay::OFF) {
        m_kMidiPlay.CleanUp();
        m_kMidiPlay.Init(m_kSoundManager.GetSound(), m_hWindow);
    }
    m_kMidiPlay.StopSong();
    char path[MusicNameSize + 16];
    std::snprintf(path, sizeof(path), kMusicFileFormat, m_strCurrentMusic);
    m_kMidiPlay.PlaySong(path);
}

void MyGame::NewGame()
{
    const tnUInt32 divisor = RandomDivisor();

    m_kSnake.CleanUp();
    m_kTargets.CleanUp();
    m_kTraps.CleanUp();
    m_kTempTargets.CleanUp();
    m_iTempTargetCurrentIteration = 0; // a basket's flight ends with its fruits
    m_vStatementList.clear();
    m_kMap.ClearObjectList();
    m_bDying = false;
    m_eNextDirection = ANIMATION_DATA::NONESUBTYPE;
    m_fTimerCount = 0.0f;
    m_fTimerCount2 = 0.0f;
    m_iPrevKeyPress = NoKey;
    delete m_pkComboList;
    m_pkComboList = nullptr;

    if (!PlaceFarmer(divisor)) {
        // Back to the menu with nothing to resume: a level that cannot be
        // played must not be entered again and again.
        Log("NewGame: no free cell for the farmer on level %u\n", static_cast<unsigned>(m_iCurrentLevel));
        if (m_kMenu1Buttons.size() > MenuResume)
            m_kMenu1Buttons[MenuResume].SetStage(tnButton::DISABLED);
        StopMusicIfPlaying();
        m_eGameState = GameMenu;
        return;
    }
    for (tnUInt32 i = 0; i < m_iTargets; ++i)
        CreateFruit(nullptr, skObject::UNKNOWN, -1, -1, true);
    for (tnUInt32 i = 0; i < m_iTraps; ++i)
        CreateObject(nullptr, skObject::UNKNOWN, -1, -1, true);
    m_eCurrentSound = NoSound;
    m_eGameState = GameRunning;
}

bool MyGame::PlaceFarmer(tnUInt32 divisor)
{
    if (!m_pkPlayerAnimationSet || m_iXGrids == 0 || m_iYGrids == 0)
        return false;
    const long halfWidth = m_pkPlayerAnimationSet[0].GetFrameWidth() / 2;
    const long halfHeight = m_pkPlayerAnimationSet[0].GetFrameHeight() / 2;
    for (tnUInt32 tries = 0; tries < kFarmerTries; ++tries) {
        tnUInt32 column = DrawCoordinate(divisor, m_iXGrids);
        tnUInt32 row = DrawCoordinate(divisor, m_iYGrids);
        if (!IsFarmerCell(column, row))
            continue;
        const long x = ColumnX(static_cast<tnInt32>(column), halfWidth);
        const long y = RowY(static_cast<tnInt32>(row), halfHeight);
        if (m_kSnake.Occupy(x, y) != skSnake::NoMember)
            continue;
        // He lives until the chain dies; the chain waits for the first direction.
        skObject farmer(m_kPlayerABO, skObject::PLAYER, x, y, 2, -1);
        m_kSnake.Init(m_kOptions.m_iPlayerSpeed);
        m_kSnake.Create(farmer);
        return true;
    }
    return false;
}

bool MyGame::IsFarmerCell(tnUInt32 column, tnUInt32 row)
{
    tnMap::MapData* cell = m_kMap.GetMapDataPtr(0, column, row);
    if (!cell || cell->m_pkObject || cell->m_iStaticObj != tnMap::NOSTATICOBJECT)
        return false;
    // He must be able to take a first step somewhere.
    const tnInt32 c = static_cast<tnInt32>(column), r = static_cast<tnInt32>(row);
    return IsOpenCell(c - 1, r) || IsOpenCell(c + 1, r) || IsOpenCell(c, r - 1) || IsOpenCell(c, r + 1);
}

bool MyGame::IsOpenCell(tnInt32 column, tnInt32 row)
{
    const tnMap::MapData* cell = FieldCell(column, row);
    return cell && IsWalkable(cell->m_iStaticObj);
}
