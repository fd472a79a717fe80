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

} // namespace platform

#endif
