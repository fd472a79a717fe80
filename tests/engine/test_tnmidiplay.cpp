// The music player's OFF / STOPPED / PLAYING machine, and a MIDI file that
// really sounds through the soundfont.
#include "failurecheck.h"
#include "sound_test_files.h"
#include "tempgamedir.h"
#include "testcontrol.h"
#include "tnlog.h"
#include "tnmidiplay.h"
#include "tnsoundmanager.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace soundtest;

namespace {

const HWND kWindow = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1234));

class MidiPlayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Write(m_kDir.Path("sound/level1.mid"), MidiFile());
        Write(m_kDir.Path("sound/level2.mid"), MidiFile());
        Write(m_kDir.Path("sound/tune.wav"), ToneWave());
        ASSERT_EQ(tnOK, m_kManager.Init(kWindow));
        ASSERT_EQ(tnOK, m_kMidi.Init(m_kManager.GetSound(), kWindow));
    }
    void TearDown() override
    {
        m_kMidi.CleanUp();
        m_kManager.CleanUp();
        EXPECT_EQ(0, testcontrol::LiveSoundObjects());
        ExpectEveryFailureUsed();
    }

    TempGameDir m_kDir{false};
    tnSoundManager m_kManager;
    tnMidiPlay m_kMidi;
};

} // namespace

TEST_F(MidiPlayTest, StopContinueAndCleanUpWalkTheStates)
{
    EXPECT_EQ(tnMidiPlay::OFF, m_kMidi.GetPlayStatus());
    EXPECT_EQ(tnOK, m_kMidi.StopSong()); // as the game does after a fresh Init
    EXPECT_EQ(tnMidiPlay::STOPPED, m_kMidi.GetPlayStatus());

    ASSERT_EQ(tnOK, m_kMidi.PlaySong("../sound/level1.mid"));
    EXPECT_EQ(tnMidiPlay::PLAYING, m_kMidi.GetPlayStatus());
    testcontrol::MusicState music = testcontrol::GetMusicState();
    EXPECT_EQ("../sound/level1.mid", music.file);
    EXPECT_TRUE(music.playing);
    EXPECT_TRUE(music.looping);

    EXPECT_EQ(tnOK, m_kMidi.StopSong());
    EXPECT_EQ(tnMidiPlay::STOPPED, m_kMidi.GetPlayStatus());
    EXPECT_FALSE(testcontrol::GetMusicState().playing);
    EXPECT_EQ(tnOK, m_kMidi.ContinueSong());
    EXPECT_EQ(tnMidiPlay::PLAYING, m_kMidi.GetPlayStatus());
    EXPECT_TRUE(testcontrol::GetMusicState().playing);

    int live = testcontrol::LiveSoundObjects();
    EXPECT_EQ(tnOK, m_kMidi.CleanUp());
    EXPECT_EQ(tnMidiPlay::OFF, m_kMidi.GetPlayStatus());
    EXPECT_FALSE(testcontrol::GetMusicState().playing);
    EXPECT_EQ(live - 3, testcontrol::LiveSoundObjects()); // segment, performance, loader
    EXPECT_EQ(tnOK, m_kMidi.CleanUp());
    EXPECT_EQ(live - 3, testcontrol::LiveSoundObjects());

    EXPECT_EQ(tnNotOK, m_kMidi.ContinueSong()); // nothing to continue
    EXPECT_EQ(tnNotOK, m_kMidi.PlaySong("../sound/level1.mid"));
    ASSERT_EQ(tnOK, m_kMidi.Init(m_kManager.GetSound(), kWindow)); // Init again after CleanUp
    EXPECT_EQ(tnOK, m_kMidi.PlaySong("../sound/level1.mid"));
}

TEST_F(MidiPlayTest, ANewSongReplacesTheOldOneAndReleasesIt)
{
    ASSERT_EQ(tnOK, m_kMidi.PlaySong("../sound/level1.mid"));
    int live = testcontrol::LiveSoundObjects();
    ASSERT_EQ(tnOK, m_kMidi.PlaySong("../sound/level2.mid"));
    EXPECT_EQ(live, testcontrol::LiveSoundObjects());
    EXPECT_EQ("../sound/level2.mid", testcontrol::GetMusicState().file);
    EXPECT_TRUE(testcontrol::GetMusicState().playing);

    // Another format is found by the music engine itself.
    ASSERT_EQ(tnOK, m_kMidi.PlaySong("../sound/tune.wav"));
    EXPECT_EQ(tnMidiPlay::PLAYING, m_kMidi.GetPlayStatus());
    EXPECT_EQ(live, testcontrol::LiveSoundObjects());
}

TEST_F(MidiPlayTest, FailuresReturnNotOkAndKeepTheStatus)
{
    EXPECT_EQ(tnNotOK, m_kMidi.PlaySong("../sound/missing.mid"));
    EXPECT_EQ(tnMidiPlay::OFF, m_kMidi.GetPlayStatus());
    Write(m_kDir.Path("sound/garbage.mid"), "not music at all");
    EXPECT_EQ(tnNotOK, m_kMidi.PlaySong("../sound/garbage.mid"));
    EXPECT_EQ(tnMidiPlay::OFF, m_kMidi.GetPlayStatus());
    testcontrol::FailOnce(testcontrol::Failure::Download);
    EXPECT_EQ(tnNotOK, m_kMidi.PlaySong("../sound/level1.mid"));
    EXPECT_EQ(tnMidiPlay::OFF, m_kMidi.GetPlayStatus());
    testcontrol::FailOnce(testcontrol::Failure::PlaySegmentEx);
    EXPECT_EQ(tnNotOK, m_kMidi.PlaySong("../sound/level1.mid"));
    EXPECT_EQ(tnMidiPlay::OFF, m_kMidi.GetPlayStatus());

    ASSERT_EQ(tnOK, m_kMidi.PlaySong("../sound/level1.mid"));
    ASSERT_EQ(tnOK, m_kMidi.StopSong());
    testcontrol::FailOnce(testcontrol::Failure::PlaySegmentEx);
    EXPECT_EQ(tnNotOK, m_kMidi.ContinueSong());
    EXPECT_EQ(tnMidiPlay::STOPPED, m_kMidi.GetPlayStatus());

    tnMidiPlay other;
    testcontrol::FailOnce(testcontrol::Failure::InitAudio);
    EXPECT_EQ(tnNotOK, other.Init(m_kManager.GetSound(), kWindow));
    EXPECT_EQ(tnNotOK, other.PlaySong("../sound/level1.mid"));
}

// A damaged tune never reaches the synthesiser (which would stall the game
// on it): it is refused with one log line naming the file and why, however
// often it is asked for.
TEST_F(MidiPlayTest, DamagedTunesAreRefusedWithOneLineEach)
{
    const std::string good = MidiFile();
    auto patched = [&](std::size_t at, const std::string& bytes) {
        return good.substr(0, at) + bytes + good.substr(at + bytes.size());
    };
    std::string noEnd = good.substr(0, good.size() - 4);
    noEnd[21] = static_cast<char>(noEnd[21] - 4);
    const struct {
        const char* name;
        std::string bytes;
        const char* reason;
    } tunes[] = {
        {"half.mid", good.substr(0, good.size() / 2), "truncated (track 1 runs past the end of the file)"},
        {"huge.mid", patched(18, std::string("\x7F\xFF\xFF\xFF", 4)), "truncated (track 1 runs past"},
        {"count.mid", patched(8, std::string("\x00\x01\x00\x02", 4)), "bad header (2 tracks declared, 1 present)"},
        {"noend.mid", noEnd, "bad track 1 (no end of track)"},
        {"noise.mid", "not music at all", "bad header (not a MIDI file)"},
    };
    OpenLog();
    for (const auto& tune : tunes) {
        Write(m_kDir.Path(std::string("sound/") + tune.name), tune.bytes);
        const std::string path = std::string("../sound/") + tune.name;
        EXPECT_EQ(tnNotOK, m_kMidi.PlaySong(path.c_str()));
        EXPECT_EQ(tnNotOK, m_kMidi.PlaySong(path.c_str()));
        EXPECT_FALSE(testcontrol::GetMusicState().playing);
    }
    CloseLog();
    const std::string log = TempGameDir::ReadFile("stdout.log");
    for (const auto& tune : tunes) {
        const std::string line = std::string("Error: ../sound/") + tune.name + ": " + tune.reason;
        const std::size_t at = log.find(line);
        EXPECT_NE(std::string::npos, at) << line << "\n" << log;
        EXPECT_EQ(std::string::npos, log.find(std::string("../sound/") + tune.name, at + line.size())) << "named twice";
    }
    ASSERT_EQ(tnOK, m_kMidi.PlaySong("../sound/level1.mid")) << "a sound tune still plays";
}

TEST(MidiPlay, AMidiFileReallySoundsThroughTheSoundfont)
{
    TempGameDir dir(false);
    Write(dir.Path("sound/level1.mid"), MidiFile());
    DiskCapture capture(dir.Path("music.raw"));
    {
        tnSoundManager manager;
        ASSERT_EQ(tnOK, manager.Init(kWindow));
        ASSERT_FALSE(testcontrol::SoundIsSilent());
        tnMidiPlay midi;
        ASSERT_EQ(tnOK, midi.Init(manager.GetSound(), kWindow));
        auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(tnOK, midi.PlaySong("../sound/level1.mid"));
        auto started = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        std::printf("[ measure  ] loading and starting a MIDI file took %.1f ms\n",
                    std::chrono::duration<double, std::milli>(started - start).count());
        EXPECT_EQ(tnMidiPlay::PLAYING, midi.GetPlayStatus());
    }
    EXPECT_GT(capture.Bytes(), 0u);
    EXPECT_GT(capture.Peak(), 1000);
}
