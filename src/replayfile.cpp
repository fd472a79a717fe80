#include "replayfile.h"

#include <cstdio>

namespace Replay {

const char* const Digest::FieldNames[Digest::FieldCount] = {"state", "level", "lives", "gold", "chain length",
                                                            "farmer's position", "rand numbers drawn",
                                                            "fruits and traps"};

bool Digest::operator==(const Digest& other) const
{
    if (frame != other.frame)
        return false;
    for (int i = 0; i < FieldCount; ++i) {
        if (fields[i] != other.fields[i])
            return false;
    }
    return true;
}

const char* EndingName(Ending ending)
{
    switch (ending) {
    case Ending::GameOver:
        return "game over";
    case Ending::Completed:
        return "every level won";
    case Ending::Abandoned:
        return "left for another game";
    case Ending::Quit:
        return "quit";
    default:
        return "unfinished";
    }
}

bool Outcome::operator==(const Outcome& other) const
{
    return levels == other.levels && gold == other.gold && lives == other.lives && ending == other.ending;
}

std::string Describe(const Outcome& outcome)
{
    char text[160];
    std::snprintf(text, sizeof(text), "levels played %u, gold %u, lives %u, ended: %s", outcome.levels, outcome.gold,
                  outcome.lives, EndingName(outcome.ending));
    return text;
}

std::uint32_t Crc32(const std::string& bytes, std::size_t length)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length && i < bytes.size(); ++i) {
        crc ^= static_cast<unsigned char>(bytes[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

} // namespace Replay
