#include "tntimer.h"

#include "testcontrol.h"

#include <gtest/gtest.h>

namespace {

// A fake clock that only moves when the test moves it (no drift per read).
class TimerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testcontrol::UseFakeClock(1000, 0);
        ASSERT_EQ(tnOK, timer.Init());
    }
    void TearDown() override { testcontrol::UseRealClock(); }

    tnTimer timer;
};

} // namespace

TEST_F(TimerTest, StartOnFreshTimerSetsStartAndSecondStartOnlyMovesLastTime)
{
    timer.Start();
    EXPECT_EQ(1000, timer.GetStartTime());
    EXPECT_EQ(1000, timer.GetLastTime());
    EXPECT_FALSE(timer.IsStopped());

    testcontrol::AdvanceClock(250);
    timer.Start();
    EXPECT_EQ(1000, timer.GetStartTime());
    EXPECT_EQ(1250, timer.GetLastTime());
}

TEST_F(TimerTest, StopThenStartMovesStartForwardByTheStoppedInterval)
{
    timer.Start(); // start at 1000
    timer.Stop();  // pause at 1000
    EXPECT_TRUE(timer.IsStopped());
    EXPECT_EQ(1000, timer.GetPauseTime());

    testcontrol::AdvanceClock(500);
    timer.Start(); // at 1500
    EXPECT_EQ(1500, timer.GetStartTime());
    EXPECT_EQ(0, timer.GetPauseTime());
    EXPECT_FALSE(timer.IsStopped());

    testcontrol::AdvanceClock(2000000000LL);
    EXPECT_DOUBLE_EQ(2.0, timer.GetElapsed());
}

TEST_F(TimerTest, DeltaIsTimeBetweenUpdatesAndStaysWithoutNewUpdate)
{
    timer.Start();
    testcontrol::AdvanceClock(10000000); // 10 ms
    timer.Update();
    EXPECT_DOUBLE_EQ(0.010, timer.GetDelta());
    testcontrol::AdvanceClock(5000000);
    EXPECT_DOUBLE_EQ(0.010, timer.GetDelta());
}

TEST_F(TimerTest, ConsecutiveDeltasSumToTheWholeInterval)
{
    timer.Start();
    const long long steps[] = {1234567, 3, 7654321, 1, 999999999};
    long long total = 0;
    double sum = 0.0;
    for (long long step : steps) {
        testcontrol::AdvanceClock(step);
        total += step;
        timer.Update();
        sum += timer.GetDelta();
    }
    EXPECT_NEAR(static_cast<double>(total) / 1e9, sum, 1e-12);
}

TEST_F(TimerTest, ResetRestartsTimingFromNow)
{
    timer.Start();
    timer.Stop();
    testcontrol::AdvanceClock(700);
    timer.Reset();
    EXPECT_EQ(1700, timer.GetStartTime());
    EXPECT_EQ(0, timer.GetPauseTime());
    EXPECT_FALSE(timer.IsStopped());
}

TEST(tnTimer, InitFailsWithoutAPerformanceCounter)
{
    tnTimer timer;
    testcontrol::FailOnce(testcontrol::Failure::QueryPerformanceFrequency);
    EXPECT_EQ(tnErrorTimer, timer.Init());
    // Without a frequency no conversion divides by zero.
    EXPECT_EQ(0.0, timer.GetDelta());
    EXPECT_EQ(tnOK, timer.Init());
}

TEST(tnTimer, LocalTimeGettersReadTheLastSnapshot)
{
    tnTimer timer;
    timer.UpdateLocalTime();
    std::time_t now = std::time(nullptr);
    std::tm expected = *std::localtime(&now);
    // The snapshot is a copy: a later localtime call elsewhere cannot change it.
    std::time_t later = now + 3600 * 24 * 40 + 17;
    std::localtime(&later);
    EXPECT_LE(timer.GetSeconds(), 60u);
    EXPECT_EQ(expected.tm_year, timer.GetYear());
    EXPECT_EQ(expected.tm_mon, timer.GetMonth());
    EXPECT_EQ(expected.tm_mday, timer.GetDay());
}
