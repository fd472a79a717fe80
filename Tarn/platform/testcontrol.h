#ifndef PLATFORM_TESTCONTROL_H
#define PLATFORM_TESTCONTROL_H

// Test control: the one place where tests reach into the platform stand-ins.
// Compiled into the library and harmless in the game: nothing here is
// called unless a test calls it.

#include "win32.h"

#include <string>

namespace testcontrol {

// --- Failure injection -------------------------------------------------
// Makes the next call of the named platform operation fail once, e.g.
// "QueryPerformanceFrequency", "RegisterClassA", "CreateWindowExA",
// "CreateDevice", "CreateTexture", "CreateImageSurface", "D3DXCreateFont",
// "DirectInput8Create", "CreateKeyboard", "CreateMouse", "Acquire",
// "DirectSoundCreate8", "CreateSoundBuffer".
void FailOnce(const std::string& operation);
// Used by the stand-ins: true (and the request is consumed) when the named
// operation was asked to fail.
bool ConsumeFailure(const std::string& operation);
// Forgets every pending failure.
void ClearFailures();

// --- Clock -------------------------------------------------------------
// Replaces the steady clock by a fake one that starts at `start` ticks
// (one tick is a nanosecond). Every counter read advances the fake clock by
// `ticksPerRead`, so a busy wait on it still ends; Sleep advances it by the
// time slept without sleeping.
void UseFakeClock(LONGLONG start = 1000000, LONGLONG ticksPerRead = 1000);
void UseRealClock();
bool IsClockFake();
void AdvanceClock(LONGLONG ticks);
// Total milliseconds passed to Sleep since the last reset (fake or real).
DWORD SleptMilliseconds();
void ResetSleptMilliseconds();

// --- Window ------------------------------------------------------------
// Queues the focus change the window system would report.
void SetFocus(bool focused);
// Queues a close request, as from the window's close button or a signal.
void RequestClose();
// Queues a mouse pointer move / button message at client coordinates.
void MovePointer(int x, int y);
// Number of WM_PAINT messages that drew the loading text.
int LoadingTextPaints();

} // namespace testcontrol

#endif
