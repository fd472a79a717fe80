#ifndef TESTS_GAMEFIXTURE_H
#define TESTS_GAMEFIXTURE_H

#include "headlessprogram.h"
#include "tempgamedir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The whole game, headless, over the generated content in a temporary
// folder, on the fake clock (frames cost no waiting). Tests drive it frame
// by frame with injected keys and clicks, and look inside through Probe().
class GameFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A test that needs to change files before the game starts calls these
    // itself: SetUp makes the folder; StartProgram builds the window and
    // initialises the game (as the entry point does).
    virtual bool StartsAtOnce() const { return true; }
    void StartProgram();

    MyGame& Game() { return m_pkProgram->Game(); }
    MyGameProbe& Probe() { return m_pkProgram->Probe(); }
    ApplicationWindow& Window() { return m_pkProgram->Window(); }
    TempGameDir& Dir() { return *m_pkDir; }

    // Runs the messages waiting (injected input) and then one frame. A frame
    // that began in play ends with the field's bookkeeping checked.
    tnError32 Frame();
    // The injected input waiting, then one play step alone (no drawing),
    // checked the same way.
    static constexpr tnReal32 kStep = 1.0f / 30.0f;
    void PlayStep(tnReal32 step = kStep);
    void ExpectCellBookkeeping(); // adds a failure when a cell is wrong
    void RunFrames(int count);
    // Runs frames until the state is reached; false after `limit` frames.
    bool RunUntil(MyGame::GameState state, int limit = 50);
    // From the start to the main menu (title, loading, menu).
    void ReachMenu();

    // Input, seen by the devices at the next frame.
    void PressKey(int dik);
    void ReleaseKey(int dik);
    // Press, one frame, release, one frame.
    void TapKey(int dik);
    void MovePointer(int x, int y);
    // Pointer to (x, y), left button down for one frame, then up.
    void Click(int x, int y, int button = 0);
    // A click in the middle of a menu button (they are 50 pixels apart).
    void ClickMenu(MyGame::MenuButton button) { Click(kButtonX, kFirstButtonY + 50 * static_cast<int>(button)); }
    static constexpr int kButtonX = 512;
    static constexpr int kFirstButtonY = 245;
    static constexpr int kFirstLevelRowY = 156; // the level list's first row; rows are 20 pixels apart

    // The log so far, and how often a text occurs in it.
    std::string LogText() const;
    std::size_t CountInLog(const std::string& text) const;
    // Sounds started since testcontrol::ClearSoundEvents() (the fixture
    // records them from SetUp to TearDown).
    static std::size_t StartedSounds();
    // The game's effects started since then, by their place in the wave list.
    std::vector<MyGame::GameSound> StartedGameSounds();
    // Saves the presented frame as <build>/screenshots/<name>.png; returns
    // the path (empty on failure).
    std::string SaveScreenshot(const std::string& name);

private:
    std::unique_ptr<TempGameDir> m_pkDir;
    std::unique_ptr<HeadlessProgram> m_pkProgram;
    int m_iPointerX = 0;
    int m_iPointerY = 0;
};

#endif
