#ifndef TNINPUTTAP_H
#define TNINPUTTAP_H

#include "dinput.h"
#include "tnerror.h"

// What the keyboard and the mouse hand the game, each time they are read,
// passes here first: a recording keeps it, a replay puts its own in its
// place. The devices' own state is all the game ever reads of its input, so
// this is the one place that sees all of it, whatever the platform made of
// the keys, pads, pointer and focus before.
class tnInputTap {
public:
    static const tnUInt32 KeyCount = 256;
    static const tnUInt32 SlotCount = 16;

    virtual ~tnInputTap() = default;
    // The key state before and after the read, and the read's result; the
    // result returned is the one the game gets.
    virtual tnError32 OnKeyboard(tnError32 result, const tnUInt8* before, tnUInt8* state) = 0;
    // The mouse's slots before and after the read.
    virtual tnError32 OnMouse(tnError32 result, const DIDEVICEOBJECTDATA* before, DIDEVICEOBJECTDATA* slots) = 0;

    // The tap in use, null for none.
    static tnInputTap* Get();
    static void Set(tnInputTap* tap);
};

#endif
