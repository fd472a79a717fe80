#include "audio_driver_choice.h"

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

struct DriverNeed {
    const char* name;
    bool platform::AudioFacts::*output; // null: never tried unless asked for
};

// sndio also plays straight to ALSA's devices, so it counts its server in
// ReadAudioFacts together with the sound cards.
const DriverNeed kNeeds[] = {
    {"pipewire", &platform::AudioFacts::pipewireServer}, {"pulseaudio", &platform::AudioFacts::pulseServer},
    {"alsa", &platform::AudioFacts::soundCards},         {"sndio", &platform::AudioFacts::sndioServer},
    {"dsp", &platform::AudioFacts::ossDevice},           {"dummy", nullptr},
    {"disk", nullptr},
};

bool Exists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error);
}

bool IsSet(const char* variable)
{
    const char* value = std::getenv(variable);
    return value && *value;
}

// A file below the folder a variable names; empty when it is unset.
std::string Below(const char* variable, const char* file)
{
    return IsSet(variable) ? std::string(std::getenv(variable)) + file : std::string();
}

// True when the driver has something to play to, or is one this does not know.
bool HasOutput(const std::string& driver, const platform::AudioFacts& facts)
{
    for (const DriverNeed& need : kNeeds) {
        if (driver == need.name)
            return need.output && facts.*need.output;
    }
    return true;
}

} // namespace

namespace platform {

std::vector<std::string> AudioDriversToTry(const AudioFacts& facts)
{
    if (!facts.requested.empty())
        return {facts.requested};
    std::vector<std::string> drivers;
    for (const std::string& driver : facts.sdl) {
        if (HasOutput(driver, facts))
            drivers.push_back(driver);
    }
    return drivers;
}

AudioFacts ReadAudioFacts()
{
    AudioFacts facts;
    if (IsSet("SDL_AUDIODRIVER"))
        facts.requested = std::getenv("SDL_AUDIODRIVER");
    for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i)
        facts.sdl.push_back(SDL_GetAudioDriver(i));
    const char* pipewireFolder = IsSet("PIPEWIRE_RUNTIME_DIR") ? "PIPEWIRE_RUNTIME_DIR" : "XDG_RUNTIME_DIR";
    facts.pipewireServer = IsSet("PIPEWIRE_REMOTE") || Exists(Below(pipewireFolder, "/pipewire-0"));
    facts.pulseServer = IsSet("PULSE_SERVER") || Exists(Below("XDG_RUNTIME_DIR", "/pulse/native")) ||
                        Exists("/run/pulse/native") || Exists("/var/run/pulse/native");
    facts.soundCards = Exists("/dev/snd") || Exists("/etc/asound.conf") || Exists(Below("HOME", "/.asoundrc"));
    facts.sndioServer = facts.soundCards || IsSet("AUDIODEVICE") || Exists("/tmp/sndio");
    facts.ossDevice = IsSet("AUDIODEV") || Exists("/dev/dsp");
    return facts;
}

} // namespace platform
