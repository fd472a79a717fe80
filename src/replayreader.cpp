#include "replayreader.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {
const std::size_t kEnvelope = 8 + 2 + 4; // magic, version, length
const std::size_t kChecksum = 4;
const std::uint32_t kDigestBytes = 4 * (1 + Replay::Digest::FieldCount);
const float kLongestStep = 1.0f; // a frame's step in seconds, at most
} // namespace

bool ReplayReader::Load(const std::string& path, Replay::File& file, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot be opened";
        return false;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!Parse(bytes.str(), file, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

bool ReplayReader::Parse(const std::string& bytes, Replay::File& file, std::string& error)
{
    ReplayReader reader(bytes);
    file = Replay::File();
    const bool good = reader.ReadEnvelope() && reader.ReadStart(file.start) && reader.ReadFrames(file.frames) &&
                      reader.ReadDigests(static_cast<std::uint32_t>(file.frames.size()), file.digests) &&
                      reader.ReadOutcome(file.outcome);
    if (good && reader.m_iAt != reader.m_iEnd)
        reader.Fail("has bytes after its outcome");
    error = reader.m_strError;
    return error.empty();
}

bool ReplayReader::Fail(const std::string& why)
{
    if (m_strError.empty())
        m_strError = why;
    return false;
}

bool ReplayReader::Absurd(const char* what, std::uint64_t value)
{
    char text[120];
    std::snprintf(text, sizeof(text), "holds an absurd %s (%llu)", what, static_cast<unsigned long long>(value));
    return Fail(text);
}

bool ReplayReader::Take(std::size_t count, const char*& at)
{
    if (count > m_iEnd - m_iAt)
        return Fail("is cut short inside (damaged)");
    at = m_strBytes.data() + m_iAt;
    m_iAt += count;
    return true;
}

bool ReplayReader::U8(std::uint8_t& value)
{
    const char* at = nullptr;
    if (!Take(1, at))
        return false;
    value = static_cast<std::uint8_t>(*at);
    return true;
}

bool ReplayReader::U16(std::uint16_t& value)
{
    std::uint8_t low = 0, high = 0;
    if (!U8(low) || !U8(high))
        return false;
    value = static_cast<std::uint16_t>(low | (high << 8));
    return true;
}

bool ReplayReader::U32(std::uint32_t& value)
{
    std::uint16_t low = 0, high = 0;
    if (!U16(low) || !U16(high))
        return false;
    value = low | (static_cast<std::uint32_t>(high) << 16);
    return true;
}

bool ReplayReader::U64(std::uint64_t& value)
{
    std::uint32_t low = 0, high = 0;
    if (!U32(low) || !U32(high))
        return false;
    value = low | (static_cast<std::uint64_t>(high) << 32);
    return true;
}

bool ReplayReader::Varint(std::uint64_t& value)
{
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        std::uint8_t byte = 0;
        if (!U8(byte))
            return false;
        value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return true;
    }
    return Fail("holds a number too long to be one (damaged)");
}

bool ReplayReader::F32(float& value)
{
    std::uint32_t bits = 0;
    if (!U32(bits))
        return false;
    std::memcpy(&value, &bits, sizeof(value));
    return true;
}

bool ReplayReader::ReadEnvelope()
{
    if (m_strBytes.size() < 8 || std::memcmp(m_strBytes.data(), Replay::Magic, 8) != 0)
        return Fail("is not a replay (it does not begin with GKREPLAY)");
    if (m_strBytes.size() < kEnvelope + kChecksum)
        return Fail("is truncated (it ends inside its header)");
    m_iEnd = m_strBytes.size();
    m_iAt = 8;
    std::uint16_t version = 0;
    std::uint32_t length = 0;
    U16(version);
    U32(length);
    if (version != Replay::FormatVersion) {
        char text[120];
        std::snprintf(text, sizeof(text), "is a replay of format version %u; this game reads version %u", version,
                      Replay::FormatVersion);
        return Fail(text);
    }
    if (length != m_strBytes.size()) {
        char text[120];
        std::snprintf(text, sizeof(text), "is %s (%zu bytes of the %u it should have)",
                      m_strBytes.size() < length ? "truncated" : "too long", m_strBytes.size(), length);
        return Fail(text);
    }
    m_iEnd = m_strBytes.size() - kChecksum;
    const unsigned char* tail = reinterpret_cast<const unsigned char*>(m_strBytes.data() + m_iEnd);
    const std::uint32_t stored = tail[0] | (tail[1] << 8) | (tail[2] << 16) | (static_cast<std::uint32_t>(tail[3]) << 24);
    if (stored != Replay::Crc32(m_strBytes, m_iEnd))
        return Fail("has a bad checksum (damaged)");
    return true;
}

bool ReplayReader::ReadStart(Replay::Start& start)
{
    std::uint8_t length = 0;
    const char* text = nullptr;
    if (!U8(length) || !Take(length, text))
        return false;
    start.version.assign(text, length);
    if (!ReadOptions(start) || !U16(start.lives) || !U32(start.topScore))
        return false;
    for (std::uint8_t& stage : start.buttons) {
        if (!U8(stage))
            return false;
    }
    std::uint8_t keys = 0;
    if (!U16(start.pointerX) || !U16(start.pointerY) || !U8(keys))
        return false;
    start.keysDown.resize(keys);
    for (std::uint8_t& key : start.keysDown) {
        if (!U8(key))
            return false;
    }
    if (!U64(start.drawn))
        return false;
    if (start.drawn > MaxDrawn)
        return Absurd("count of rand numbers drawn before the game", start.drawn);
    if (start.lives == 0 || start.lives > 5)
        return Absurd("number of lives", start.lives);
    return true;
}

bool ReplayReader::ReadOptions(Replay::Start& start)
{
    std::uint8_t sound = 0, music = 0, grid = 0, speed = 0;
    if (!U16(start.level) || !U8(sound) || !U8(music) || !U8(grid) || !U8(speed) || !U16(start.playerSpeed))
        return false;
    start.sound = sound != 0;
    start.music = music != 0;
    start.grid = grid != 0;
    start.speed = static_cast<std::int8_t>(speed);
    if (start.level == 0 || start.level > 999)
        return Absurd("level", start.level);
    if (start.speed < 20 || start.speed > 100)
        return Absurd("game speed", static_cast<std::uint64_t>(speed));
    return true;
}

bool ReplayReader::ReadFrames(std::vector<Replay::Frame>& frames)
{
    std::uint32_t count = 0;
    if (!U32(count))
        return false;
    if (count > MaxFrames)
        return Absurd("count of frames", count);
    Replay::Frame last;
    // Each byte left may stand for a run of frames, never more.
    if (count > (m_iEnd - m_iAt) * 128)
        return Fail("is truncated (it holds fewer frames than it says)");
    frames.reserve(count);
    while (frames.size() < count) {
        std::uint8_t tag = 0;
        if (!U8(tag))
            return false;
        if (tag & 0x80) {
            const std::uint32_t run = (tag & 0x7Fu) + 1;
            if (run > count - frames.size())
                return Fail("holds more frames than it says (damaged)");
            frames.insert(frames.end(), run, last);
            continue;
        }
        Replay::Frame frame = last;
        if (!ReadFrame(tag, frame))
            return false;
        last.step = frame.step;
        last.pointerX = frame.pointerX;
        last.pointerY = frame.pointerY;
        last.keyReads = frame.keyReads;
        last.mouseReads = frame.mouseReads;
        frames.push_back(std::move(frame));
    }
    return true;
}

bool ReplayReader::ReadFrame(std::uint8_t tag, Replay::Frame& frame)
{
    if (tag & ~0x3Fu)
        return Fail("holds a frame of an unknown kind (damaged)");
    if ((tag & 0x01) && !F32(frame.step))
        return false;
    if ((tag & 0x02) && (!U16(frame.pointerX) || !U16(frame.pointerY)))
        return false;
    frame.focusLost = (tag & 0x04) != 0;
    if (tag & 0x08) {
        std::uint64_t keys = 0, mice = 0;
        if (!Varint(keys) || !Varint(mice))
            return false;
        if (keys > MaxReadsPerFrame || mice > MaxReadsPerFrame)
            return Absurd("count of input reads in a frame", keys > mice ? keys : mice);
        frame.keyReads = static_cast<std::uint8_t>(keys);
        frame.mouseReads = static_cast<std::uint8_t>(mice);
    }
    if (!(std::isfinite(frame.step) && frame.step > 0.0f && frame.step <= kLongestStep))
        return Absurd("frame step (in microseconds)", std::isfinite(frame.step) && frame.step > 0.0f
                                                          ? static_cast<std::uint64_t>(frame.step * 1e6f)
                                                          : 0);
    if (tag & 0x10) {
        frame.keys.resize(frame.keyReads);
        frame.mice.resize(frame.mouseReads);
        for (Replay::KeyRead& read : frame.keys) {
            if (!ReadKeyRead(read))
                return false;
        }
        for (Replay::MouseRead& read : frame.mice) {
            if (!ReadMouseRead(read))
                return false;
        }
    }
    return !(tag & 0x20) || ReadSeconds(frame);
}

bool ReplayReader::ReadReadHead(std::uint32_t most, tnError32& result, std::uint64_t& changes)
{
    std::uint64_t head = 0;
    if (!Varint(head))
        return false;
    changes = head >> 1;
    if (changes > most)
        return Absurd("count of changes in one input read", changes);
    std::uint8_t code = 0;
    if ((head & 1) && !U8(code))
        return false;
    result = static_cast<tnError32>(code);
    return true;
}

bool ReplayReader::ReadKeyRead(Replay::KeyRead& read)
{
    std::uint64_t changes = 0;
    if (!ReadReadHead(256, read.result, changes))
        return false;
    read.changes.resize(changes);
    for (Replay::KeyChange& change : read.changes) {
        if (!U8(change.key) || !U8(change.value))
            return false;
    }
    return true;
}

bool ReplayReader::ReadMouseRead(Replay::MouseRead& read)
{
    std::uint64_t changes = 0;
    if (!ReadReadHead(16, read.result, changes))
        return false;
    read.changes.resize(changes);
    for (Replay::SlotChange& change : read.changes) {
        if (!U8(change.slot) || !U32(change.offset) || !U32(change.data))
            return false;
        if (change.slot >= 16)
            return Absurd("mouse slot", change.slot);
    }
    return true;
}

bool ReplayReader::ReadSeconds(Replay::Frame& frame)
{
    std::uint64_t count = 0;
    if (!Varint(count))
        return false;
    if (count > MaxSecondsPerFrame || count > m_iEnd - m_iAt)
        return Absurd("count of clock readings in a frame", count);
    frame.seconds.resize(count);
    std::uint64_t previous = 0;
    for (std::size_t i = 0; i < frame.seconds.size(); ++i) {
        std::uint64_t read = 0;
        if (!Varint(read) || !U8(frame.seconds[i].seconds))
            return false;
        // The readings come in the order they were taken, each at most once.
        if (read > MaxSecondsPerFrame * 16 || (i > 0 && read <= previous) || frame.seconds[i].seconds > 60)
            return Absurd("clock reading", read);
        frame.seconds[i].read = static_cast<std::uint32_t>(read);
        previous = read;
    }
    return true;
}

bool ReplayReader::ReadDigests(std::uint32_t frames, std::vector<Replay::Digest>& digests)
{
    std::uint32_t count = 0;
    if (!U32(count))
        return false;
    if (count > frames / Replay::DigestEvery + 1 || count > (m_iEnd - m_iAt) / kDigestBytes)
        return Absurd("count of digests", count);
    digests.resize(count);
    for (Replay::Digest& digest : digests) {
        if (!U32(digest.frame))
            return false;
        for (std::uint32_t& field : digest.fields) {
            if (!U32(field))
                return false;
        }
        if (digest.frame >= frames)
            return Absurd("digest's frame", digest.frame);
    }
    return true;
}

bool ReplayReader::ReadOutcome(Replay::Outcome& outcome)
{
    std::uint8_t ending = 0;
    if (!U16(outcome.levels) || !U32(outcome.gold) || !U16(outcome.lives) || !U8(ending))
        return false;
    if (ending > static_cast<std::uint8_t>(Replay::Ending::Quit))
        return Absurd("way for a game to end", ending);
    outcome.ending = static_cast<Replay::Ending>(ending);
    return true;
}
