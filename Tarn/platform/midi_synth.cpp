// One FluidSynth synthesiser and player behind SDL2_mixer's music hook. The
// hook runs on the audio thread; playing and stopping happen on the game's,
// so both take the same lock.
#include "midi_synth.h"

#include "tnlog.h"

#include <SDL_mixer.h>
#include <fluidsynth.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <system_error>
#include <vector>

namespace {

std::mutex g_kLock;
fluid_settings_t* g_pkSettings = nullptr;
fluid_synth_t* g_pkSynth = nullptr;
fluid_player_t* g_pkPlayer = nullptr;
bool g_bHeld = false;
int g_iChannels = 2;
std::vector<short> g_vStereo; // a mono output's samples, made stereo first

// Debian's timgm6mb-soundfont first, then whatever General MIDI font the
// system has.
std::string FindSoundFont()
{
    const char* preferred[] = {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                               "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/soundfonts/default.sf2"};
    std::error_code error;
    for (const char* path : preferred) {
        if (std::filesystem::is_regular_file(path, error))
            return path;
    }
    for (const char* folder : {"/usr/share/sounds/sf2", "/usr/share/soundfonts"}) {
        for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            if (it->path().extension() == ".sf2")
                return it->path().string();
        }
    }
    return std::string();
}

// The synthesiser speaks from the audio thread, on stderr and as often as
// it meets a fault: its messages go into the game's log instead, each kind
// once.
void SynthesiserSays(int level, const char* message, void*)
{
    static std::mutex lock;
    static std::set<std::string> said;
    if (level == FLUID_DBG || !message)
        return;
    std::lock_guard<std::mutex> guard(lock);
    if (said.size() < 64 && said.insert(message).second)
        Log("Music: the synthesiser says: %s\n", message);
}

void DropPlayer()
{
    if (!g_pkPlayer)
        return;
    fluid_player_stop(g_pkPlayer);
    delete_fluid_player(g_pkPlayer);
    g_pkPlayer = nullptr;
    fluid_synth_all_sounds_off(g_pkSynth, -1);
    fluid_synth_system_reset(g_pkSynth);
}

// SDL2_mixer's music hook: the stream holds silence, the synthesiser's
// samples take its place.
void RenderTune(void*, Uint8* stream, int bytes)
{
    std::lock_guard<std::mutex> guard(g_kLock);
    if (!g_pkSynth || !g_pkPlayer || g_bHeld)
        return;
    const int frames = bytes / static_cast<int>(sizeof(short)) / g_iChannels;
    short* out = reinterpret_cast<short*>(stream);
    if (g_iChannels == 2) {
        fluid_synth_write_s16(g_pkSynth, frames, out, 0, 2, out, 1, 2);
        return;
    }
    g_vStereo.resize(static_cast<std::size_t>(frames) * 2);
    fluid_synth_write_s16(g_pkSynth, frames, g_vStereo.data(), 0, 2, g_vStereo.data(), 1, 2);
    for (int i = 0; i < frames; ++i)
        out[i] = static_cast<short>((g_vStereo[2 * i] + g_vStereo[2 * i + 1]) / 2);
}

} // namespace

namespace platform {

void OpenMidiSynth(int frequency, int channels)
{
    std::lock_guard<std::mutex> guard(g_kLock);
    if (g_pkSynth)
        return;
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
        fluid_set_log_function(level, SynthesiserSays, nullptr);
    static const std::string soundFont = FindSoundFont();
    if (soundFont.empty()) {
        Log("Music: no General MIDI soundfont found, music is silent\n");
        return;
    }
    g_iChannels = channels == 1 ? 1 : 2;
    g_pkSettings = new_fluid_settings();
    fluid_settings_setnum(g_pkSettings, "synth.sample-rate", frequency);
    fluid_settings_setint(g_pkSettings, "synth.dynamic-sample-loading", 1);
    // The game's tunes sound a handful of notes at once; every voice allowed
    // is memory held.
    fluid_settings_setint(g_pkSettings, "synth.polyphony", 64);
    // FluidSynth's own default, which its players mix at (as SDL2_mixer did).
    fluid_settings_setnum(g_pkSettings, "synth.gain", 0.2);
    g_pkSynth = new_fluid_synth(g_pkSettings);
    // The first synthesiser of a run fills FluidSynth's table of dither
    // noise from rand(). That happens here, before the game has drawn a
    // number; rand then starts again as unseeded, so that the game's chance
    // is its own and a recorded game replays.
    static bool s_bChanceSettled = false;
    if (!s_bChanceSettled) {
        s_bChanceSettled = true;
        std::srand(1);
    }
    if (!g_pkSynth || fluid_synth_sfload(g_pkSynth, soundFont.c_str(), 1) == FLUID_FAILED) {
        LogFileProblem(soundFont.c_str(), "not a soundfont the synthesiser can load; music is silent");
        if (g_pkSynth)
            delete_fluid_synth(g_pkSynth);
        delete_fluid_settings(g_pkSettings);
        g_pkSynth = nullptr;
        g_pkSettings = nullptr;
        return;
    }
    Mix_HookMusic(&RenderTune, nullptr);
}

void HookMidiSynth()
{
    if (g_pkSynth)
        Mix_HookMusic(&RenderTune, nullptr);
}

void CloseMidiSynth()
{
    Mix_HookMusic(nullptr, nullptr);
    std::lock_guard<std::mutex> guard(g_kLock);
    if (!g_pkSynth)
        return;
    DropPlayer();
    delete_fluid_synth(g_pkSynth);
    delete_fluid_settings(g_pkSettings);
    g_pkSynth = nullptr;
    g_pkSettings = nullptr;
}

bool PlayMidi(const unsigned char* bytes, std::size_t size, int plays)
{
    std::lock_guard<std::mutex> guard(g_kLock);
    if (!g_pkSynth)
        return false;
    DropPlayer();
    g_pkPlayer = new_fluid_player(g_pkSynth);
    if (!g_pkPlayer || fluid_player_add_mem(g_pkPlayer, bytes, size) != FLUID_OK) {
        DropPlayer();
        return false;
    }
    fluid_player_set_loop(g_pkPlayer, plays);
    return fluid_player_play(g_pkPlayer) == FLUID_OK;
}

void StopMidi()
{
    std::lock_guard<std::mutex> guard(g_kLock);
    if (g_pkSynth)
        DropPlayer();
}

bool MidiIsPlaying()
{
    std::lock_guard<std::mutex> guard(g_kLock);
    return g_pkPlayer && fluid_player_get_status(g_pkPlayer) == FLUID_PLAYER_PLAYING;
}

void HoldMidi(bool held)
{
    std::lock_guard<std::mutex> guard(g_kLock);
    g_bHeld = held;
}

bool MidiIsHeld()
{
    std::lock_guard<std::mutex> guard(g_kLock);
    return g_bHeld;
}

} // namespace platform
