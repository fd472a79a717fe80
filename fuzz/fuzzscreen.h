#ifndef FUZZ_FUZZSCREEN_H
#define FUZZ_FUZZSCREEN_H

#include "tnscreen.h"

// Readers that may go on to make textures ask the screen for its device. A
// screen without one makes every such attempt fail cleanly, as it would
// before the device exists; it lives for the whole process.
inline void MakeScreenWithoutDevice()
{
    struct ScreenWithoutDevice : tnScreen {};
    static ScreenWithoutDevice* screen = new ScreenWithoutDevice();
    (void)screen;
}

#endif
