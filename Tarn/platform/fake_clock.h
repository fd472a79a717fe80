#ifndef PLATFORM_FAKE_CLOCK_H
#define PLATFORM_FAKE_CLOCK_H

// Internal to the platform layer: the clock tests put in place of the
// steady one, so that time passes without waiting, and the time slept.

#include "win32.h"

namespace platform {

const LONGLONG kTicksPerSecond = 1000000000LL; // one tick is a nanosecond

struct FakeClock {
    bool active = false;
    LONGLONG now = 0;
    LONGLONG ticksPerRead = 0; // every read of the counter moves it on by this
};

FakeClock& TheFakeClock();
// Ticks slept (Sleep and waits on timers), fake or real.
LONGLONG& SleptTicks();

} // namespace platform

#endif
