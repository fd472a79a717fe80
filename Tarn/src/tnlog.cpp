#include "tnlog.h"

#include <cstdarg>
#include <cstdio>
#include <set>
#include <string>

namespace {
// The log is a file of its own rather than a redirected stdout, so that the
// terminal a player starts the game from stays usable.
std::FILE* g_pkLogFile = nullptr;

std::set<std::string>& NamedFiles()
{
    static std::set<std::string> named;
    return named;
}
}

bool OpenLog(const char* fileName)
{
    CloseLog();
    NamedFiles().clear();
    g_pkLogFile = fileName && fileName[0] ? std::fopen(fileName, "w") : nullptr;
    return g_pkLogFile != nullptr;
}

void CloseLog()
{
    if (g_pkLogFile) {
        std::fclose(g_pkLogFile);
        g_pkLogFile = nullptr;
    }
}

void Log(const char* format, ...)
{
    if (!g_pkLogFile)
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(g_pkLogFile, format, args);
    va_end(args);
    std::fflush(g_pkLogFile);
}

void LogFileProblem(const char* fileName, const char* reason)
{
    const std::string name = fileName ? fileName : "(no name)";
    if (!NamedFiles().insert(name).second)
        return;
    Log("Error: %s: %s\n", name.c_str(), reason ? reason : "unusable");
}
