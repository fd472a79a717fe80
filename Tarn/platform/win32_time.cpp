// Performance counter and Sleep over std::chrono, with the fake clock that
// tests use to let time pass without waiting.
#include "testcontrol.h"
#include "win32.h"

#include <chrono>
#include <thread>

namespace {
const LONGLONG kTicksPerSecond = 1000000000LL;

struct FakeClock {
    bool active = false;
    LONGLONG now = 0;
    LONGLONG ticksPerRead = 0;
};

FakeClock g_kFakeClock;
DWORD g_iSleptMilliseconds = 0;

LONGLONG SteadyNow()
{
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(since).count();
}
} // namespace

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    if (!frequency || testcontrol::ConsumeFailure("QueryPerformanceFrequency"))
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
    g_iSleptMilliseconds += milliseconds;
    if (g_kFakeClock.active) {
        g_kFakeClock.now += static_cast<LONGLONG>(milliseconds) * (kTicksPerSecond / 1000);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::time_t WallClockTime()
{
    // 2027-01-15 08:00:00 UTC, then as many seconds as the fake clock ran.
    const std::time_t kFakeStart = 1800000000;
    if (g_kFakeClock.active)
        return kFakeStart + static_cast<std::time_t>(g_kFakeClock.now / kTicksPerSecond);
    return std::time(nullptr);
}

namespace testcontrol {

void UseFakeClock(LONGLONG start, LONGLONG ticksPerRead)
{
    g_kFakeClock.active = true;
    g_kFakeClock.now = start;
    g_kFakeClock.ticksPerRead = ticksPerRead;
}

void UseRealClock()
{
    g_kFakeClock.active = false;
}

bool IsClockFake()
{
    return g_kFakeClock.active;
}

void AdvanceClock(LONGLONG ticks)
{
    g_kFakeClock.now += ticks;
}

DWORD SleptMilliseconds()
{
    return g_iSleptMilliseconds;
}

void ResetSleptMilliseconds()
{
    g_iSleptMilliseconds = 0;
}

} // namespace testcontrol
