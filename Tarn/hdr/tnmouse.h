#ifndef TNMOUSE_H
#define TNMOUSE_H

#include "dinput.h"
#include "tnerror.h"

// The mouse: 16 slots of buffered records (motion and button presses) read
// each frame, and the pointer's position.
//
// The position is process-wide: the window's pointer messages write it and
// every tnMouse reads it with GetX/GetY. It is where the pointer really is.
// GetXAxis/GetYAxis add the frame's relative motion to totals of their own;
// they are not added to the position, which already includes that motion.
class tnMouse {
public:
    static const tnUInt32 SlotCount = 16;

    tnMouse();
    ~tnMouse();
    tnMouse(const tnMouse&) = delete;
    tnMouse& operator=(const tnMouse&) = delete;

    tnError32 Init(HWND window);
    // Slot i receives the i-th record of this frame; button records stay in
    // their slot until overwritten or cleared.
    tnError32 Update();
    // Buttons 1 to 3 are themselves; any other number means button 0.
    bool IsButtonDown(tnUInt32 button) const;
    bool IsButtonUp(tnUInt32 button) const;
    // Add this frame's motion to the running totals (each call adds again)
    // and return the new total.
    tnUInt32 GetXAxis();
    tnUInt32 GetYAxis();
    // This frame's wheel motion.
    tnUInt32 GetZAxis() const;
    // Forgets every slot and every record still buffered (after a click has
    // been acted on).
    tnError32 Clear();
    tnError32 AcquireDevice();
    // Safe to call more than once.
    void CleanUp();

    // The pointer's position in picture coordinates.
    static void SetPosition(tnUInt32 x, tnUInt32 y);
    static tnUInt32 GetX();
    static tnUInt32 GetY();

private:
    static DWORD ButtonOffset(tnUInt32 button);
    tnUInt32 SumOf(DWORD offset) const;
    tnError32 ReadSlot(DIDEVICEOBJECTDATA& slot);
    tnError32 Read();

    IDirectInputDevice8A* m_pkDevice;
    DIDEVICEOBJECTDATA m_akSlots[SlotCount];

    static tnUInt32 ms_iX;
    static tnUInt32 ms_iY;
    static tnUInt32 ms_iXAxis; // motion totals, 32-bit wrap-around
    static tnUInt32 ms_iYAxis;
};

#endif
