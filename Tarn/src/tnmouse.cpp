#include "tnmouse.h"

tnUInt32 tnMouse::ms_iX = 0;
tnUInt32 tnMouse::ms_iY = 0;

void tnMouse::SetPosition(tnUInt32 x, tnUInt32 y)
{
    ms_iX = x;
    ms_iY = y;
}

tnUInt32 tnMouse::GetX()
{
    return ms_iX;
}

tnUInt32 tnMouse::GetY()
{
    return ms_iY;
}
