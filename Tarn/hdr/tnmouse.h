#ifndef TNMOUSE_H
#define TNMOUSE_H

#include "tnerror.h"

// The mouse. Its position is process-wide: the window's pointer messages
// write it, every tnMouse reads it.
class tnMouse {
public:
    static void SetPosition(tnUInt32 x, tnUInt32 y);
    static tnUInt32 GetX();
    static tnUInt32 GetY();

private:
    static tnUInt32 ms_iX;
    static tnUInt32 ms_iY;
};

#endif
