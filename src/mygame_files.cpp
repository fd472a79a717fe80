// The two small files the game keeps between runs: the top score and the
// titles of the levels unlocked so far.
#include "mygame.h"

#include <cstdio>
#include <cstring>

namespace {
const char* const kScoreFile = "../Data/score.dat";
const char* const kScoreTempFile = "../Data/score.dat.new";
// The level list has always been spelled both ways; on a file system that
// tells case apart they would be two files, so one name serves both reading
// and appending: whichever spelling exists, the first one when neither does.
const char* const kLevelListNames[] = {"../Data/Levels.dat", "../Data/levels.dat"};
const char* const kFirstLevelFile = "../Data/Level1.dat";

bool FileExists(const char* name)
{
    std::FILE* file = std::fopen(name, "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

const char* LevelListFile()
{
    for (const char* name : kLevelListNames)
        if (FileExists(name))
            return name;
    return kLevelListNames[0];
}

// The row the level list shows: the number, five spaces, the title. A title
// field without its terminator never runs past its 40 bytes.
tnStringC LevelRow(tnUInt32 level, const char* record)
{
    int length = static_cast<int>(strnlen(record, MyGame::TitleRecordSize - 1));
    char row[MyGame::TitleRecordSize + 16];
    std::snprintf(row, sizeof(row), "%u     %.*s", level, length, record);
    return tnStringC(row);
}
} // namespace

void MyGame::ReadTopScore()
{
    m_iHighestGold = 0;
    std::FILE* file = std::fopen(kScoreFile, "rb");
    if (!file)
        return;
    unsigned char bytes[4];
    // A short file is no score at all rather than half a number.
    if (std::fread(bytes, 1, sizeof(bytes), file) == sizeof(bytes))
        m_iHighestGold = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<tnUInt32>(bytes[3]) << 24);
    std::fclose(file);
}

void MyGame::WriteTopScoreIfBeaten()
{
    if (m_iHighestGold >= m_iGold)
        return;
    m_iHighestGold = m_iGold;
    // Written aside and then put in place, so a crash or a full disk during
    // the write leaves the old score whole.
    std::FILE* file = std::fopen(kScoreTempFile, "wb");
    if (!file)
        return;
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(m_iGold & 0xFF), static_cast<unsigned char>((m_iGold >> 8) & 0xFF),
        static_cast<unsigned char>((m_iGold >> 16) & 0xFF), static_cast<unsigned char>((m_iGold >> 24) & 0xFF)};
    bool written = std::fwrite(bytes, 1, sizeof(bytes), file) == sizeof(bytes);
    written = (std::fflush(file) == 0) && written;
    written = (std::fclose(file) == 0) && written;
    if (!written || std::rename(kScoreTempFile, kScoreFile) != 0)
        std::remove(kScoreTempFile);
}

void MyGame::ReadLevelList()
{
    m_iAvailableLevel = 0;
    char record[TitleRecordSize];
    if (std::FILE* file = std::fopen(LevelListFile(), "rb")) {
        // An incomplete last record is dropped.
        while (std::fread(record, 1, sizeof(record), file) == sizeof(record)) {
            ++m_iAvailableLevel;
            m_pkComboList->AddRow(LevelRow(m_iAvailableLevel, record));
        }
        std::fclose(file);
    }
    if (m_iAvailableLevel != 0)
        return;
    // Nothing unlocked yet: the first level is always on offer. Its title
    // follows the level file's first byte.
    std::FILE* file = std::fopen(kFirstLevelFile, "rb");
    if (!file)
        return;
    std::memset(record, 0, sizeof(record));
    if (std::fgetc(file) != EOF && std::fread(record, 1, sizeof(record), file) > 0)
        m_pkComboList->AddRow(LevelRow(1, record));
    std::fclose(file);
}

void MyGame::AppendLevelTitle(const char* title)
{
    if (std::FILE* file = std::fopen(LevelListFile(), "ab")) {
        char record[TitleRecordSize] = {};
        std::strncpy(record, title ? title : "", sizeof(record) - 1);
        std::fwrite(record, 1, sizeof(record), file);
        std::fclose(file);
    }
    ++m_iAvailableLevel;
    m_bJustFinishedLevel = false;
}
