#ifndef REPLAYFILE_H
#define REPLAYFILE_H

#include "dinput.h"
#include "tnerror.h"

#include <cstdint>
#include <string>
#include <vector>

// One recorded game as it lies in memory once read: how it started, what
// every frame handed the game, the game state's digest every 30 frames and
// how it ended. ReplayWriter makes the file, ReplayReader reads it.
//
// The file, little-endian throughout:
//   "GKREPLAY", format version (u16), the file's length (u32), game version
//     (u8 length, text)
//   start: level (u16), sound, music, grid (u8 each), game speed (i8),
//     player speed (u16), lives (u16), top score (u32), the menu buttons'
//     stages (6 x u8), pointer x, y (u16 each), keys held (u8 count, DIK
//     codes), rand numbers drawn (u64)
//   frame count (u32), the frames (see ReplayWriter)
//   digest count (u32), the digests (frame, then the fields; u32 each)
//   outcome: levels played (u16), gold (u32), lives (u16), how (u8)
//   CRC-32 of everything before it (u32)
namespace Replay {

const char Magic[] = "GKREPLAY"; // eight bytes in the file, no terminator
const std::uint16_t FormatVersion = 1;
const std::uint32_t DigestEvery = 30; // frames
const std::uint32_t ButtonCount = 6;

struct Start {
    std::string version;
    std::uint16_t level = 1;
    bool sound = true, music = true, grid = false;
    std::int8_t speed = 100;
    std::uint16_t playerSpeed = 0;
    std::uint16_t lives = 3;
    std::uint32_t topScore = 0;
    std::uint8_t buttons[ButtonCount] = {};
    std::uint16_t pointerX = 0, pointerY = 0;
    std::vector<std::uint8_t> keysDown;
    std::uint64_t drawn = 0; // rand numbers given out before the game began
};

struct KeyChange {
    std::uint8_t key, value;
};
struct KeyRead {
    tnError32 result = tnOK;
    std::vector<KeyChange> changes; // against the state before the read
};
struct SlotChange {
    std::uint8_t slot;
    std::uint32_t offset, data;
};
struct MouseRead {
    tnError32 result = tnOK;
    std::vector<SlotChange> changes;
};
// The seconds spawning reads changed to `seconds` at this read of the frame.
struct SecondsChange {
    std::uint32_t read;
    std::uint8_t seconds;
};

struct Frame {
    float step = 0.0f;
    std::uint16_t pointerX = 0, pointerY = 0;
    bool focusLost = false; // the window went to the background before it
    // The device reads of the frame; `keys` and `mice` are either empty
    // (every read succeeded and changed nothing) or hold every read.
    std::uint8_t keyReads = 0, mouseReads = 0;
    std::vector<KeyRead> keys;
    std::vector<MouseRead> mice;
    std::vector<SecondsChange> seconds;
};

// A small summary of the game state after a frame, field by field so that a
// difference can be named.
struct Digest {
    static const int FieldCount = 8;
    static const char* const FieldNames[FieldCount];
    std::uint32_t frame = 0;
    std::uint32_t fields[FieldCount] = {};
    bool operator==(const Digest& other) const;
};

enum class Ending : std::uint8_t { Unfinished = 0, GameOver = 1, Completed = 2, Abandoned = 3, Quit = 4 };
const char* EndingName(Ending ending);

struct Outcome {
    std::uint16_t levels = 0; // levels played, the one it started with included
    std::uint32_t gold = 0;
    std::uint16_t lives = 0;
    Ending ending = Ending::Unfinished;
    bool operator==(const Outcome& other) const;
};
std::string Describe(const Outcome& outcome);

struct File {
    Start start;
    std::vector<Frame> frames;
    std::vector<Digest> digests;
    Outcome outcome;
};

std::uint32_t Crc32(const std::string& bytes, std::size_t length);

} // namespace Replay

#endif
