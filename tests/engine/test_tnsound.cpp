// Wave files, the sound manager and the one-effect-at-a-time player.
#include "failurecheck.h"
#include "sound_test_files.h"
#include "tempgamedir.h"
#include "testcontrol.h"
#include "tnlog.h"
#include "tnsound.h"
#include "tnsoundmanager.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <thread>
#include <vector>

using namespace soundtest;

namespace {

const HWND kWindow = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1234));

bool Parse(const std::string& bytes, tnSound::WaveData& wave)
{
    return tnSound::ParseWave(reinterpret_cast<const tnUInt8*>(bytes.data()), bytes.size(), wave);
}

// Parses and forgets (the header is the only allocation).
bool Parses(const std::string& bytes)
{
    tnSound::WaveData wave = {};
    bool parsed = Parse(bytes, wave);
    EXPECT_EQ(parsed, wave.wavHeader != nullptr);
    delete wave.wavHeader;
    return parsed;
}

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(tnOK, m_kManager.Init(kWindow));
        ASSERT_EQ(tnOK, m_kSound.Init(m_kManager.GetSound(), false));
        testcontrol::RecordSoundEvents(true);
        testcontrol::ClearSoundEvents();
    }
    void TearDown() override
    {
        testcontrol::RecordSoundEvents(false);
        for (tnSound::WaveData& wave : m_kWaves)
            tnSound::FreeWaveData(wave);
        m_kSound.CleanUp();
        m_kManager.CleanUp();
        EXPECT_EQ(0, testcontrol::LiveSoundObjects());
        ExpectEveryFailureUsed();
    }
    tnSound::WaveData& Load(const std::string& bytes)
    {
        static int count = 0;
        std::string path = m_kDir.Path("sound/effect" + std::to_string(count++) + ".wav");
        Write(path, bytes);
        m_kWaves.push_back({});
        EXPECT_EQ(tnOK, m_kSound.LoadFromFile(path.c_str(), m_kWaves.back(), false));
        return m_kWaves.back();
    }

    TempGameDir m_kDir{false};
    tnSoundManager m_kManager;
    tnSound m_kSound;
    std::deque<tnSound::WaveData> m_kWaves; // references stay valid as it grows
};

} // namespace

TEST(WaveParser, FindsFormatAndDataInEitherOrderAcrossOddChunks)
{
    std::string samples = "\x01\x02\x03\x04\x05";
    std::string fmt = Chunk("fmt ", Format(2, 44100, 16));
    for (const std::string& bytes : {Riff(fmt + Chunk("data", samples)), Riff(Chunk("data", samples) + fmt),
                                     Riff(Chunk("LIST", "abc") + fmt + Chunk("data", samples))}) {
        tnSound::WaveData wave = {};
        ASSERT_TRUE(Parse(bytes, wave));
        EXPECT_EQ(1, wave.wavHeader->wFormatTag);
        EXPECT_EQ(2, wave.wavHeader->nChannels);
        EXPECT_EQ(44100u, wave.wavHeader->nSamplesPerSec);
        EXPECT_EQ(4, wave.wavHeader->nBlockAlign);
        EXPECT_EQ(16, wave.wavHeader->wBitsPerSample);
        EXPECT_EQ(0, wave.wavHeader->cbSize); // 16-byte header: nothing borrowed from the next chunk
        EXPECT_EQ(5u, wave.wavSize);
        EXPECT_EQ(samples, std::string(reinterpret_cast<char*>(wave.wavData), wave.wavSize));
        delete wave.wavHeader;
    }
    tnSound::WaveData wave = {};
    ASSERT_TRUE(Parse(Riff(Chunk("fmt ", Format(1, 8000, 8) + U16(7)) + Chunk("data", "x")), wave));
    EXPECT_EQ(7, wave.wavHeader->cbSize);
    delete wave.wavHeader;
}

TEST(WaveParser, RejectsWhatIsNotACompleteWaveWithoutReadingPastIt)
{
    std::string fmt = Chunk("fmt ", Format(1, 8000, 8));
    std::string good = Riff(fmt + Chunk("data", "abcd"));
    ASSERT_TRUE(Parses(good));

    EXPECT_FALSE(Parses(""));
    EXPECT_FALSE(Parses("RIFF"));
    EXPECT_FALSE(Parses("RIFX" + good.substr(4)));
    EXPECT_FALSE(Parses(good.substr(0, 8) + "AVI " + good.substr(12)));
    EXPECT_FALSE(Parses(Riff(fmt)));                    // no data
    EXPECT_FALSE(Parses(Riff(Chunk("data", "abcd"))));  // no format
    EXPECT_FALSE(Parses(Riff(Chunk("fmt ", Format(1, 8000, 8).substr(0, 14)) + Chunk("data", "ab"))));
    EXPECT_FALSE(Parses(good.substr(0, good.size() - 1)));     // RIFF size runs past the end
    EXPECT_FALSE(Parses(good.substr(0, 4) + U32(0xFFFFFFFF) + good.substr(8)));
    std::string cutData = Riff(fmt + "data" + U32(100) + "abcd"); // data chunk cut short
    EXPECT_FALSE(Parses(cutData));
    EXPECT_FALSE(Parses(Riff(fmt + "data" + U32(0xFFFFFFFF) + "abcd")));
    EXPECT_FALSE(Parses(Riff(fmt + "dat")));                     // a chunk header cut short
    EXPECT_FALSE(Parses(Riff("fmt " + U32(0xFFFFFFF0) + Format(1, 8000, 8) + Chunk("data", "ab"))));
    // The RIFF size is what counts: a data chunk past it is not part of the file.
    std::string outside = Riff(fmt) + Chunk("data", "abcd");
    EXPECT_FALSE(Parses(outside));

    // A refused wave leaves an empty record, also when its data chunk came
    // before the fault.
    tnSound::WaveData wave = {};
    EXPECT_FALSE(Parse(Riff(Chunk("data", "abcd") + "fmt " + U32(100)), wave));
    EXPECT_EQ(nullptr, wave.wavData);
    EXPECT_EQ(0u, wave.wavSize);
    EXPECT_EQ(nullptr, wave.wavHeader);
}

// A format no buffer can be made of is refused with why, rather than loaded
// as an effect that never plays.
TEST(WaveParser, RefusesFormatsThatCannotPlayAndSaysWhy)
{
    // Tag, channels, rate, block align, bits.
    auto format = [](std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t align,
                     std::uint16_t bits) {
        return Riff(Chunk("fmt ", U16(tag) + U16(channels) + U32(rate) + U32(rate * align) + U16(align) + U16(bits)) +
                    Chunk("data", "abcd"));
    };
    const struct {
        std::string bytes;
        const char* why;
    } cases[] = {
        {format(1, 0, 8000, 1, 8), "bad header (0 channels)"},
        {format(1, 1, 8000, 1, 0), "bad header (0 bits per sample)"},
        {format(1, 1, 0, 1, 8), "bad header (a rate of 0 samples a second)"},
        {format(1, 2, 8000, 0, 16), "bad header (its block align does not match its channels and bits)"},
        {format(0x55, 2, 8000, 4, 16), "unplayable (its format is not PCM)"},
    };
    ASSERT_TRUE(Parses(format(1, 2, 8000, 4, 16)));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        tnSound::WaveData wave = {};
        const char* why = nullptr;
        EXPECT_FALSE(tnSound::ParseWave(reinterpret_cast<const tnUInt8*>(c.bytes.data()), c.bytes.size(), wave, &why));
        EXPECT_EQ(nullptr, wave.wavHeader);
        EXPECT_STREQ(c.why, why);
    }
}

TEST_F(SoundTest, LoadFromFileCopiesTheSamplesAndFailsCleanly)
{
    tnSound::WaveData& wave = Load(Riff(Chunk("fmt ", Format(1, 11025, 8)) + Chunk("data", "\x10\x80\xF0")));
    ASSERT_NE(nullptr, wave.wavHeader);
    EXPECT_EQ(11025u, wave.wavHeader->nSamplesPerSec);
    ASSERT_EQ(3u, wave.wavSize);
    EXPECT_EQ(0xF0, wave.wavData[2]);

    tnSound::WaveData missing = {};
    EXPECT_EQ(tnErrorOpenFile, m_kSound.LoadFromFile(m_kDir.Path("sound/none.wav").c_str(), missing, false));
    EXPECT_EQ(nullptr, missing.wavHeader);
    std::string path = m_kDir.Path("sound/broken.wav");
    Write(path, Riff(Chunk("fmt ", Format(1, 8000, 8))));
    tnSound::WaveData broken = {};
    EXPECT_EQ(tnErrorWaveFile, m_kSound.LoadFromFile(path.c_str(), broken, false));
    EXPECT_EQ(nullptr, broken.wavHeader);
    EXPECT_EQ(nullptr, broken.wavData);
    EXPECT_EQ(0u, broken.wavSize);
}

TEST_F(SoundTest, VolumeRunsFromFullToTheDirectSoundMinimum)
{
    tnSound::WaveData& wave = Load(ToneWave());
    const struct {
        tnUInt32 volume;
        long hundredthsOfDb;
    } cases[] = {{100, 0}, {50, -5000}, {0, -10000}, {99, -100}};
    for (const auto& c : cases) {
        testcontrol::ClearSoundEvents();
        ASSERT_EQ(tnOK, m_kSound.PlayWave(&wave, 1, 0, c.volume, 0));
        std::vector<testcontrol::SoundEvent> events = testcontrol::SoundEvents();
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(c.hundredthsOfDb, events.back().volume) << c.volume;
    }
    EXPECT_EQ(tnErrorSoundVolume, m_kSound.SetVolume(101));
    testcontrol::FailOnce(testcontrol::Failure::SetVolume);
    EXPECT_EQ(tnErrorSoundVolume, m_kSound.SetVolume(100));
}

TEST_F(SoundTest, ANewEffectCutsTheOnePlaying)
{
    tnSound::WaveData& first = Load(ToneWave());
    tnSound::WaveData& second = Load(ToneWave(11025));
    ASSERT_EQ(tnOK, m_kSound.LoadFromMemory(first, DSBCAPS_CTRLVOLUME, false));
    ASSERT_EQ(tnOK, m_kSound.Play(1));
    ASSERT_EQ(tnOK, m_kSound.LoadFromMemory(second, DSBCAPS_CTRLVOLUME, false));
    ASSERT_EQ(tnOK, m_kSound.Play(0));
    std::vector<testcontrol::SoundEvent> events = testcontrol::SoundEvents();
    ASSERT_EQ(3u, events.size());
    EXPECT_TRUE(events[0].started);
    EXPECT_TRUE(events[0].looping);
    EXPECT_FALSE(events[1].started);
    EXPECT_EQ(events[0].bufferId, events[1].bufferId);
    EXPECT_TRUE(events[2].started);
    EXPECT_FALSE(events[2].looping);
    EXPECT_NE(events[0].bufferId, events[2].bufferId);
}

TEST_F(SoundTest, PlayingAgainRestartsFromTheBeginning)
{
    ASSERT_EQ(tnOK, m_kSound.LoadFromMemory(Load(ToneWave()), DSBCAPS_CTRLVOLUME, false));
    ASSERT_EQ(tnOK, m_kSound.Play(0));
    ASSERT_EQ(tnOK, m_kSound.Play(0));
    std::vector<testcontrol::SoundEvent> events = testcontrol::SoundEvents();
    ASSERT_EQ(3u, events.size());
    EXPECT_TRUE(events[0].started);
    EXPECT_FALSE(events[1].started);
    EXPECT_TRUE(events[2].started);
    EXPECT_EQ(tnOK, m_kSound.Stop());
    EXPECT_EQ(tnOK, m_kSound.Rewind());
    testcontrol::FailOnce(testcontrol::Failure::Play);
    EXPECT_EQ(tnErrorSoundPlay, m_kSound.Play(0));
}

TEST_F(SoundTest, WithoutABufferOrAValidIndexNothingPlays)
{
    EXPECT_EQ(tnNotOK, m_kSound.Play(0));
    EXPECT_EQ(tnNotOK, m_kSound.Rewind());
    EXPECT_EQ(tnErrorSoundStop, m_kSound.Stop());
    EXPECT_EQ(tnErrorSoundVolume, m_kSound.SetVolume(100));

    std::vector<tnSound::WaveData> list = {Load(ToneWave()), Load(ToneWave())};
    EXPECT_EQ(tnNotOK, m_kSound.PlayWave(list, 2, 100, 0));
    EXPECT_EQ(tnNotOK, m_kSound.PlayWave(list.data(), 2, 19, 100, 0));
    EXPECT_TRUE(testcontrol::SoundEvents().empty());
    EXPECT_EQ(tnOK, m_kSound.PlayWave(list, 1, 100, 0));
    EXPECT_EQ(1u, testcontrol::SoundEvents().size());

    tnSound::WaveData empty = {};
    EXPECT_EQ(tnErrorNoWaveData, m_kSound.LoadFromMemory(empty, DSBCAPS_CTRLVOLUME, false));
    testcontrol::FailOnce(testcontrol::Failure::CreateSoundBuffer);
    EXPECT_EQ(tnErrorSoundBuffer, m_kSound.LoadFromMemory(list[0], DSBCAPS_CTRLVOLUME, false));
    EXPECT_EQ(tnNotOK, m_kSound.Play(0)); // the failed load left no buffer
}

TEST_F(SoundTest, ThreeDimensionalSoundIsRefusedWithItsCodes)
{
    tnSound::WaveData& stereo = Load(Riff(Chunk("fmt ", Format(2, 8000, 16)) + Chunk("data", "abcd")));
    EXPECT_EQ(tnErrorWaveFile, m_kSound.LoadFromMemory(stereo, DSBCAPS_CTRLVOLUME, true));
    tnSound sound3D;
    EXPECT_EQ(tnErrorSoundBufferInterface, sound3D.Init(m_kManager.GetSound(), true));
    EXPECT_EQ(tnErrorNoSoundDevice, sound3D.Init(nullptr, false));
}

TEST(SoundManager, DeviceFailuresGiveTheirCodesAndCleanUpTwiceReleasesOnce)
{
    {
        tnSoundManager manager;
        EXPECT_EQ(&manager, tnSoundManager::GetSingleton());
        testcontrol::FailOnce(testcontrol::Failure::DirectSoundCreate8);
        EXPECT_EQ(tnErrorNoSoundDevice, manager.Init(kWindow));
        EXPECT_EQ(nullptr, manager.GetSound());
        testcontrol::FailOnce(testcontrol::Failure::DirectSoundSetCooperativeLevel);
        EXPECT_EQ(tnErrorSoundCooperativeLevel, manager.Init(kWindow));
        EXPECT_EQ(tnOK, manager.Init(kWindow));
        EXPECT_EQ(1, testcontrol::LiveSoundObjects());
        manager.CleanUp();
        manager.CleanUp();
        EXPECT_EQ(0, testcontrol::LiveSoundObjects());
    }
    EXPECT_EQ(0, testcontrol::LiveSoundObjects());
}

TEST(SoundManager, WithoutAnAudioOutputSoundGoesToASilentSinkAndSaysSoOnce)
{
    TempGameDir dir(false);
    ASSERT_TRUE(OpenLog());
    testcontrol::FailOnce(testcontrol::Failure::OpenAudioDevice);
    {
        tnSoundManager manager;
        ASSERT_EQ(tnOK, manager.Init(kWindow));
        EXPECT_TRUE(testcontrol::SoundIsSilent());
        tnSound sound;
        ASSERT_EQ(tnOK, sound.Init(manager.GetSound(), false));
        std::string path = dir.Path("sound/tone.wav");
        Write(path, ToneWave());
        tnSound::WaveData wave = {};
        ASSERT_EQ(tnOK, sound.LoadFromFile(path.c_str(), wave, false));
        testcontrol::RecordSoundEvents(true);
        testcontrol::ClearSoundEvents();
        EXPECT_EQ(tnOK, sound.PlayWave(&wave, 1, 0, 100, 0));
        EXPECT_EQ(1u, testcontrol::SoundEvents().size());
        testcontrol::RecordSoundEvents(false);
        tnSound::FreeWaveData(wave);
    }
    EXPECT_FALSE(testcontrol::SoundIsSilent());
    CloseLog();
    EXPECT_EQ("Sound: no audio device, playing silently\n", TempGameDir::ReadFile(dir.Path("bin/stdout.log")));
}

TEST(SoundManager, AWaveEffectReallySoundsThroughTheDiskDriver)
{
    TempGameDir dir(false);
    DiskCapture capture(dir.Path("effect.raw"));
    std::string path = dir.Path("sound/tone.wav");
    Write(path, ToneWave(22050, 0.3));
    {
        tnSoundManager manager;
        ASSERT_EQ(tnOK, manager.Init(kWindow));
        ASSERT_FALSE(testcontrol::SoundIsSilent());
        tnSound sound;
        ASSERT_EQ(tnOK, sound.Init(manager.GetSound(), false));
        tnSound::WaveData wave = {};
        auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(tnOK, sound.LoadFromFile(path.c_str(), wave, false));
        auto loaded = std::chrono::steady_clock::now();
        EXPECT_EQ(tnOK, sound.PlayWave(&wave, 1, 0, 100, 0));
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        std::printf("[ measure  ] loading a 0.3 s WAV took %.3f ms\n",
                    std::chrono::duration<double, std::milli>(loaded - start).count());
        tnSound::FreeWaveData(wave);
    }
    EXPECT_GT(capture.Bytes(), 0u);
    EXPECT_GT(capture.Peak(), 8000); // the tone is at 20000 of 32767
}
