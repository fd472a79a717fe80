#ifndef REPLAYWRITER_H
#define REPLAYWRITER_H

#include "replayfile.h"

#include <string>

// Makes a replay file frame by frame, as the game goes: what it has written
// so far is a few bytes a second of play, so a recording costs next to no
// memory, and Bytes makes a whole file of it at any moment.
//
// A frame begins with a tag. A tag with bit 7 set stands for (tag & 0x7F) + 1
// quiet frames: the step and the pointer as in the frame before, as many
// keyboard and mouse reads as in the last frame that said, each of them
// succeeding with nothing changed, no seconds read anew, no focus lost.
// Otherwise its bits say what follows, in this order: 0x01 the step (f32),
// 0x02 the pointer (u16 x, u16 y), 0x04 the focus was lost (nothing follows),
// 0x08 the counts of keyboard and mouse reads (varints), 0x10 the reads, 0x20
// the seconds read anew (varint count, then varint read index and u8 seconds
// each). A read is a varint (changes << 1 | failed), the result (u8) when it
// failed, then its changes: key and value (u8 each) for the keyboard, slot
// (u8), offset and data (u32 each) for the mouse. Without 0x10 every read
// succeeded and changed nothing.
class ReplayWriter {
public:
    explicit ReplayWriter(const Replay::Start& start);

    void AddFrame(const Replay::Frame& frame);
    void AddDigest(const Replay::Digest& digest);
    std::uint32_t FrameCount() const { return m_iFrames; }

    // The whole file up to now, ending with this outcome; writing goes on.
    std::string Bytes(const Replay::Outcome& outcome) const;
    // A whole file at once (the golden games, the tests).
    static std::string Encode(const Replay::File& file);

    static const std::uint8_t QuietRun = 0x80;
    enum Tag : std::uint8_t { Step = 0x01, Pointer = 0x02, FocusLost = 0x04, Counts = 0x08, Reads = 0x10, Seconds = 0x20 };

private:
    bool IsQuiet(const Replay::Frame& frame) const;
    std::uint8_t TagOf(const Replay::Frame& frame) const;
    void PutReads(const Replay::Frame& frame);
    void FlushQuietRun(std::string& out, std::uint32_t run) const;

    std::string m_strStart;
    std::string m_strFrames;
    std::string m_strDigests;
    std::uint32_t m_iFrames = 0;
    std::uint32_t m_iDigests = 0;
    std::uint32_t m_iQuietRun = 0; // quiet frames not yet written out
    Replay::Frame m_kLast;         // step, pointer and read counts last said
};

#endif
