#ifndef GAMEFOLDERS_H
#define GAMEFOLDERS_H

#include <string>

// Where the game works, reads its data and keeps the player's files. The
// game reads "../Data", "../Graphics" and "../sound" from its working
// folder. Beside the program (the build tree, or any copy with bin/ next to
// Data/) everything stays where it always was, the player's files included,
// as long as Data/ can be written. Installed, the data under
// <prefix>/share/grovekeep belongs to the package: the top score and the
// unlocked levels go to the player's data folder, the log to the state
// folder (both "grovekeep" in the XDG folders).
class GameFolders {
public:
    // Works out the folders from the program's own path and enters the one
    // the data is read from. False (nothing changed) when no data lies where
    // the program expects it; the game then names the missing files itself.
    static bool Locate();
    static bool LocateFrom(const std::string& program);
    // Back to the files beside the program, in the working folder.
    static void UseWorkingFolder();

    // The path of one of the player's files ("score.dat").
    static std::string PlayerFile(const char* name);
    // The log's path.
    static std::string LogFile();

private:
    static void UsePlayerFolders();
    static std::string& PlayerFolder(); // ends with '/'
    static std::string& LogPath();
};

#endif
