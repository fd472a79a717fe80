#include "midi_check.h"

#include <cstdint>
#include <cstring>

namespace {

std::uint32_t BigEndian32(const unsigned char* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

std::uint32_t BigEndian16(const unsigned char* p)
{
    return (std::uint32_t(p[0]) << 8) | p[1];
}

std::uint32_t LittleEndian32(const unsigned char* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

// A variable-length number of at most four bytes; false when it runs past
// `end` or is longer.
bool ReadNumber(const unsigned char*& p, const unsigned char* end, std::uint32_t& value)
{
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (p >= end)
            return false;
        const unsigned char byte = *p++;
        value = (value << 7) | (byte & 0x7F);
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

// The events of one track, to its end-of-track event.
std::string TrackProblem(const unsigned char* p, const unsigned char* end)
{
    unsigned char running = 0; // the running status, 0 when none
    while (p < end) {
        std::uint32_t delta = 0;
        if (!ReadNumber(p, end, delta))
            return "an event's time is cut short";
        if (p >= end)
            return "an event is cut short";
        unsigned char status = *p;
        if (status & 0x80)
            ++p;
        else if (!running)
            return "data without a status";
        else
            status = running;
        if (status == 0xFF || status == 0xF0 || status == 0xF7) {
            unsigned char type = 0;
            if (status == 0xFF) {
                if (p >= end)
                    return "a meta event is cut short";
                type = *p++;
            }
            std::uint32_t length = 0;
            if (!ReadNumber(p, end, length) || length > static_cast<std::uint32_t>(end - p))
                return "an event's data runs past the track";
            if (status == 0xFF && type == 0x2F)
                return std::string(); // end of track
            p += length;
            running = 0;
        } else if (status > 0xF0) {
            return "an unknown status byte";
        } else {
            const int data = ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) ? 1 : 2;
            for (int i = 0; i < data; ++i)
                if (p >= end || (*p++ & 0x80))
                    return "a channel message is cut short";
            running = status;
        }
    }
    return "no end of track";
}

std::string StandardFileProblem(const unsigned char* bytes, std::size_t size)
{
    if (size < 14)
        return "truncated (no whole header)";
    if (std::memcmp(bytes, "MThd", 4) != 0)
        return "bad header (not a MIDI file)";
    const std::uint32_t headerLength = BigEndian32(bytes + 4);
    if (headerLength < 6 || headerLength > size - 8)
        return "bad header (its length does not fit the file)";
    const std::uint32_t format = BigEndian16(bytes + 8), declared = BigEndian16(bytes + 10);
    if (format > 2 || declared == 0 || (format == 0 && declared != 1) || BigEndian16(bytes + 12) == 0)
        return "bad header (format, track count or timing)";
    std::uint32_t tracks = 0;
    std::size_t position = 8 + headerLength;
    while (position < size) {
        if (size - position < 8)
            return "truncated (a chunk header is cut short)";
        const std::uint32_t length = BigEndian32(bytes + position + 4);
        if (length > size - position - 8)
            return "truncated (track " + std::to_string(tracks + 1) + " runs past the end of the file)";
        if (std::memcmp(bytes + position, "MTrk", 4) == 0) {
            ++tracks;
            const unsigned char* track = bytes + position + 8;
            std::string problem = TrackProblem(track, track + length);
            if (!problem.empty())
                return "bad track " + std::to_string(tracks) + " (" + problem + ")";
        }
        position += 8 + static_cast<std::size_t>(length);
    }
    if (tracks != declared)
        return "bad header (" + std::to_string(declared) + " tracks declared, " + std::to_string(tracks) + " present)";
    return std::string();
}

} // namespace

namespace platform {

std::string MidiFileProblem(const unsigned char* bytes, std::size_t size)
{
    if (!bytes)
        return "missing";
    // RIFF "RMID": the standard file is the "data" chunk.
    if (size >= 12 && std::memcmp(bytes, "RIFF", 4) == 0 && std::memcmp(bytes + 8, "RMID", 4) == 0) {
        std::size_t position = 12;
        while (size - position >= 8) {
            const std::uint32_t length = LittleEndian32(bytes + position + 4);
            if (length > size - position - 8)
                return "truncated (a RIFF chunk runs past the end of the file)";
            if (std::memcmp(bytes + position, "data", 4) == 0)
                return StandardFileProblem(bytes + position + 8, length);
            position += 8 + ((static_cast<std::size_t>(length) + 1) & ~static_cast<std::size_t>(1));
            if (position > size)
                break;
        }
        return "bad header (a RIFF file without MIDI data)";
    }
    return StandardFileProblem(bytes, size);
}

} // namespace platform
