#include "tnlog.h"

#include <cstdarg>
#include <cstdio>

namespace {
// The log is a file of its own rather than a redirected stdout, so that the
// terminal a player starts the game from stays usable.
std::FILE* g_pkLogFile = nullptr;
}

bool OpenLog()
{
    CloseLog();
    g_pkLogFile = std::fopen("stdout.log", "w");
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
