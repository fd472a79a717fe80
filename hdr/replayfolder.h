#ifndef REPLAYFOLDER_H
#define REPLAYFOLDER_H

#include <string>
#include <vector>

// Where the recorded games are kept: "replays/" among the player's files.
// The last games played, each in a file named by when it began, and the
// one that set the top score as "best.replay".
class ReplayFolder {
public:
    static const unsigned Kept = 20;

    // The folder, ending in '/'.
    static std::string Path();
    // Makes the folder; false (one line in the log, once) when it cannot be.
    static bool Make();
    // A new game's file name, later than every one before it.
    static std::string NewFile();
    static std::string BestFile();
    // The games kept, oldest first.
    static std::vector<std::string> Games();
    // Removes the oldest games beyond Kept.
    static void Prune();
    // A file named on the command line, made absolute before the program
    // moves to its data; "last" and "best" as they are.
    static std::string Named(const std::string& name);
    // "last", "best" or a file's own path; empty when there is none.
    static std::string Resolve(const std::string& name);
};

#endif
