// Test control for time: the fake clock and the time slept.
#include "fake_clock.h"
#include "testcontrol.h"

namespace testcontrol {

void UseFakeClock(LONGLONG start, LONGLONG ticksPerRead)
{
    platform::TheFakeClock().active = true;
    platform::TheFakeClock().now = start;
    platform::TheFakeClock().ticksPerRead = ticksPerRead;
}

void UseRealClock()
{
    platform::TheFakeClock().active = false;
}

bool IsClockFake()
{
    return platform::TheFakeClock().active;
}

void AdvanceClock(LONGLONG ticks)
{
    platform::TheFakeClock().now += ticks;
}

DWORD SleptMilliseconds()
{
    return static_cast<DWORD>(platform::SleptTicks() / (platform::kTicksPerSecond / 1000));
}

void ResetSleptMilliseconds()
{
    platform::SleptTicks() = 0;
}

} // namespace testcontrol
