// The shared SDL2_mixer output: opened on first use, closed with the last
// user, a silent sink when the machine has no audio output (and the real one
// tried again now and then until it comes), and the General MIDI soundfont
// that FluidSynth plays the music with.
#include "sdl_audio.h"

#include "audio_driver_choice.h"
#include "midi_synth.h"
#include "sdl_display.h"
#include "testcontrol.h"
#include "tnlog.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <string>
#include <vector>

namespace {

int g_iReferences = 0;
bool g_bSilent = false;
bool g_bHeld = false;
// The output went away, or there was none at start: the silent sink plays
// while the real output is tried again, at most once a second.
bool g_bWaitingForOutput = false;
Uint32 g_iLastTry = 0;
const Uint32 kRetryMilliseconds = 1000;
int g_iEventListener = 0;
int g_iPumpListener = 0;
platform::AudioRestored g_pfnRestored = nullptr;

const int kFrequency = 44100;
const int kChannels = 2;
const int kChunkSize = 1024; // about 23 ms: short enough for effects to start at once

// The format the game's sounds are converted to; an output opened again
// keeps it exactly, so that what was converted still plays right.
platform::MixerFormat g_kFormat = {kFrequency, AUDIO_S16SYS, kChannels};
int g_iAllowedChanges = SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE;

bool OpenMixer(const char* driver)
{
    // The name the desktop's mixer shows for the game's stream.
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Grovekeep");
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, SDL_HINT_OVERRIDE);
    bool initialised = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    if (initialised && Mix_OpenAudioDevice(g_kFormat.frequency, g_kFormat.format, g_kFormat.channels, kChunkSize,
                                           nullptr, g_iAllowedChanges) == 0)
        return true;
    if (initialised)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

// The first driver that has something to play to and opens.
bool OpenAnyOutput()
{
    for (const std::string& driver : platform::AudioDriversToTry(platform::ReadAudioFacts())) {
        if (OpenMixer(driver.c_str()))
            return true;
    }
    return false;
}

// --- Losing the output and getting it back --------------------------------

// Closes the output and opens the real one (true when it did) or the silent
// sink; the channels and the hold on them stay as they were.
bool ReopenOutput(bool realOutput)
{
    const int channels = Mix_AllocateChannels(-1);
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_bSilent = !realOutput || !OpenAnyOutput();
    if (g_bSilent && !OpenMixer("dummy"))
        Log("Sound: not even the silent sink opens again: %s\n", SDL_GetError());
    Mix_AllocateChannels(channels);
    platform::HookMidiSynth();
    platform::HoldAudio(g_bHeld);
    return !g_bSilent;
}

void WatchOutput(const SDL_Event& event)
{
    if (event.type != SDL_AUDIODEVICEREMOVED || event.adevice.iscapture || g_bSilent || g_iReferences == 0)
        return;
    Log("Sound: the audio output went away; playing silently and trying it again every second\n");
    ReopenOutput(false);
    g_bWaitingForOutput = true;
    g_iLastTry = SDL_GetTicks();
}

void TryOutputAgain()
{
    if (!g_bWaitingForOutput || SDL_GetTicks() - g_iLastTry < kRetryMilliseconds)
        return;
    g_iLastTry = SDL_GetTicks();
    // Nothing to play to yet: not worth closing the silent sink for.
    if (platform::AudioDriversToTry(platform::ReadAudioFacts()).empty() || !ReopenOutput(true))
        return;
    g_bWaitingForOutput = false;
    Log("Sound: the audio output is back (%s)\n", SDL_GetCurrentAudioDriver());
    if (g_pfnRestored)
        g_pfnRestored();
}

} // namespace

namespace platform {

bool OpenAudio()
{
    if (g_iReferences > 0) {
        ++g_iReferences;
        return true;
    }
    bool unusable = testcontrol::ConsumeFailure(testcontrol::Failure::OpenAudioDevice);
    g_bSilent = unusable || !OpenAnyOutput();
    if (g_bSilent) {
        if (!OpenMixer("dummy"))
            return false;
        Log("Sound: no audio device, playing silently\n");
    }
    g_kFormat = GetMixerFormat();
    g_iAllowedChanges = 0;
    OpenMidiSynth(g_kFormat.frequency, g_kFormat.channels);
    ++g_iReferences;
    HoldAudio(g_bHeld);
    // A silent sink chosen for want of an output (not asked for by name)
    // gives way to a real output once one appears.
    g_bWaitingForOutput = g_bSilent && ReadAudioFacts().requested.empty();
    g_iLastTry = SDL_GetTicks();
    g_iEventListener = AddEventListener(&WatchOutput);
    g_iPumpListener = AddPumpListener(&TryOutputAgain);
    return true;
}

void CloseAudio()
{
    if (g_iReferences == 0 || --g_iReferences > 0)
        return;
    RemoveEventListener(g_iEventListener);
    RemovePumpListener(g_iPumpListener);
    CloseMidiSynth();
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_bSilent = false;
    g_bWaitingForOutput = false;
}

void OnAudioRestored(AudioRestored callback)
{
    g_pfnRestored = callback;
}

void HoldAudio(bool held)
{
    g_bHeld = held;
    if (g_iReferences == 0)
        return;
    // The buffers' own Stop pauses their channels too: only the channels
    // held here are let go again.
    static std::vector<int> heldChannels;
    if (held) {
        for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
            if (Mix_Playing(channel) && !Mix_Paused(channel)) {
                Mix_Pause(channel);
                heldChannels.push_back(channel);
            }
        }
        Mix_PauseMusic();
        HoldMidi(true);
        return;
    }
    for (int channel : heldChannels)
        Mix_Resume(channel);
    heldChannels.clear();
    Mix_ResumeMusic();
    HoldMidi(false);
}

bool AudioIsHeld()
{
    if (g_iReferences == 0 || !g_bHeld)
        return false;
    for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
        if (Mix_Playing(channel) && !Mix_Paused(channel))
            return false;
    }
    return (!Mix_PlayingMusic() || Mix_PausedMusic()) && (MidiIsHeld() || !MidiIsPlaying());
}

bool AudioIsSilent()
{
    return g_iReferences > 0 && g_bSilent;
}

MixerFormat GetMixerFormat()
{
    MixerFormat mixer = {kFrequency, AUDIO_S16SYS, kChannels};
    Uint16 format = mixer.format;
    Mix_QuerySpec(&mixer.frequency, &format, &mixer.channels);
    mixer.format = format;
    return mixer;
}

} // namespace platform
