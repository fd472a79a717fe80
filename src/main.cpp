#include "applicationwindow.h"
#include "commandline.h"
#include "gamefolders.h"
#include "replaycommand.h"
#include "replayfolder.h"
#include "replayrecorder.h"

#include <cstdio>

int main(int count, char** arguments)
{
    const CommandLine options(count, arguments);
    switch (options.GetAction()) {
    case CommandLine::ShowHelp:
        std::fputs(CommandLine::Usage().c_str(), stdout);
        return 0;
    case CommandLine::ShowVersion:
        std::fputs(CommandLine::Version().c_str(), stdout);
        return 0;
    case CommandLine::Refuse:
        std::fprintf(stderr, "grovekeep: unknown option '%s'\n%s", options.GetRefused().c_str(),
                     CommandLine::Usage().c_str());
        return 2;
    case CommandLine::Play:
        break;
    }
    // Started from anywhere: the data is found from where the program is.
    const std::string replay = ReplayFolder::Named(options.GetReplay());
    GameFolders::Locate();
    if (!replay.empty())
        return ReplayCommand::Run(options, replay);
    // Every game is recorded.
    ReplayRecorder recorder;
    recorder.Install();
    char windowed[] = "--window";
    char fullScreen[] = "";
    return WinMain(nullptr, nullptr, options.IsWindowed() ? windowed : fullScreen, SW_SHOWDEFAULT);
}
