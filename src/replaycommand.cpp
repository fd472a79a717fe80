#include "replaycommand.h"

#include "applicationwindow.h"
#include "replayfolder.h"
#include "replayplayer.h"
#include "replayreader.h"
#include "savedfile.h"
#include "testcontrol.h"

#include <cstdio>
#include <cstdlib>

int ReplayCommand::Refuse(const std::string& what)
{
    std::fprintf(stderr, "grovekeep: %s\n", what.c_str());
    return ReplayPlayer::Unplayable;
}

bool ReplayCommand::LevelIsHere(unsigned level)
{
    char name[64];
    std::snprintf(name, sizeof(name), "../Data/Level%u.dat", level);
    std::FILE* file = std::fopen(name, "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

void ReplayCommand::UseHeadlessRun()
{
    // No window, no sound card, and a clock that never waits: the frames
    // run back to back, each with its recorded step.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    testcontrol::UseFakeClock();
}

int ReplayCommand::Run(const CommandLine& options, const std::string& name)
{
    const std::string path = ReplayFolder::Resolve(name);
    if (path.empty())
        return Refuse("no replay called '" + name + "' in " + ReplayFolder::Path());
    Replay::File file;
    std::string error;
    if (!ReplayReader::Load(path, file, error))
        return Refuse(error);
    if (!LevelIsHere(file.start.level))
        return Refuse(path + ": level " + std::to_string(file.start.level) + " is not in this install");
    if (options.IsCheck())
        UseHeadlessRun();
    SavedFile::WriteNothing(true);
    ReplayPlayer player(file);
    player.Install();
    char windowed[] = "--window";
    char fullScreen[] = "";
    const bool window = options.IsWindowed() || options.IsCheck();
    const int status = WinMain(nullptr, nullptr, window ? windowed : fullScreen, SW_SHOWDEFAULT);
    player.Uninstall();
    SavedFile::WriteNothing(false);
    if (status != 0 && !player.IsDone())
        return Refuse(path + ": the game could not run (see the log)");
    if (player.GetVerdict() == ReplayPlayer::Unplayable)
        return Refuse(path + ": " + player.GetDifference());
    std::printf("%s\n", Replay::Describe(player.GetOutcome()).c_str());
    if (player.GetVerdict() == ReplayPlayer::Same)
        return ReplayPlayer::Same;
    std::printf("differs from the recording (%s): %s\n", Replay::Describe(file.outcome).c_str(),
                player.GetDifference().empty() ? "the outcome" : player.GetDifference().c_str());
    return ReplayPlayer::Different;
}
