#include "commandline.h"

#include <cstring>

#ifndef GROVEKEEP_VERSION
#define GROVEKEEP_VERSION "1.0"
#endif

CommandLine::CommandLine(int count, const char* const* arguments)
    : m_eAction(Play), m_bWindowed(false)
{
    for (int i = 1; i < count && m_eAction == Play; ++i) {
        const char* argument = arguments[i] ? arguments[i] : "";
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            m_eAction = ShowHelp;
        } else if (std::strcmp(argument, "--version") == 0) {
            m_eAction = ShowVersion;
        } else if (std::strcmp(argument, "--window") == 0) {
            m_bWindowed = true;
        } else {
            m_eAction = Refuse;
            m_strRefused = argument;
        }
    }
}

std::string CommandLine::Usage()
{
    return "Usage: grovekeep [--window]\n"
           "       grovekeep --help | --version\n"
           "\n"
           "Grovekeep: walk the farmer through the orchard and lead a chain of fruit\n"
           "longer than each level asks, past rain, floods, fire and bombs.\n"
           "\n"
           "  --window    play in a window instead of full screen (Alt+Enter switches)\n"
           "  --help      show this help and exit\n"
           "  --version   show the version and exit\n";
}

std::string CommandLine::Version()
{
    return std::string("grovekeep ") + GROVEKEEP_VERSION + "\n";
}
