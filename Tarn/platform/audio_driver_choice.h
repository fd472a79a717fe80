#ifndef PLATFORM_AUDIO_DRIVER_CHOICE_H
#define PLATFORM_AUDIO_DRIVER_CHOICE_H

// Internal to the platform layer: which SDL audio drivers are worth trying.
// Left to itself SDL settles on the first driver that starts, even one with
// nothing to play to (ALSA starts without a sound card), and giving up on it
// waits for its device watcher: a tenth of a second lost on a machine with
// no sound at all. Only drivers whose server or device is there are tried.

#include <string>
#include <vector>

namespace platform {

struct AudioFacts {
    std::string requested;         // SDL_AUDIODRIVER, empty when unset
    std::vector<std::string> sdl;  // the drivers SDL was built with, in its order of preference
    bool pipewireServer = false;   // a PipeWire socket (or PIPEWIRE_REMOTE)
    bool pulseServer = false;      // a PulseAudio socket (or PULSE_SERVER)
    bool soundCards = false;       // ALSA device nodes, or an ALSA set-up of the user's or the system's
    bool sndioServer = false;      // sndiod's socket folder (or AUDIODEVICE)
    bool ossDevice = false;        // /dev/dsp (or AUDIODEV)
};

// The drivers to open in turn, stopping at the first that plays: the one
// asked for by name, or else SDL's drivers that have something to play to
// (a driver this does not know is kept). Never the silent "dummy" and
// "disk", which SDL itself uses only when asked.
std::vector<std::string> AudioDriversToTry(const AudioFacts& facts);

// What this machine offers, read from the environment, SDL and the file system.
AudioFacts ReadAudioFacts();

} // namespace platform

#endif
