#ifndef PLATFORM_TESTCONTROL_H
#define PLATFORM_TESTCONTROL_H

// Test control: the one place where tests reach into the platform stand-ins.
// Compiled into the library and harmless in the game: nothing here is
// called unless a test calls it.

#include "win32.h"

#include <cstddef>
#include <string>
#include <vector>

namespace testcontrol {

// --- Failure injection -------------------------------------------------
// The platform operations a test can make fail once. A name that is not
// here does not compile, so a test cannot ask for a failure nothing makes.
enum class Failure {
    Acquire,
    CreateDevice,
    CreateFontA,
    CreateImageSurface,
    CreateKeyboard,
    CreateMouse,
    CreateRenderer, // every renderer SDL is asked for, once
    CreateSoundBuffer,
    CreateTexture,
    CreateWindowExA,
    D3DXCreateFont,
    Direct3DCreate8,
    DirectInput8Create,
    DirectSoundCreate8,
    DirectSoundSetCooperativeLevel,
    Download,
    GetDeviceData,
    GetDeviceState,
    InitAudio,
    InitGameControllers, // the keyboard then reports no pads
    LoadImageA,
    OpenAudioDevice,
    Play,
    PlaySegmentEx,
    QueryPerformanceFrequency,
    RegisterClassA,
    Reset,
    SetCooperativeLevel,
    SetDataFormat,
    SetProperty,
    SetVolume,
};
const char* FailureName(Failure operation);
// Makes the next call of the operation fail once (asked twice: twice).
void FailOnce(Failure operation);
// Used by the stand-ins on every call: true (and the request is consumed)
// when the operation was asked to fail. Allocates nothing, and with no
// failure pending (always, in the game) returns at once.
bool ConsumeFailure(Failure operation);
// The failures asked for and not yet consumed: a test that leaves one has
// not reached the call it meant to break.
std::vector<Failure> PendingFailures();
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
// Total milliseconds slept (Sleep and waits on timers) since the last reset,
// fake or real.
DWORD SleptMilliseconds();
void ResetSleptMilliseconds();

// --- Window ------------------------------------------------------------
// Queues the focus change the window system would report.
void SetFocus(bool focused);
// Queues the window system's note that the window's pixels were lost.
void ExposeWindow();
// Leaves full screen for a window of the given size (as a player would drag
// it); the picture is then drawn off screen and scaled onto it.
void ResizeWindow(int width, int height);
// Queues a close request, as from the window's close button or a signal.
void RequestClose();
// Queues a mouse pointer move / button message at client coordinates.
void MovePointer(int x, int y);
// Number of WM_PAINT messages that drew the loading text.
int LoadingTextPaints();

// --- Input -------------------------------------------------------------
// Queue what the keyboard and mouse would report; the devices see it when
// the message pump next runs (PeekMessageA). Focus loss: SetFocus(false).
void PressKey(int dik);
void ReleaseKey(int dik);
// Pointer motion to (x, y) in picture coordinates, by (dx, dy) since the
// last position: a jump of the pointer is one motion with a large delta.
void MoveMouse(int x, int y, int dx, int dy);
// Mouse button 0 (left), 1 (right), 2 (middle) or 3 pressed or released at
// (x, y).
void MouseButton(int button, bool down, int x, int y);
void MouseWheel(int notches);
// A game controller's button pressed or released, and an axis moved to
// `value` (-32768 to 32767), as the test pad (no real controller needed);
// the keyboard reports the keys they stand for. Buttons and axes are
// numbered as SDL's game-controller API numbers them.
constexpr int PadA = 0, PadB = 1, PadX = 2, PadBack = 4, PadStart = 6, PadUp = 11, PadDown = 12, PadLeft = 13, PadRight = 14;
constexpr int PadLeftX = 0, PadLeftY = 1, PadRightX = 2;
void PadButton(int button, bool down);
void PadAxis(int axis, int value);
// The test pad is pulled out.
void UnplugPad();
// DirectInput objects and devices created and not yet released.
int LiveInputObjects();

// --- Sound -------------------------------------------------------------
struct SoundEvent {
    int bufferId;  // the buffer's id (IDirectSoundBuffer::Id)
    bool started;  // false: stopped, or cut off by its release
    long volume;   // hundredths of a decibel at that moment
    bool looping;
    unsigned long fingerprint; // SoundFingerprint of the buffer: tells which wave it holds
};
// A cheap fingerprint of sound data: its size and its first 4 KiB.
unsigned long SoundFingerprint(const void* data, unsigned long bytes);
// Starts recording every sound started and stopped (off by default: the
// game plays for hours and keeps no such list); off also forgets them.
void RecordSoundEvents(bool record);
// Every sound started and stopped while recording, since the last
// ClearSoundEvents.
std::vector<SoundEvent> SoundEvents();
void ClearSoundEvents();

struct MusicState {
    std::string file; // the file of the last segment played (empty: none yet)
    bool playing;     // the music stream is sounding now
    bool looping;     // played to repeat for ever
};
MusicState GetMusicState();

// Sound and music objects created and not yet released.
int LiveSoundObjects();
// True while sound goes to the silent sink (no usable audio output, or
// "OpenAudioDevice" made to fail).
bool SoundIsSilent();

// True while the window's being in the background holds every sound and
// the music where they are.
bool SoundIsHeld();
// True while the game asks the screensaver to keep off.
bool ScreenSaverHeld();

// --- Graphics ----------------------------------------------------------
// Device.Present calls so far that succeeded.
int PresentCount();
// Of those, the frames drawn and shown on the window; a frame identical to
// the one on screen is not drawn again.
int DrawnFrameCount();
// Of those, the frames drawn and sent to the screen only where they changed.
int PartialFrameCount();
// Keeps a copy of every presented frame from now on (costs a read-back per
// frame; off by default).
void KeepPresentedFrames(bool keep);
// The last frame kept by KeepPresentedFrames, as width x height ARGB pixels
// row by row (alpha always 0xFF); false when none was kept.
bool ReadPresentedFrame(std::vector<DWORD>& pixels, int* width = nullptr, int* height = nullptr);
// The back buffer as it is now, with what was drawn since the last Present
// (after a Present: the frame on screen).
bool ReadBackBuffer(std::vector<DWORD>& pixels, int* width = nullptr, int* height = nullptr);
// The window's own pixels as the screen shows them (scaled and letterboxed
// where the window is not the picture's size), on SDL's software renderer;
// false elsewhere.
bool ReadWindow(std::vector<DWORD>& pixels, int* width = nullptr, int* height = nullptr);
// Writes ARGB pixels as an RGB PNG file a person can open.
bool SavePNG(const std::string& path, const std::vector<DWORD>& pixels, int width, int height);
// Bytes of texture and surface pixels held in memory (on the software
// renderer a texture once shown holds them in the renderer alone).
std::size_t PixelBytesHeld();
// Draws the frame on screen again, where the picture is drawn now (after
// ResizeWindow: straight into the window or off screen), all of it, and
// sends all of it to the screen.
void RedrawLastFrame();
// Every live device reports itself lost (D3DERR_DEVICELOST at least once,
// then D3DERR_DEVICENOTRESET while the window is in front) until Reset.
void LoseDevice();
// Every live device waits for Reset (D3DERR_DEVICENOTRESET).
void RequireDeviceReset();

} // namespace testcontrol

#endif
