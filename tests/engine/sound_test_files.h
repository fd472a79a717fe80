#ifndef TESTS_SOUND_TEST_FILES_H
#define TESTS_SOUND_TEST_FILES_H

// Small WAV and MIDI files made in the test, and a capture of what the
// mixer plays through SDL's "disk" audio driver.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

namespace soundtest {

inline std::string U32(std::uint32_t v)
{
    return std::string{char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char((v >> 24) & 0xFF)};
}
inline std::string U16(std::uint16_t v)
{
    return std::string{char(v & 0xFF), char((v >> 8) & 0xFF)};
}
inline std::string Chunk(const std::string& tag, const std::string& body)
{
    std::string chunk = tag + U32(static_cast<std::uint32_t>(body.size())) + body;
    if (body.size() % 2)
        chunk.push_back('\0');
    return chunk;
}
inline std::string Riff(const std::string& chunks)
{
    return "RIFF" + U32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}
// A 16-byte PCM "fmt " body.
inline std::string Format(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits)
{
    std::uint16_t align = static_cast<std::uint16_t>(channels * bits / 8);
    return U16(1) + U16(channels) + U32(rate) + U32(rate * align) + U16(align) + U16(bits);
}
// A loud 440 Hz tone, 16-bit mono.
inline std::string Tone(std::uint32_t rate, double seconds)
{
    std::string samples;
    int count = static_cast<int>(rate * seconds);
    for (int i = 0; i < count; ++i)
        samples += U16(static_cast<std::uint16_t>(static_cast<std::int16_t>(
            20000 * std::sin(2 * 3.14159265358979 * 440 * i / rate))));
    return samples;
}
inline std::string ToneWave(std::uint32_t rate = 22050, double seconds = 0.5)
{
    return Riff(Chunk("fmt ", Format(1, rate, 16)) + Chunk("data", Tone(rate, seconds)));
}

// A standard MIDI file: one track, piano, a chord held for about two seconds.
inline std::string MidiFile()
{
    std::string track;
    track += std::string("\x00\xC0\x00", 3);                                  // program: piano
    track += std::string("\x00\x90\x3C\x7F\x00\x90\x40\x7F\x00\x90\x43\x7F", 12); // chord on
    track += std::string("\x83\x60\x80\x3C\x00\x00\x80\x40\x00\x00\x80\x43\x00", 13); // off after 480 ticks
    track += std::string("\x00\xFF\x2F\x00", 4);                               // end of track
    std::string header = std::string("MThd") + std::string("\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60", 10);
    std::string length{char(0), char(0), char((track.size() >> 8) & 0xFF), char(track.size() & 0xFF)};
    return header + "MTrk" + length + track;
}

inline void Write(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// While alive, audio opened anew goes to a file instead of a sound card.
class DiskCapture {
public:
    explicit DiskCapture(const std::string& path)
        : m_strPath(path)
    {
        const char* driver = std::getenv("SDL_AUDIODRIVER");
        m_strOldDriver = driver ? driver : "";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
    }
    ~DiskCapture()
    {
        if (m_strOldDriver.empty())
            unsetenv("SDL_AUDIODRIVER");
        else
            setenv("SDL_AUDIODRIVER", m_strOldDriver.c_str(), 1);
        unsetenv("SDL_DISKAUDIOFILE");
    }
    // The loudest 16-bit sample written so far (the mixer's output is
    // signed 16-bit).
    int Peak() const
    {
        std::ifstream file(m_strPath, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        int peak = 0;
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            int sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                   static_cast<std::uint8_t>(bytes[i + 1]) << 8);
            peak = std::max(peak, std::abs(sample));
        }
        return peak;
    }
    std::size_t Bytes() const
    {
        std::ifstream file(m_strPath, std::ios::binary | std::ios::ate);
        return file ? static_cast<std::size_t>(file.tellg()) : 0;
    }

private:
    std::string m_strPath;
    std::string m_strOldDriver;
};

} // namespace soundtest

#endif
