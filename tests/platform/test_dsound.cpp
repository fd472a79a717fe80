// The DirectSound stand-in: buffer formats, volume range, play, stop and
// resume, status.
#include "dsound.h"
#include "testcontrol.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const HWND kWindow = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1234));

class DirectSoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(DS_OK, DirectSoundCreate8(nullptr, &m_pkSound, nullptr));
        ASSERT_EQ(DS_OK, m_pkSound->SetCooperativeLevel(kWindow, DSSCL_NORMAL));
        testcontrol::RecordSoundEvents(true);
        testcontrol::ClearSoundEvents();
    }
    void TearDown() override
    {
        testcontrol::RecordSoundEvents(false);
        for (IDirectSoundBuffer* buffer : m_kBuffers)
            buffer->Release();
        m_pkSound->Release();
        EXPECT_EQ(0, testcontrol::LiveSoundObjects());
    }
    HRESULT Make(WAVEFORMATEX format, DWORD bytes, DWORD flags, IDirectSoundBuffer** buffer)
    {
        DSBUFFERDESC description = {sizeof(DSBUFFERDESC), flags, bytes, 0, &format, GUID_NULL};
        HRESULT result = m_pkSound->CreateSoundBuffer(&description, buffer, nullptr);
        if (*buffer)
            m_kBuffers.push_back(*buffer);
        return result;
    }

    IDirectSound8* m_pkSound = nullptr;
    std::vector<IDirectSoundBuffer*> m_kBuffers;
};

WAVEFORMATEX Pcm(WORD channels, DWORD rate, WORD bits)
{
    WORD align = static_cast<WORD>(channels * bits / 8);
    return {WAVE_FORMAT_PCM, channels, rate, rate * align, align, bits, 0};
}

} // namespace

TEST_F(DirectSoundTest, OnlyPcmOfEightOrSixteenBitsMonoOrStereoMakesABuffer)
{
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_EQ(DS_OK, Make(Pcm(1, 11025, 8), 11025, DSBCAPS_CTRLVOLUME, &buffer));
    EXPECT_EQ(DS_OK, Make(Pcm(2, 48000, 16), 4800, 0, &buffer));
    WAVEFORMATEX floats = Pcm(1, 44100, 32);
    floats.wFormatTag = 3;
    WAVEFORMATEX wrongAlign = Pcm(2, 44100, 16);
    wrongAlign.nBlockAlign = 1;
    for (const WAVEFORMATEX& format : {floats, Pcm(1, 44100, 24), Pcm(3, 44100, 16), Pcm(0, 44100, 16), wrongAlign}) {
        buffer = reinterpret_cast<IDirectSoundBuffer*>(1);
        EXPECT_EQ(DSERR_BADFORMAT, Make(format, 1000, 0, &buffer));
        EXPECT_EQ(nullptr, buffer);
    }
    EXPECT_EQ(DSERR_INVALIDPARAM, Make(Pcm(1, 8000, 8), 2, 0, &buffer)); // below the smallest buffer
    testcontrol::FailOnce(testcontrol::Failure::CreateSoundBuffer);
    EXPECT_TRUE(FAILED(Make(Pcm(1, 8000, 8), 100, 0, &buffer)));
}

TEST_F(DirectSoundTest, VolumeNeedsItsControlAndStaysInRange)
{
    IDirectSoundBuffer* plain = nullptr;
    IDirectSoundBuffer* withVolume = nullptr;
    ASSERT_EQ(DS_OK, Make(Pcm(1, 8000, 8), 800, 0, &plain));
    ASSERT_EQ(DS_OK, Make(Pcm(1, 8000, 8), 800, DSBCAPS_CTRLVOLUME, &withVolume));
    EXPECT_EQ(DSERR_CONTROLUNAVAIL, plain->SetVolume(-100));
    EXPECT_EQ(DSERR_INVALIDPARAM, withVolume->SetVolume(1));
    EXPECT_EQ(DSERR_INVALIDPARAM, withVolume->SetVolume(-10001));
    EXPECT_EQ(DS_OK, withVolume->SetVolume(-2500));
    LONG volume = 0;
    EXPECT_EQ(DS_OK, withVolume->GetVolume(&volume));
    EXPECT_EQ(-2500, volume);
}

TEST_F(DirectSoundTest, StopPausesAndPlayGoesOnUntilRewound)
{
    IDirectSoundBuffer* buffer = nullptr;
    ASSERT_EQ(DS_OK, Make(Pcm(1, 8000, 16), 16000, DSBCAPS_CTRLVOLUME, &buffer)); // one second
    void* part = nullptr;
    DWORD length = 0;
    ASSERT_EQ(DS_OK, buffer->Lock(0, 16000, &part, &length, nullptr, nullptr, DSBLOCK_FROMWRITECURSOR));
    ASSERT_EQ(16000u, length);
    std::memset(part, 0x40, length);
    EXPECT_EQ(DSERR_INVALIDCALL, buffer->Play(0, 0, 0)); // still locked
    ASSERT_EQ(DS_OK, buffer->Unlock(part, length, nullptr, 0));

    DWORD status = 0;
    ASSERT_EQ(DS_OK, buffer->Play(0, 0, DSBPLAY_LOOPING));
    EXPECT_EQ(DS_OK, buffer->GetStatus(&status));
    EXPECT_EQ(DWORD(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING), status);
    EXPECT_EQ(DS_OK, buffer->Stop());
    EXPECT_EQ(DS_OK, buffer->GetStatus(&status));
    EXPECT_EQ(0u, status);
    EXPECT_EQ(DS_OK, buffer->Play(0, 0, DSBPLAY_LOOPING));
    EXPECT_EQ(DS_OK, buffer->GetStatus(&status));
    EXPECT_EQ(DWORD(DSBSTATUS_PLAYING | DSBSTATUS_LOOPING), status);
    EXPECT_EQ(DSERR_INVALIDPARAM, buffer->SetCurrentPosition(16000));
    EXPECT_EQ(DS_OK, buffer->SetCurrentPosition(0));

    std::vector<testcontrol::SoundEvent> events = testcontrol::SoundEvents();
    ASSERT_EQ(3u, events.size());
    EXPECT_EQ(buffer->Id(), events[0].bufferId);
    EXPECT_TRUE(events[0].started);
    EXPECT_FALSE(events[1].started);
    EXPECT_TRUE(events[2].started);
    buffer->Release(); // released while playing: listed as stopped
    m_kBuffers.clear();
    ASSERT_EQ(4u, testcontrol::SoundEvents().size());
    EXPECT_FALSE(testcontrol::SoundEvents()[3].started);
}

TEST_F(DirectSoundTest, LocksStayInsideTheBuffer)
{
    IDirectSoundBuffer* buffer = nullptr;
    ASSERT_EQ(DS_OK, Make(Pcm(1, 8000, 8), 100, 0, &buffer));
    void* part1 = nullptr;
    void* part2 = nullptr;
    DWORD length1 = 0;
    DWORD length2 = 0;
    EXPECT_EQ(DSERR_INVALIDPARAM, buffer->Lock(100, 1, &part1, &length1, &part2, &length2, 0));
    EXPECT_EQ(DSERR_INVALIDPARAM, buffer->Lock(0, 101, &part1, &length1, &part2, &length2, 0));
    ASSERT_EQ(DS_OK, buffer->Lock(60, 60, &part1, &length1, &part2, &length2, 0));
    EXPECT_EQ(40u, length1); // wraps round to the start
    EXPECT_EQ(20u, length2);
    EXPECT_EQ(DSERR_INVALIDPARAM, buffer->Lock(0, 10, &part1, &length1, nullptr, nullptr, 0)); // locked twice
    EXPECT_EQ(DS_OK, buffer->Unlock(part1, length1, part2, length2));
}

TEST_F(DirectSoundTest, SoundsAreListedOnlyWhileATestRecordsThem)
{
    IDirectSoundBuffer* buffer = nullptr;
    ASSERT_EQ(DS_OK, Make(Pcm(1, 8000, 8), 800, 0, &buffer));
    testcontrol::RecordSoundEvents(false);
    ASSERT_EQ(DS_OK, buffer->Play(0, 0, DSBPLAY_LOOPING));
    ASSERT_EQ(DS_OK, buffer->Stop());
    ASSERT_EQ(DS_OK, buffer->Play(0, 0, 0));
    EXPECT_TRUE(testcontrol::SoundEvents().empty());
    testcontrol::RecordSoundEvents(true);
    ASSERT_EQ(DS_OK, buffer->Stop());
    EXPECT_EQ(1u, testcontrol::SoundEvents().size());
}
