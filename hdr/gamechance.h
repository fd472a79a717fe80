#ifndef GAMECHANCE_H
#define GAMECHANCE_H

#include "tnerror.h"

#include <cstdint>
#include <functional>

// Everything the game leaves to chance comes through here: the C library's
// rand, never seeded, so a game run twice from the same count of numbers
// drawn goes the same way; and the seconds of the local time that spawning
// divides by. A replay records both and gives them back.
class GameChance {
public:
    // std::rand, counted.
    static int Random();
    // Numbers drawn since the program started (or since Restart).
    static std::uint64_t Drawn();
    // The generator as an unseeded one starts, nothing drawn yet.
    static void Restart();
    // Draws and forgets `count` numbers.
    static void Skip(std::uint64_t count);

    // The seconds (0 to 59) of the local time, as the timer reads them.
    static tnUInt32 Seconds();
    // Given the seconds the clock shows, the seconds the game is to use: a
    // recording notes them, a replay answers its own. Empty for none.
    typedef std::function<tnUInt32(tnUInt32)> SecondsTap;
    static void SetSecondsTap(SecondsTap tap);
};

#endif
