#include "replaywriter.h"

#include <cstring>

namespace {

void PutU8(std::string& out, std::uint32_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
}

void PutU16(std::string& out, std::uint32_t value)
{
    PutU8(out, value);
    PutU8(out, value >> 8);
}

void PutU32(std::string& out, std::uint32_t value)
{
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

void PutU64(std::string& out, std::uint64_t value)
{
    PutU32(out, static_cast<std::uint32_t>(value));
    PutU32(out, static_cast<std::uint32_t>(value >> 32));
}

void PutVarint(std::string& out, std::uint64_t value)
{
    while (value >= 0x80) {
        PutU8(out, static_cast<std::uint32_t>(value & 0x7F) | 0x80);
        value >>= 7;
    }
    PutU8(out, static_cast<std::uint32_t>(value));
}

void PutF32(std::string& out, float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    PutU32(out, bits);
}

template <typename Read>
void PutReadHead(std::string& out, const Read& read)
{
    const bool failed = read.result != tnOK;
    PutVarint(out, (static_cast<std::uint64_t>(read.changes.size()) << 1) | (failed ? 1u : 0u));
    if (failed)
        PutU8(out, read.result);
}

template <typename Read>
bool IsQuietRead(const Read& read)
{
    return read.result == tnOK && read.changes.empty();
}

std::string StartBytes(const Replay::Start& start)
{
    std::string out;
    PutU16(out, start.level);
    PutU8(out, start.sound);
    PutU8(out, start.music);
    PutU8(out, start.grid);
    PutU8(out, static_cast<std::uint8_t>(start.speed));
    PutU16(out, start.playerSpeed);
    PutU16(out, start.lives);
    PutU32(out, start.topScore);
    for (std::uint8_t stage : start.buttons)
        PutU8(out, stage);
    PutU16(out, start.pointerX);
    PutU16(out, start.pointerY);
    PutU8(out, static_cast<std::uint32_t>(start.keysDown.size()));
    for (std::uint8_t key : start.keysDown)
        PutU8(out, key);
    PutU64(out, start.drawn);
    return out;
}

} // namespace

ReplayWriter::ReplayWriter(const Replay::Start& start)
{
    m_strStart.push_back(static_cast<char>(start.version.size() > 255 ? 255 : start.version.size()));
    m_strStart.append(start.version, 0, 255);
    m_strStart += StartBytes(start);
    // Keys held at the start would otherwise be one read's worth of changes.
    m_kLast.step = -1.0f;
}

bool ReplayWriter::IsQuiet(const Replay::Frame& frame) const
{
    if (frame.step != m_kLast.step || frame.pointerX != m_kLast.pointerX || frame.pointerY != m_kLast.pointerY ||
        frame.focusLost || !frame.seconds.empty() || frame.keyReads != m_kLast.keyReads ||
        frame.mouseReads != m_kLast.mouseReads)
        return false;
    for (const Replay::KeyRead& read : frame.keys) {
        if (!IsQuietRead(read))
            return false;
    }
    for (const Replay::MouseRead& read : frame.mice) {
        if (!IsQuietRead(read))
            return false;
    }
    return true;
}

std::uint8_t ReplayWriter::TagOf(const Replay::Frame& frame) const
{
    std::uint8_t tag = 0;
    if (frame.step != m_kLast.step)
        tag |= Step;
    if (frame.pointerX != m_kLast.pointerX || frame.pointerY != m_kLast.pointerY)
        tag |= Pointer;
    if (frame.focusLost)
        tag |= FocusLost;
    if (frame.keyReads != m_kLast.keyReads || frame.mouseReads != m_kLast.mouseReads)
        tag |= Counts;
    for (const Replay::KeyRead& read : frame.keys)
        tag |= IsQuietRead(read) ? 0 : Reads;
    for (const Replay::MouseRead& read : frame.mice)
        tag |= IsQuietRead(read) ? 0 : Reads;
    if (!frame.seconds.empty())
        tag |= Seconds;
    return tag;
}

void ReplayWriter::PutReads(const Replay::Frame& frame)
{
    // A frame whose reads of one device were all quiet holds none of them.
    const Replay::KeyRead quietKeys;
    const Replay::MouseRead quietMouse;
    for (std::uint32_t i = 0; i < frame.keyReads; ++i) {
        const Replay::KeyRead& read = frame.keys.empty() ? quietKeys : frame.keys[i];
        PutReadHead(m_strFrames, read);
        for (const Replay::KeyChange& change : read.changes) {
            PutU8(m_strFrames, change.key);
            PutU8(m_strFrames, change.value);
        }
    }
    for (std::uint32_t i = 0; i < frame.mouseReads; ++i) {
        const Replay::MouseRead& read = frame.mice.empty() ? quietMouse : frame.mice[i];
        PutReadHead(m_strFrames, read);
        for (const Replay::SlotChange& change : read.changes) {
            PutU8(m_strFrames, change.slot);
            PutU32(m_strFrames, change.offset);
            PutU32(m_strFrames, change.data);
        }
    }
}

void ReplayWriter::FlushQuietRun(std::string& out, std::uint32_t run) const
{
    while (run > 0) {
        const std::uint32_t part = run > 128 ? 128 : run;
        PutU8(out, QuietRun | (part - 1));
        run -= part;
    }
}

void ReplayWriter::AddFrame(const Replay::Frame& frame)
{
    ++m_iFrames;
    if (IsQuiet(frame)) {
        ++m_iQuietRun;
        return;
    }
    FlushQuietRun(m_strFrames, m_iQuietRun);
    m_iQuietRun = 0;
    const std::uint8_t tag = TagOf(frame);
    PutU8(m_strFrames, tag);
    if (tag & Step)
        PutF32(m_strFrames, frame.step);
    if (tag & Pointer) {
        PutU16(m_strFrames, frame.pointerX);
        PutU16(m_strFrames, frame.pointerY);
    }
    if (tag & Counts) {
        PutVarint(m_strFrames, frame.keyReads);
        PutVarint(m_strFrames, frame.mouseReads);
    }
    if (tag & Reads)
        PutReads(frame);
    if (tag & Seconds) {
        PutVarint(m_strFrames, frame.seconds.size());
        for (const Replay::SecondsChange& change : frame.seconds) {
            PutVarint(m_strFrames, change.read);
            PutU8(m_strFrames, change.seconds);
        }
    }
    m_kLast.step = frame.step;
    m_kLast.pointerX = frame.pointerX;
    m_kLast.pointerY = frame.pointerY;
    m_kLast.keyReads = frame.keyReads;
    m_kLast.mouseReads = frame.mouseReads;
}

void ReplayWriter::AddDigest(const Replay::Digest& digest)
{
    ++m_iDigests;
    PutU32(m_strDigests, digest.frame);
    for (std::uint32_t field : digest.fields)
        PutU32(m_strDigests, field);
}

std::string ReplayWriter::Bytes(const Replay::Outcome& outcome) const
{
    std::string out(Replay::Magic, 8);
    PutU16(out, Replay::FormatVersion);
    const std::size_t lengthAt = out.size();
    PutU32(out, 0); // the file's length, filled in below
    out += m_strStart;
    PutU32(out, m_iFrames);
    out += m_strFrames;
    FlushQuietRun(out, m_iQuietRun);
    PutU32(out, m_iDigests);
    out += m_strDigests;
    PutU16(out, outcome.levels);
    PutU32(out, outcome.gold);
    PutU16(out, outcome.lives);
    PutU8(out, static_cast<std::uint32_t>(outcome.ending));
    std::string length;
    PutU32(length, static_cast<std::uint32_t>(out.size() + 4));
    out.replace(lengthAt, 4, length);
    PutU32(out, Replay::Crc32(out, out.size()));
    return out;
}

std::string ReplayWriter::Encode(const Replay::File& file)
{
    ReplayWriter writer(file.start);
    for (const Replay::Frame& frame : file.frames)
        writer.AddFrame(frame);
    for (const Replay::Digest& digest : file.digests)
        writer.AddDigest(digest);
    return writer.Bytes(file.outcome);
}
