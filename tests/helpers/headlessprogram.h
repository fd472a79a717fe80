#ifndef TESTS_HEADLESSPROGRAM_H
#define TESTS_HEADLESSPROGRAM_H

#include "applicationwindow.h"
#include "mygameprobe.h"

#include <memory>

// The program as its entry point builds it, without a screen of its own:
// the log, the timer, the window and the game over the data beside the
// working folder (a TempGameDir's), and a probe into the game. Shut down in
// the entry point's order when destroyed.
class HeadlessProgram {
public:
    HeadlessProgram() = default;
    HeadlessProgram(const HeadlessProgram&) = delete;
    HeadlessProgram& operator=(const HeadlessProgram&) = delete;
    ~HeadlessProgram();

    // Opens the log, starts the timer, makes the window and initialises the
    // game; false at the first step that fails.
    bool Start();

    ApplicationWindow& Window() { return *m_pkWindow; }
    MyGame& Game() { return m_pkWindow->GetGame(); }
    MyGameProbe& Probe() { return *m_pkProbe; }

private:
    std::unique_ptr<ApplicationWindow> m_pkWindow;
    std::unique_ptr<MyGameProbe> m_pkProbe;
};

#endif
