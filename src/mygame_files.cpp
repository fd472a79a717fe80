// The two small files the game keeps between runs: the top score and the
// titles of the levels unlocked so far.
#include "mygame.h"

#include "gamefolders.h"
#include "savedfile.h"
#include "tnlog.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
// The player's own files (beside the data, or in the player's folder when
// the game is installed).
const char* const kScoreName = "score.dat";
// The level list has always been spelled both ways; on a file system that
// tells case apart they would be two files, so one name serves both reading
// and appending: whichever spelling exists, the first one when neither does.
const char* const kLevelListNames[] = {"Levels.dat", "levels.dat"};
// Shipped with the game.
const char* const kFirstLevelFile = "../Data/Level1.dat";

bool FileExists(const char* name)
{
    std::FILE* file = std::fopen(name, "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

std::string LevelListFile()
{
    for (const char* name : kLevelListNames) {
        const std::string file = GameFolders::PlayerFile(name);
        if (FileExists(file.c_str()))
            return file;
    }
    return GameFolders::PlayerFile(kLevelListNames[0]);
}

// A missing file reads as empty; false only when a file there could not be
// read whole.
bool ReadWholeFile(const char* name, std::string& bytes)
{
    bytes.clear();
    std::FILE* file = std::fopen(name, "rb");
    if (!file)
        return true;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.append(buffer, got);
    bool whole = !std::ferror(file);
    std::fclose(file);
    return whole;
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
    const std::string scoreFile = GameFolders::PlayerFile(kScoreName);
    std::FILE* file = std::fopen(scoreFile.c_str(), "rb");
    if (!file)
        return;
    unsigned char bytes[4];
    // A short file is no score at all rather than half a number.
    if (std::fread(bytes, 1, sizeof(bytes), file) == sizeof(bytes))
        m_iHighestGold = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<tnUInt32>(bytes[3]) << 24);
    else
        LogFileProblem(scoreFile.c_str(), "truncated (no whole score), read as 0");
    std::fclose(file);
}

void MyGame::WriteTopScoreIfBeaten()
{
    if (m_iHighestGold >= m_iGold)
        return;
    m_iHighestGold = m_iGold;
    const char bytes[4] = {static_cast<char>(m_iGold & 0xFF), static_cast<char>((m_iGold >> 8) & 0xFF),
                           static_cast<char>((m_iGold >> 16) & 0xFF), static_cast<char>((m_iGold >> 24) & 0xFF)};
    SavedFile::Replace(GameFolders::PlayerFile(kScoreName), std::string(bytes, sizeof(bytes)));
}

void MyGame::ReadLevelList()
{
    m_iAvailableLevel = 0;
    char record[TitleRecordSize];
    const std::string listFile = LevelListFile();
    if (std::FILE* file = std::fopen(listFile.c_str(), "rb")) {
        // An incomplete last record is dropped.
        std::size_t got = 0;
        while ((got = std::fread(record, 1, sizeof(record), file)) == sizeof(record)) {
            ++m_iAvailableLevel;
            m_pkComboList->AddRow(LevelRow(m_iAvailableLevel, record));
        }
        if (got != 0)
            LogFileProblem(listFile.c_str(), "truncated (the last title is cut short and left out)");
        std::fclose(file);
    }
    if (m_iAvailableLevel != 0)
        return;
    // Nothing unlocked yet: the first level is always on offer. Its title
    // follows the level file's first byte.
    // Without it the list stays empty, and the log says why.
    std::FILE* file = std::fopen(kFirstLevelFile, "rb");
    if (!file) {
        LogFileProblem(kFirstLevelFile, "missing (no level can be offered)");
        return;
    }
    std::memset(record, 0, sizeof(record));
    if (std::fgetc(file) != EOF && std::fread(record, 1, sizeof(record), file) > 0)
        m_pkComboList->AddRow(LevelRow(1, record));
    else
        LogFileProblem(kFirstLevelFile, "truncated (no title, no level can be offered)");
    std::fclose(file);
}

void MyGame::AppendLevelTitle(const char* title)
{
    // The list is written anew with the title as its last whole record: a
    // record cut short by an earlier crash is dropped instead of shifting
    // every record after it.
    const std::string file = LevelListFile();
    const char* name = file.c_str();
    std::string list;
    if (ReadWholeFile(name, list)) {
        list.resize(list.size() - list.size() % TitleRecordSize);
        char record[TitleRecordSize] = {};
        std::strncpy(record, title ? title : "", sizeof(record) - 1);
        list.append(record, sizeof(record));
        SavedFile::Replace(file, list);
    } else {
        LogFileProblem(name, "unreadable, the new level is not recorded");
    }
    ++m_iAvailableLevel;
    m_bJustFinishedLevel = false;
}
