#ifndef TESTS_TEMPGAMEDIR_H
#define TESTS_TEMPGAMEDIR_H

#include <string>

// A temporary game folder for one test: <tmp>/bin is made the working
// directory, and <tmp>/Data, <tmp>/Graphics and <tmp>/sound hold copies of
// the generated content (copies, so a test may change or delete files).
// Everything is removed and the old working directory restored at the end.
class TempGameDir {
public:
    // withContent false gives empty Data, Graphics and sound folders.
    explicit TempGameDir(bool withContent = true);
    ~TempGameDir();
    TempGameDir(const TempGameDir&) = delete;
    TempGameDir& operator=(const TempGameDir&) = delete;

    const std::string& Root() const { return m_strRoot; }
    std::string Bin() const { return m_strRoot + "/bin"; }
    // Path of a file relative to the root, e.g. Path("Data/score.dat").
    std::string Path(const std::string& relative) const { return m_strRoot + "/" + relative; }
    // Reads a whole file (empty when missing).
    static std::string ReadFile(const std::string& path);
    static void WriteFile(const std::string& path, const std::string& bytes);
    // A scratch file name in the system's temporary folder that no other
    // test process uses (tests run in parallel).
    static std::string UniquePath(const std::string& name);

private:
    std::string m_strRoot;
    std::string m_strOldCwd;
};

#endif
