#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include <string>

// The program's options: --help, --version, --window, --replay and --check.
// Nothing else reads the command line.
class CommandLine {
public:
    enum Action { Play, ShowHelp, ShowVersion, Refuse };

    CommandLine(int count, const char* const* arguments);

    Action GetAction() const { return m_eAction; }
    // Play in a window instead of full screen.
    bool IsWindowed() const { return m_bWindowed; }
    // The argument refused (empty unless the action is Refuse).
    const std::string& GetRefused() const { return m_strRefused; }
    // The replay to play back ("last", "best" or a file), empty for none.
    const std::string& GetReplay() const { return m_strReplay; }
    // Check the replay headless instead of showing it.
    bool IsCheck() const { return m_bCheck; }

    static std::string Usage();
    static std::string Version();
    static std::string VersionNumber(); // "1.0"

private:
    Action m_eAction;
    bool m_bWindowed;
    bool m_bCheck;
    std::string m_strRefused;
    std::string m_strReplay;
};

#endif
