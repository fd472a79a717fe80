#ifndef SCREENTEXT_H
#define SCREENTEXT_H

#include "tnerror.h"

// The few texts the screens build from numbers, kept apart so that what the
// player reads can be checked without drawing it.
namespace ScreenText {

// The game speed as the options screen shows it: "100%".
void GameSpeed(signed char speed, char* out, tnUInt32 size);
// The farmer's speed as a share of the fastest: "--%" before any level has
// given him one, else 25% per pixel an update ("75%" for 3).
void PlayerSpeed(tnUInt16 speed, char* out, tnUInt32 size);
// The bottom line of a help page: the last page only offers the way back.
const char* HelpHint(tnUInt16 page, tnUInt16 totalPages);
// "Press Esc to go to the Menu", the bottom line of every screen but help's.
extern const char* const BackHint;

} // namespace ScreenText

#endif
