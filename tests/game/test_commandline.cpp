// The program's options, parsed and as a player meets them.
#include "commandline.h"

#include "tempgamedir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <vector>

TEST(CommandLine, OptionsGiveTheirActionAndTheFirstUnknownOneIsRefused)
{
    const struct {
        std::vector<const char*> arguments;
        CommandLine::Action action;
        bool windowed;
        const char* refused;
    } kCases[] = {
        {{"grovekeep"}, CommandLine::Play, false, ""},
        {{"grovekeep", "--window"}, CommandLine::Play, true, ""},
        {{"grovekeep", "--help"}, CommandLine::ShowHelp, false, ""},
        {{"grovekeep", "--window", "--version"}, CommandLine::ShowVersion, true, ""},
        {{"grovekeep", "--fullscreen", "--help"}, CommandLine::Refuse, false, "--fullscreen"},
        {{"grovekeep", "window"}, CommandLine::Refuse, false, "window"},
    };
    for (const auto& c : kCases) {
        const CommandLine options(static_cast<int>(c.arguments.size()), c.arguments.data());
        const std::string what = c.arguments.size() > 1 ? c.arguments[1] : "(none)";
        EXPECT_EQ(c.action, options.GetAction()) << what;
        EXPECT_EQ(c.windowed, options.IsWindowed()) << what;
        EXPECT_EQ(c.refused, options.GetRefused()) << what;
    }
}

TEST(CommandLine, HelpAndVersionAnswerAndExitWithoutStartingAndAnUnknownOptionExitsWithTwo)
{
    TempGameDir dir;
    const std::string program = dir.Path("bin/grovekeep");
    std::filesystem::copy_file(GROVEKEEP_EXE, program);
    const struct {
        const char* option;
        int status;
        const char* output; // what the answer starts with
        const char* stream; // where it is written
    } kCases[] = {
        {"--help", 0, "Usage: grovekeep [--window]", "out"},
        {"--version", 0, "grovekeep 1.0\n", "out"},
        {"--bogus", 2, "grovekeep: unknown option '--bogus'\nUsage: grovekeep", "err"},
    };
    for (const auto& c : kCases) {
        const std::string command = "cd / && SDL_VIDEODRIVER=dummy '" + program + "' " + c.option + " >'" +
                                    dir.Path("out") + "' 2>'" + dir.Path("err") + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << c.option;
        EXPECT_EQ(c.status, WEXITSTATUS(status)) << c.option;
        EXPECT_EQ(0u, TempGameDir::ReadFile(dir.Path(c.stream)).find(c.output)) << c.option;
        // Nothing started: no log was opened.
        EXPECT_FALSE(std::filesystem::exists(dir.Path("bin/stdout.log"))) << c.option;
    }
}
