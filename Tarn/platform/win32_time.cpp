// Performance counter, Sleep and waitable timers over the monotonic clock,
// with the fake clock that tests use to let time pass without waiting.
#include "fake_clock.h"
#include "testcontrol.h"
#include "win32.h"

#include <cerrno>
#include <chrono>
#include <ctime>

namespace {
using platform::kTicksPerSecond;
platform::FakeClock& g_kFakeClock = platform::TheFakeClock();
LONGLONG& g_iSleptTicks = platform::SleptTicks();

// steady_clock is CLOCK_MONOTONIC on Linux: its ticks are the deadlines
// clock_nanosleep sleeps to.
LONGLONG SteadyNow()
{
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(since).count();
}

LONGLONG Now()
{
    return g_kFakeClock.active ? g_kFakeClock.now : SteadyNow();
}

// Sleeps until the clock reads `deadline`: woken early by a signal, it goes
// back to sleep for what is left, so no wait has to be finished by spinning.
void SleepUntil(LONGLONG deadline)
{
    LONGLONG now = Now();
    if (deadline <= now)
        return;
    g_iSleptTicks += deadline - now;
    if (g_kFakeClock.active) {
        g_kFakeClock.now = deadline;
        return;
    }
    timespec at = {static_cast<std::time_t>(deadline / kTicksPerSecond), static_cast<long>(deadline % kTicksPerSecond)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

struct WaitableTimer {
    LONGLONG due = 0;
    bool set = false;
};
} // namespace

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    if (!frequency || testcontrol::ConsumeFailure(testcontrol::Failure::QueryPerformanceFrequency))
        return FALSE;
    frequency->QuadPart = kTicksPerSecond;
    return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* counter)
{
    if (!counter)
        return FALSE;
    if (g_kFakeClock.active) {
        g_kFakeClock.now += g_kFakeClock.ticksPerRead;
        counter->QuadPart = g_kFakeClock.now;
    } else {
        counter->QuadPart = SteadyNow();
    }
    return TRUE;
}

void Sleep(DWORD milliseconds)
{
    SleepUntil(Now() + static_cast<LONGLONG>(milliseconds) * (kTicksPerSecond / 1000));
}

HANDLE CreateWaitableTimerA(void*, BOOL, LPCSTR)
{
    return new WaitableTimer();
}

BOOL SetWaitableTimer(HANDLE timer, const LARGE_INTEGER* dueTime, LONG, void*, void*, BOOL)
{
    if (!timer || !dueTime || dueTime->QuadPart >= 0) // only relative due times are kept
        return FALSE;
    WaitableTimer* waitable = static_cast<WaitableTimer*>(timer);
    waitable->due = Now() - dueTime->QuadPart * 100;
    waitable->set = true;
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    WaitableTimer* timer = static_cast<WaitableTimer*>(handle);
    if (!timer || (!timer->set && milliseconds == INFINITE))
        return WAIT_FAILED;
    LONGLONG limit = Now() + static_cast<LONGLONG>(milliseconds) * (kTicksPerSecond / 1000);
    if (timer->set && (milliseconds == INFINITE || timer->due <= limit)) {
        SleepUntil(timer->due);
        timer->set = false; // an auto-reset timer: one wait per setting
        return WAIT_OBJECT_0;
    }
    SleepUntil(limit);
    return WAIT_TIMEOUT;
}

BOOL CloseHandle(HANDLE handle)
{
    if (!handle)
        return FALSE;
    delete static_cast<WaitableTimer*>(handle);
    return TRUE;
}

std::time_t WallClockTime()
{
    // 2027-01-15 08:00:00 UTC, then as many seconds as the fake clock ran.
    const std::time_t kFakeStart = 1800000000;
    if (g_kFakeClock.active)
        return kFakeStart + static_cast<std::time_t>(g_kFakeClock.now / kTicksPerSecond);
    return std::time(nullptr);
}

namespace platform {

FakeClock& TheFakeClock()
{
    static FakeClock clock;
    return clock;
}

LONGLONG& SleptTicks()
{
    static LONGLONG ticks = 0;
    return ticks;
}

} // namespace platform
