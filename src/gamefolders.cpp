#include "gamefolders.h"

#include "win32.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
const char* const kBesideProgram = "../Data/";
const char* const kLogName = "stdout.log";
// Installed, the data lies here below the prefix the program is in.
const char* const kInstalledData = "../share/grovekeep/Data";

bool IsFolder(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

// Whether a file can be made in the folder (permissions alone do not say:
// a read-only mount, or root).
bool CanWriteIn(const fs::path& folder)
{
    const fs::path probe = folder / (".grovekeep-write-check-" + std::to_string(getpid()));
    std::FILE* file = std::fopen(probe.c_str(), "wb");
    if (!file)
        return false;
    std::fclose(file);
    std::remove(probe.c_str());
    return true;
}

// The "grovekeep" folder inside a shell folder, made if need be; empty when
// there is no such folder or it cannot be made.
std::string OwnFolder(int shellFolder)
{
    char base[MAX_PATH];
    if (SHGetFolderPathA(nullptr, shellFolder, nullptr, 0, base) != S_OK)
        return std::string();
    fs::path folder = fs::path(base) / "grovekeep";
    std::error_code error;
    fs::create_directories(folder, error);
    return IsFolder(folder) ? folder.string() + "/" : std::string();
}
} // namespace

bool GameFolders::Locate()
{
    char program[MAX_PATH];
    if (GetModuleFileNameA(nullptr, program, sizeof(program)) == 0)
        return false;
    return LocateFrom(program);
}

bool GameFolders::LocateFrom(const std::string& program)
{
    const fs::path bin = fs::path(program).parent_path();
    std::error_code error;
    if (IsFolder(bin / "../Data")) {
        fs::current_path(bin, error);
        if (error)
            return false;
        if (CanWriteIn("../Data"))
            UseWorkingFolder();
        else
            UsePlayerFolders();
        return true;
    }
    // Inside the installed Data folder, "../Data" is that folder itself.
    const fs::path installed = bin / kInstalledData;
    if (!IsFolder(installed))
        return false;
    fs::current_path(installed, error);
    if (error)
        return false;
    UsePlayerFolders();
    return true;
}

void GameFolders::UseWorkingFolder()
{
    PlayerFolder() = kBesideProgram;
    LogPath() = kLogName;
}

void GameFolders::UsePlayerFolders()
{
    PlayerFolder() = OwnFolder(CSIDL_APPDATA);
    const std::string state = OwnFolder(CSIDL_LOCAL_APPDATA);
    LogPath() = state.empty() ? std::string() : state + kLogName;
}

std::string GameFolders::PlayerFile(const char* name)
{
    return PlayerFolder() + name;
}

std::string GameFolders::LogFile()
{
    return LogPath();
}

std::string& GameFolders::PlayerFolder()
{
    static std::string folder = kBesideProgram;
    return folder;
}

std::string& GameFolders::LogPath()
{
    static std::string path = kLogName;
    return path;
}
