#ifndef PLATFORM_SDL_AUDIO_H
#define PLATFORM_SDL_AUDIO_H

// Internal to the platform layer: the one SDL2_mixer output shared by the
// DirectSound and DirectMusic stand-ins. Every object that plays holds a
// reference; the device opens with the first and closes with the last.

#include <vector>

namespace platform {

// Opens the mixer (or takes another reference). Without a usable audio
// output it falls back to a silent sink, says so once in the log, and still
// succeeds; false only when not even the silent sink opens.
bool OpenAudio();
void CloseAudio();

// True while the mixer plays into the silent sink.
bool AudioIsSilent();
// Holds every sound and the music where they are (the window went to the
// background), or lets them go on; remembered while no audio is open.
void HoldAudio(bool held);
bool AudioIsHeld();

// The output going away (SDL reports its device removed) switches to the
// silent sink; while on it for want of an output, the message pump tries
// the real one again about once a second, and the callback is told when it
// is back (the music then starts again).
typedef void (*AudioRestored)();
void OnAudioRestored(AudioRestored callback);

// The mixer's output format (valid while open).
struct MixerFormat {
    int frequency;
    unsigned short format;
    int channels;
};
MixerFormat GetMixerFormat();

// What the test control lists: a buffer started or stopped (kept only while
// a test records them), the music's file and state.
void RecordSound(int bufferId, bool started, long volume, bool looping, const std::vector<unsigned char>& bytes);
void RecordMusic(const char* file, bool playing, bool looping);
int& LiveSoundObjects();

} // namespace platform

#endif
