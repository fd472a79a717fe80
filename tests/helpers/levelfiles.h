#ifndef TESTS_LEVELFILES_H
#define TESTS_LEVELFILES_H

#include <string>

// The levels a data folder holds, counted as the game finds them: Level1.dat,
// Level2.dat, ... up to the first one missing. The default is the game
// fixture's copy of the generated data, seen from its working folder.
int CountLevelFiles(const std::string& dataFolder = "../Data");

#endif
