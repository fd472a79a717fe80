#ifndef REPLAYCOMMAND_H
#define REPLAYCOMMAND_H

#include "commandline.h"

#include <string>

// "grovekeep --replay FILE|last|best [--check]": finds and reads the file,
// plays it back (in the window, or headless as fast as it goes with
// --check) with nothing of the player's written, and tells how it went.
class ReplayCommand {
public:
    // The exit status: 0 the outcome was the recorded one, 1 it was not, 2
    // the file cannot be read or its game cannot be played here.
    static int Run(const CommandLine& options, const std::string& name);

private:
    static int Refuse(const std::string& what);
    static bool LevelIsHere(unsigned level);
    static void UseHeadlessRun();
};

#endif
