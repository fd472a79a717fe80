#include "replayfolder.h"

#include "gamefolders.h"
#include "tnlog.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
const char* const kPrefix = "game-";
const char* const kSuffix = ".replay";

bool IsGameFile(const std::string& name)
{
    const std::string suffix = kSuffix;
    return name.rfind(kPrefix, 0) == 0 && name.size() > suffix.size() &&
           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}
} // namespace

std::string ReplayFolder::Path()
{
    return GameFolders::PlayerFile("replays/");
}

bool ReplayFolder::Make()
{
    static bool told = false;
    std::error_code error;
    fs::create_directories(Path(), error);
    if (fs::is_directory(Path(), error))
        return true;
    if (!told)
        LogFileProblem(Path().c_str(), "cannot be made: games are not recorded");
    told = true;
    return false;
}

std::string ReplayFolder::NewFile()
{
    // The time the game began, and a count for games begun in one second.
    static unsigned count = 0;
    const std::time_t now = std::time(nullptr);
    char stamp[32] = "00000000-000000";
    if (const std::tm* local = std::localtime(&now))
        std::strftime(stamp, sizeof(stamp), "%Y%m%d-%H%M%S", local);
    char name[64];
    std::snprintf(name, sizeof(name), "%s%s-%03u%s", kPrefix, stamp, count++ % 1000, kSuffix);
    return Path() + name;
}

std::string ReplayFolder::BestFile()
{
    return Path() + "best" + kSuffix;
}

std::vector<std::string> ReplayFolder::Games()
{
    std::vector<std::string> games;
    std::error_code error;
    for (fs::directory_iterator it(Path(), error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (IsGameFile(name))
            games.push_back(Path() + name);
    }
    // The names begin with the time: in name order is in time order.
    std::sort(games.begin(), games.end());
    return games;
}

void ReplayFolder::Prune()
{
    const std::vector<std::string> games = Games();
    for (std::size_t i = 0; i + Kept < games.size(); ++i)
        std::remove(games[i].c_str());
}

std::string ReplayFolder::Named(const std::string& name)
{
    if (name == "last" || name == "best" || name.empty())
        return name;
    std::error_code error;
    const fs::path absolute = fs::absolute(name, error);
    return error ? name : absolute.string();
}

std::string ReplayFolder::Resolve(const std::string& name)
{
    if (name == "last") {
        const std::vector<std::string> games = Games();
        return games.empty() ? std::string() : games.back();
    }
    if (name == "best") {
        std::error_code error;
        return fs::exists(BestFile(), error) ? BestFile() : std::string();
    }
    return name;
}
