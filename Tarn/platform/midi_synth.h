#ifndef PLATFORM_MIDI_SYNTH_H
#define PLATFORM_MIDI_SYNTH_H

// Internal to the platform layer: the one FluidSynth synthesiser every tune
// plays on, feeding SDL2_mixer's music stream. Its General MIDI soundfont is
// read once and its samples loaded only as the tune's instruments need them:
// a synthesiser per tune, as SDL2_mixer's own MIDI makes, holds the whole
// soundfont each.

#include <cstddef>

namespace platform {

// Makes the synthesiser for the mixer's output (a soundfont must be found;
// otherwise music is silent and says so once). Called with the output open.
void OpenMidiSynth(int frequency, int channels);
// Puts the synthesiser on the mixer's music stream again (the output was
// opened anew): a tune playing goes on from where it was.
void HookMidiSynth();
void CloseMidiSynth();

// Plays a whole, checked standard MIDI file from its start, `plays` times
// (-1: for ever); false without a synthesiser.
bool PlayMidi(const unsigned char* bytes, std::size_t size, int plays);
void StopMidi();
bool MidiIsPlaying();
// Holds the tune where it is (the window went to the background), or lets
// it go on.
void HoldMidi(bool held);
bool MidiIsHeld();

} // namespace platform

#endif
