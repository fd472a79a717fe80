#include "applicationwindow.h"
#include "failurecheck.h"
#include "mygameprobe.h"

#include "tempgamedir.h"
#include "testcontrol.h"
#include "tnlog.h"
#include "tnmouse.h"
#include "tntimer.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const kInitBanner = "\n-----------------------------Init--------------------------------\n";
const char* const kRunBanner = "\n-----------------------------Run--------------------------------\n";
const char* const kCleanUpBanner = "\n-----------------------------CleanUp--------------------------------\n";
const char* const kEndBanner = "\n----------------------------End of program----------------------------\n";
const char* const kInfoLine = "\nINFO:\tTime Used for Init() is ";

// Positions of the texts in the log, in the order given; -1 where missing
// or out of order.
std::vector<long> PositionsInOrder(const std::string& log, const std::vector<std::string>& texts)
{
    std::vector<long> positions;
    std::string::size_type from = 0;
    for (const std::string& text : texts) {
        std::string::size_type at = log.find(text, from);
        positions.push_back(at == std::string::npos ? -1 : static_cast<long>(at));
        if (at != std::string::npos)
            from = at + text.size();
    }
    return positions;
}

bool AllFound(const std::vector<long>& positions)
{
    for (long position : positions)
        if (position < 0)
            return false;
    return true;
}

// The shell with its window, on a fake clock that advances 1 us per read.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testcontrol::UseFakeClock(1000000, 1000);
        testcontrol::ClearFailures();
        ASSERT_EQ(tnOK, g_kTimer.Init());
        g_kTimer.Start();
        window.Create(nullptr, "Grovekeep", WS_POPUP | WS_VISIBLE | WS_SYSMENU, 101, 1024, 768);
        ASSERT_NE(nullptr, window.GetHandle());
        ASSERT_EQ(tnOK, window.Init());
    }
    void TearDown() override
    {
        window.Shutdown();
        DestroyWindow(window.GetHandle());
        ExpectEveryFailureUsed();
        testcontrol::UseRealClock();
    }

    TempGameDir dir{false};
    ApplicationWindow window;
};

} // namespace

TEST_F(ShellTest, FirstFrameDoesNoGameWorkAndSetsARate)
{
    EXPECT_EQ(0u, window.GetGame().GetFPS());
    EXPECT_EQ(tnOK, window.Frame());
    // The title screen is drawn by the first render; it has not happened.
    EXPECT_EQ(MyGame::GameIntro, MyGameProbe(window.GetGame()).State());
    EXPECT_GT(window.GetGame().GetFPS(), 0u);
    EXPECT_LE(window.GetGame().GetFPS(), 30u);

    EXPECT_EQ(tnOK, window.Frame());
    EXPECT_EQ(MyGame::GameInit, MyGameProbe(window.GetGame()).State());
}

TEST_F(ShellTest, FrameLastingFortyMillisecondsGivesRateTwentyFive)
{
    window.Frame();
    testcontrol::UseFakeClock(5000000000LL, 0); // a still clock
    g_kTimer.Start();
    testcontrol::AdvanceClock(40000000); // the frame's work takes 0.040 s
    EXPECT_EQ(tnOK, window.Frame());
    EXPECT_EQ(25u, window.GetGame().GetFPS());
}

TEST_F(ShellTest, QuickFrameIsHeldToAThirtiethOfASecondAsleep)
{
    // The first frame only starts the clock: it is not held back.
    testcontrol::ResetSleptMilliseconds();
    window.Frame();
    EXPECT_EQ(30u, window.GetGame().GetFPS());
    EXPECT_EQ(0u, testcontrol::SleptMilliseconds());

    LARGE_INTEGER start = {}, end = {};
    QueryPerformanceCounter(&start);
    window.Frame();
    QueryPerformanceCounter(&end);
    EXPECT_EQ(30u, window.GetGame().GetFPS());
    EXPECT_NEAR(0.033, (end.QuadPart - start.QuadPart) / 1.0e9, 0.0002);
    // Slept to the deadline, not to the millisecond before it and spun.
    EXPECT_GE(testcontrol::SleptMilliseconds(), 32u);
}

TEST_F(ShellTest, QuitFromTheGameEndsTheFrameBeforeRenderingAndPacing)
{
    MyGameProbe(window.GetGame()).State() = MyGame::GameQuit;
    window.GetGame().SetFPS(7);
    EXPECT_EQ(tnErrorProcessGame, window.Frame());
    EXPECT_EQ(7u, window.GetGame().GetFPS());
}

TEST_F(ShellTest, RunEndsWhenTheGameQuits)
{
    window.GetGame().SetFPS(30);
    MyGameProbe(window.GetGame()).State() = MyGame::GameQuit;
    window.Run(); // returns instead of looping for ever
    EXPECT_EQ(MyGame::GameQuit, MyGameProbe(window.GetGame()).State());
}

TEST_F(ShellTest, NothingRunsWhileInactiveAndCloseEndsTheLoop)
{
    testcontrol::SetFocus(false);
    testcontrol::RequestClose();
    window.Run();
    EXPECT_FALSE(window.IsActive());
    EXPECT_EQ(0u, window.GetGame().GetFPS());
    EXPECT_EQ(MyGame::GameIntro, MyGameProbe(window.GetGame()).State());
}

TEST_F(ShellTest, OnlyPointerMessagesMoveTheMouseAndActivationSetsTheFlag)
{
    window.MessageHandler(window.GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));
    EXPECT_EQ(300u, tnMouse::GetX());
    EXPECT_EQ(200u, tnMouse::GetY());
    window.MessageHandler(window.GetHandle(), WM_PAINT, 0, 0);
    window.MessageHandler(window.GetHandle(), WM_ACTIVATEAPP, 0, 0);
    EXPECT_FALSE(window.IsActive());
    window.MessageHandler(window.GetHandle(), WM_ACTIVATEAPP, 1, 0);
    EXPECT_TRUE(window.IsActive());
    EXPECT_EQ(300u, tnMouse::GetX());
    EXPECT_EQ(200u, tnMouse::GetY());
    window.MessageHandler(window.GetHandle(), WM_LBUTTONDOWN, 0, MAKELPARAM(1023, 767));
    EXPECT_EQ(1023u, tnMouse::GetX());
    EXPECT_EQ(767u, tnMouse::GetY());
}

TEST(Shell, LoadingTextIsPaintedWhileTheGameLoads)
{
    TempGameDir dir(false);
    int before = testcontrol::LoadingTextPaints();
    {
        ApplicationWindow window;
        window.Create(nullptr, "Grovekeep", WS_POPUP | WS_VISIBLE | WS_SYSMENU, 101, 1024, 768);
        EXPECT_GT(testcontrol::LoadingTextPaints(), before);
        int duringLoad = testcontrol::LoadingTextPaints();
        ASSERT_EQ(tnOK, window.Init());
        window.MessageHandler(window.GetHandle(), WM_PAINT, 0, 0);
        EXPECT_EQ(duringLoad, testcontrol::LoadingTextPaints());
        window.Shutdown();
        DestroyWindow(window.GetHandle());
    }
}

TEST(Shell, ClosedProgramWritesEveryBannerInOrder)
{
    TempGameDir dir(false);
    testcontrol::RequestClose();
    EXPECT_EQ(0, WinMain(nullptr, nullptr, nullptr, 0));
    std::string log = TempGameDir::ReadFile("stdout.log");
    EXPECT_TRUE(AllFound(PositionsInOrder(log, {kInitBanner, kInfoLine, kRunBanner, kCleanUpBanner, kEndBanner})))
        << log;
    // The status line of the window's destructor comes after the log closed.
    EXPECT_EQ(std::string::npos, log.find("Status: In ~ApplicationWindow()"));
}

TEST(Shell, FailedInitSkipsTheRunButShutsDownInOrder)
{
    TempGameDir dir(false);
    testcontrol::FailOnce(testcontrol::Failure::CreateDevice);
    EXPECT_EQ(1, WinMain(nullptr, nullptr, nullptr, 0));
    std::string log = TempGameDir::ReadFile("stdout.log");
    EXPECT_TRUE(AllFound(PositionsInOrder(log, {kInitBanner, "Error: InitD3DDevice(), in MyGame::InitDirectX()\n",
                                                kInfoLine, kCleanUpBanner, "Input Device Destroyed\n",
                                                "All other Objects Destroyed\n", kEndBanner})))
        << log;
    EXPECT_EQ(std::string::npos, log.find(kRunBanner));
}

TEST(Shell, ProgramWithoutAPerformanceCounterEndsAtOnceWithAnEmptyLog)
{
    TempGameDir dir(false);
    testcontrol::FailOnce(testcontrol::Failure::QueryPerformanceFrequency);
    EXPECT_EQ(1, WinMain(nullptr, nullptr, nullptr, 0));
    EXPECT_EQ("", TempGameDir::ReadFile("stdout.log"));
}

TEST(Program, StartedFromElsewhereFindsItsDataAndSigtermShutsItDownCleanly)
{
    // A copy of the program beside the test's data, started from an
    // unrelated folder: it works from where it lies, and logs there.
    TempGameDir dir;
    const std::string program = dir.Path("bin/grovekeep");
    std::filesystem::copy_file(GROVEKEEP_EXE, program);
    const std::string logFile = dir.Path("bin/stdout.log");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        if (chdir("/") == 0)
            execl(program.c_str(), "grovekeep", static_cast<char*>(nullptr));
        _exit(127);
    }
    // Wait for the program to reach its loop, then ask it to end.
    for (int i = 0; i < 100 && TempGameDir::ReadFile(logFile).find(kRunBanner) == std::string::npos; ++i)
        usleep(50000);
    usleep(300000);
    kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status));
    std::string log = TempGameDir::ReadFile(logFile);
    EXPECT_TRUE(AllFound(PositionsInOrder(log, {kInitBanner, kInfoLine, kRunBanner, kCleanUpBanner, kEndBanner})))
        << log;
}
