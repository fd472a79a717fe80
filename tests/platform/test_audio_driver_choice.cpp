// Which audio drivers are opened in turn: the one asked for, else only those
// with a server or device to play to, in SDL's order.
#include "audio_driver_choice.h"

#include <gtest/gtest.h>

namespace {

using Drivers = std::vector<std::string>;

TEST(AudioDriverChoice, OnlyDriversWithSomethingToPlayToAreTriedAndTheOneAskedForAlone)
{
    const Drivers sdl = {"pulseaudio", "alsa", "sndio", "pipewire", "dsp", "jack", "disk", "dummy"};
    struct Case {
        const char* what;
        platform::AudioFacts facts;
        Drivers expected;
    };
    platform::AudioFacts none;
    none.sdl = sdl;
    platform::AudioFacts asked = none, pulse = none, cards = none, all = none;
    asked.requested = "dummy";
    asked.pulseServer = true;
    pulse.pulseServer = true;
    cards.soundCards = cards.sndioServer = true;
    all.pipewireServer = all.pulseServer = all.soundCards = all.sndioServer = all.ossDevice = true;
    const Case cases[] = {
        {"nothing to play to: only the driver not known here", none, {"jack"}},
        {"asked for by name, whatever else there is", asked, {"dummy"}},
        {"a PulseAudio server", pulse, {"pulseaudio", "jack"}},
        {"sound cards", cards, {"alsa", "sndio", "jack"}},
        {"everything, in SDL's order, never the silent ones", all,
         {"pulseaudio", "alsa", "sndio", "pipewire", "dsp", "jack"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, platform::AudioDriversToTry(c.facts)) << c.what;
}

} // namespace
