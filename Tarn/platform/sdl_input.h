#ifndef PLATFORM_SDL_INPUT_H
#define PLATFORM_SDL_INPUT_H

// Internal to the platform layer: how SDL's keys map to DIK codes, and the
// count of live DirectInput objects that the test control reports.

namespace platform {

// The DIK code of an SDL scancode, 0 for keys DirectInput has no code for.
int DikFromScancode(int scancode);
// The SDL scancode of a DIK code, 0 (unknown) when there is none.
int ScancodeFromDik(int dik);

// DirectInput objects and devices not yet released.
int LiveInputObjects();

// The window id SDL's events carry for the one window (0 without one).
unsigned int WindowEventId();
// Where a point of the picture lies in the window, which may show the
// picture scaled (SDL maps the window's pointer events back to the picture).
void PictureToWindow(float x, float y, int& windowX, int& windowY);
// Queue pointer events as the window system would send them, at (x, y) in
// the window's own coordinates: the pad's pointer and the test control.
void PushPointerMotion(int x, int y, int dx, int dy);
// Button 0 is the left, 1 the right, 2 the middle.
void PushPointerButton(int button, bool down, int x, int y);

} // namespace platform

#endif
