#ifndef TNKEYBOARD_H
#define TNKEYBOARD_H

#include "dinput.h"
#include "tnerror.h"

// The keyboard: the state of all 256 keys, indexed by DIK code, as the last
// Update read it.
class tnKeyboard {
public:
    tnKeyboard();
    ~tnKeyboard();
    tnKeyboard(const tnKeyboard&) = delete;
    tnKeyboard& operator=(const tnKeyboard&) = delete;

    tnError32 Init(HWND window);
    // Reads the key state; after lost input it re-acquires and keeps the
    // state of the last successful read for this frame.
    tnError32 Update();
    bool IsButtonDown(tnUInt32 key) const;
    bool IsButtonUp(tnUInt32 key) const;
    void ClearButton(tnUInt32 key);
    tnError32 AcquireDevice();
    // Safe to call more than once.
    void CleanUp();

private:
    static const tnUInt32 KeyCount = 256;
    tnError32 Read();

    IDirectInputDevice8A* m_pkDevice;
    tnUInt8 m_aKeyState[KeyCount]; // bit 7 set: the key is down
};

#endif
