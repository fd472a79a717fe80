// A saved file survives a power cut: it is written aside, flushed, renamed
// over the old one, and its folder flushed, in that order. The calls are
// recorded on their way to the system, so the file is really saved too.
#include "gamefixture.h"

#include "savedfile.h"
#include "tnlog.h"

#include <cerrno>
#include <map>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_vCalls;
std::map<int, std::string> g_kOpenFiles; // descriptor -> the name it was opened by

// The last part of a path: "../Data/Levels.dat.new" -> "Levels.dat.new",
// "../Data" -> "Data".
std::string Last(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

SavedFile::Calls Recording()
{
    SavedFile::Calls calls;
    calls.open = [](const char* path, int flags, mode_t mode) {
        const int descriptor = SavedFile::System().open(path, flags, mode);
        g_kOpenFiles[descriptor] = Last(path);
        g_vCalls.push_back("open " + Last(path));
        return descriptor;
    };
    calls.write = [](int descriptor, const void* bytes, size_t count) {
        g_vCalls.push_back("write " + g_kOpenFiles[descriptor]);
        return SavedFile::System().write(descriptor, bytes, count);
    };
    calls.fsync = [](int descriptor) {
        g_vCalls.push_back("fsync " + g_kOpenFiles[descriptor]);
        return SavedFile::System().fsync(descriptor);
    };
    calls.close = [](int descriptor) {
        g_vCalls.push_back("close " + g_kOpenFiles[descriptor]);
        return SavedFile::System().close(descriptor);
    };
    calls.rename = [](const char* from, const char* to) {
        g_vCalls.push_back("rename " + Last(from) + " " + Last(to));
        return SavedFile::System().rename(from, to);
    };
    calls.unlink = [](const char* path) {
        g_vCalls.push_back("unlink " + Last(path));
        return SavedFile::System().unlink(path);
    };
    return calls;
}

class SavedFileOrder : public GameFixture {
protected:
    bool StartsAtOnce() const override { return false; }
    void TearDown() override
    {
        SavedFile::Use() = SavedFile::System();
        GameFixture::TearDown();
    }
};

} // namespace

TEST_F(SavedFileOrder, TheLevelListIsFlushedBeforeAndItsFolderAfterTheRename)
{
    StartProgram();
    ReachMenu();
    g_vCalls.clear();
    SavedFile::Use() = Recording();
    // Level 1 picked on a fresh install: its title starts the level list.
    ClickMenu(MyGame::MenuNew);
    Click(kButtonX, kFirstLevelRowY);
    ASSERT_EQ(MyGame::GameRunning, Probe().State());

    const std::vector<std::string> expected = {
        "open Levels.dat.new",  "write Levels.dat.new", "fsync Levels.dat.new", "close Levels.dat.new",
        "rename Levels.dat.new Levels.dat", "open Data", "fsync Data", "close Data"};
    EXPECT_EQ(expected, g_vCalls);
    EXPECT_EQ(static_cast<std::size_t>(MyGame::TitleRecordSize),
              TempGameDir::ReadFile(Dir().Path("Data/Levels.dat")).size());
    EXPECT_EQ(0u, CountInLog("Levels.dat")) << LogText();
}

TEST(SavedFile, AFolderThatCannotBeFlushedIsNamedButTheNewFileStands)
{
    TempGameDir dir(false);
    const std::string name = dir.Path("Data/score.dat");
    TempGameDir::WriteFile(name, "old!");
    OpenLog();
    SavedFile::Use() = Recording();
    SavedFile::Use().fsync = [](int descriptor) {
        if (g_kOpenFiles[descriptor] != "Data")
            return SavedFile::System().fsync(descriptor);
        errno = EIO;
        return -1;
    };
    EXPECT_TRUE(SavedFile::Replace(name, "new!"));
    SavedFile::Use() = SavedFile::System();
    EXPECT_EQ("new!", TempGameDir::ReadFile(name));
    const std::string log = TempGameDir::ReadFile("stdout.log");
    EXPECT_NE(std::string::npos,
              log.find("Error: " + name + ": saved, but its folder cannot be flushed (Input/output error)\n"))
        << log;
    CloseLog();
}
