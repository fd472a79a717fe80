#ifndef PLATFORM_MIDI_CHECK_H
#define PLATFORM_MIDI_CHECK_H

#include <cstddef>
#include <string>

namespace platform {

// A standard MIDI file (or one wrapped as RIFF "RMID") checked whole before
// the synthesiser sees it: the synthesiser reads a damaged one on the audio
// thread, complaining in every callback while the game waits on it. Checks
// the header, that every chunk lies inside the file, that the tracks present
// are the tracks declared, and that each track's events run to their end of
// track. Returns an empty string for a sound tune, else why it is refused.
std::string MidiFileProblem(const unsigned char* bytes, std::size_t size);

} // namespace platform

#endif
