#include "commandline.h"

#include <cstring>

#ifndef GROVEKEEP_VERSION
#define GROVEKEEP_VERSION "1.0"
#endif

CommandLine::CommandLine(int count, const char* const* arguments)
    : m_eAction(Play), m_bWindowed(false), m_bCheck(false)
{
    for (int i = 1; i < count && m_eAction == Play; ++i) {
        const char* argument = arguments[i] ? arguments[i] : "";
        const bool hasValue = i + 1 < count && arguments[i + 1];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            m_eAction = ShowHelp;
        } else if (std::strcmp(argument, "--version") == 0) {
            m_eAction = ShowVersion;
        } else if (std::strcmp(argument, "--window") == 0) {
            m_bWindowed = true;
        } else if (std::strcmp(argument, "--replay") == 0 && hasValue) {
            m_strReplay = arguments[++i];
        } else if (std::strcmp(argument, "--check") == 0) {
            m_bCheck = true;
        } else {
            m_eAction = Refuse;
            m_strRefused = argument;
        }
    }
    // A check is of a replay.
    if (m_eAction == Play && m_bCheck && m_strReplay.empty()) {
        m_eAction = Refuse;
        m_strRefused = "--check";
    }
}

std::string CommandLine::Usage()
{
    return "Usage: grovekeep [--window]\n"
           "       grovekeep --replay FILE|last|best [--check] [--window]\n"
           "       grovekeep --help | --version\n"
           "\n"
           "Grovekeep: walk the farmer through the orchard and lead a chain of fruit\n"
           "longer than each level asks, past rain, floods, fire and bombs.\n"
           "\n"
           "  --window    play in a window instead of full screen (Alt+Enter switches)\n"
           "  --replay    play a recorded game back (P pauses, Escape stops): a file,\n"
           "              or the last game played, or the one that set the top score\n"
           "  --check     with --replay: no window, as fast as it goes; prints the\n"
           "              outcome, exits 0 when it is the recorded one, 1 when not,\n"
           "              2 when the file cannot be read\n"
           "  --help      show this help and exit\n"
           "  --version   show the version and exit\n";
}

std::string CommandLine::Version()
{
    return std::string("grovekeep ") + VersionNumber() + "\n";
}

std::string CommandLine::VersionNumber()
{
    return GROVEKEEP_VERSION;
}
