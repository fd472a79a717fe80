// The sound part of the test control: what the DirectSound and DirectMusic
// stand-ins report as they start and stop.
#include "midi_synth.h"
#include "sdl_audio.h"
#include "testcontrol.h"

#include <SDL_mixer.h>

namespace {

std::vector<testcontrol::SoundEvent>& Events()
{
    static std::vector<testcontrol::SoundEvent> events;
    return events;
}

bool g_bRecording = false;

testcontrol::MusicState& Music()
{
    static testcontrol::MusicState music = {std::string(), false, false};
    return music;
}

} // namespace

namespace platform {

void RecordSound(int bufferId, bool started, long volume, bool looping, const std::vector<unsigned char>& bytes)
{
    if (!g_bRecording)
        return;
    Events().push_back(
        {bufferId, started, volume, looping, testcontrol::SoundFingerprint(bytes.data(), bytes.size())});
}

void RecordMusic(const char* file, bool playing, bool looping)
{
    Music() = {file, playing, looping};
}

int& LiveSoundObjects()
{
    static int live = 0;
    return live;
}

} // namespace platform

namespace testcontrol {

unsigned long SoundFingerprint(const void* data, unsigned long bytes)
{
    const unsigned char* p = static_cast<const unsigned char*>(data);
    const unsigned long count = bytes < 4096 ? bytes : 4096;
    unsigned long hash = 2166136261u ^ bytes;
    for (unsigned long i = 0; i < count; ++i)
        hash = (hash ^ p[i]) * 16777619u;
    return hash;
}

void RecordSoundEvents(bool record)
{
    g_bRecording = record;
    if (!record)
        std::vector<SoundEvent>().swap(Events());
}

std::vector<SoundEvent> SoundEvents()
{
    return Events();
}

void ClearSoundEvents()
{
    Events().clear();
}

MusicState GetMusicState()
{
    MusicState state = Music();
    // Music that was not made to repeat ends by itself.
    state.playing =
        state.playing && platform::LiveSoundObjects() > 0 && (Mix_PlayingMusic() || platform::MidiIsPlaying());
    return state;
}

bool SoundIsHeld()
{
    return platform::AudioIsHeld();
}

int LiveSoundObjects()
{
    return platform::LiveSoundObjects();
}

bool SoundIsSilent()
{
    return platform::AudioIsSilent();
}

} // namespace testcontrol
