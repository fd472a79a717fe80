#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include <string>

// The program's options: --help, --version and --window. Nothing else
// reads the command line.
class CommandLine {
public:
    enum Action { Play, ShowHelp, ShowVersion, Refuse };

    CommandLine(int count, const char* const* arguments);

    Action GetAction() const { return m_eAction; }
    // Play in a window instead of full screen.
    bool IsWindowed() const { return m_bWindowed; }
    // The argument refused (empty unless the action is Refuse).
    const std::string& GetRefused() const { return m_strRefused; }

    static std::string Usage();
    static std::string Version();

private:
    Action m_eAction;
    bool m_bWindowed;
    std::string m_strRefused;
};

#endif
