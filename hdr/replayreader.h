#ifndef REPLAYREADER_H
#define REPLAYREADER_H

#include "replayfile.h"

#include <string>

// Reads a replay file, trusting nothing in it: every count is checked
// against what is left of the file and against what a game can hold before
// anything is made of it, so a damaged or hostile file is refused with one
// line saying why, never a crash, a hang or a huge allocation.
class ReplayReader {
public:
    // Frames a replay may hold: six hours of play.
    static const std::uint32_t MaxFrames = 30u * 60u * 60u * 6u;
    // Reads and seconds changes within one frame.
    static const std::uint32_t MaxReadsPerFrame = 64;
    static const std::uint32_t MaxSecondsPerFrame = 4096;
    // Numbers drawn before a game began: more than hours of play, and a
    // replay must not spend minutes getting the generator there.
    static const std::uint64_t MaxDrawn = 1000000000ull;

    // False with `error` set (what is wrong, without the file's name).
    static bool Parse(const std::string& bytes, Replay::File& file, std::string& error);
    // Reads a file from disk; the error then names it.
    static bool Load(const std::string& path, Replay::File& file, std::string& error);

private:
    explicit ReplayReader(const std::string& bytes) : m_strBytes(bytes) {}

    bool Fail(const std::string& why);
    bool Absurd(const char* what, std::uint64_t value);
    bool Take(std::size_t count, const char*& at);
    bool U8(std::uint8_t& value);
    bool U16(std::uint16_t& value);
    bool U32(std::uint32_t& value);
    bool U64(std::uint64_t& value);
    bool Varint(std::uint64_t& value);
    bool F32(float& value);

    bool ReadEnvelope();
    bool ReadStart(Replay::Start& start);
    bool ReadOptions(Replay::Start& start);
    bool ReadFrames(std::vector<Replay::Frame>& frames);
    bool ReadFrame(std::uint8_t tag, Replay::Frame& frame);
    bool ReadKeyRead(Replay::KeyRead& read);
    bool ReadMouseRead(Replay::MouseRead& read);
    bool ReadReadHead(std::uint32_t most, tnError32& result, std::uint64_t& changes);
    bool ReadSeconds(Replay::Frame& frame);
    bool ReadDigests(std::uint32_t frames, std::vector<Replay::Digest>& digests);
    bool ReadOutcome(Replay::Outcome& outcome);

    const std::string& m_strBytes;
    std::size_t m_iAt = 0;
    std::size_t m_iEnd = 0; // where the checksum begins
    std::string m_strError;
};

#endif
