// DirectSound 8 over SDL2_mixer: every secondary buffer keeps its PCM bytes,
// converted by SDL to the mixer's format, and plays them on a mixer channel
// of its own.
#include "dsound.h"

#include "sdl_audio.h"
#include "testcontrol.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstring>

const GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
const GUID DS3DALG_NO_VIRTUALIZATION = {0xC2413340, 0x1C1B, 0x11D2, {0x94, 0xF5, 0x00, 0xC0, 0x4F, 0xC2, 0x8A, 0xCA}};
const IID IID_IDirectSound3DBuffer = {0x279AFA86, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};
const IID IID_IDirectSound3DListener = {0x279AFA84, 0x4981, 0x11CE, {0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5, 0x60}};

namespace {

int g_iNextBufferId = 1;
std::vector<bool> g_kChannelsInUse;

int TakeChannel()
{
    for (std::size_t i = 0; i < g_kChannelsInUse.size(); ++i) {
        if (!g_kChannelsInUse[i]) {
            g_kChannelsInUse[i] = true;
            return static_cast<int>(i);
        }
    }
    g_kChannelsInUse.push_back(true);
    int count = static_cast<int>(g_kChannelsInUse.size());
    if (Mix_AllocateChannels(-1) < count)
        Mix_AllocateChannels(count + 8);
    return count - 1;
}

void GiveBackChannel(int channel)
{
    if (channel >= 0 && channel < static_cast<int>(g_kChannelsInUse.size()))
        g_kChannelsInUse[channel] = false;
}

// Hundredths of a decibel to the mixer's 0..128: amplitude = 10^(dB / 20).
int MixVolume(LONG volume)
{
    if (volume <= DSBVOLUME_MIN)
        return 0;
    return static_cast<int>(std::lround(MIX_MAX_VOLUME * std::pow(10.0, volume / 2000.0)));
}

bool IsPlayableFormat(const WAVEFORMATEX* format)
{
    return format && format->wFormatTag == WAVE_FORMAT_PCM && (format->nChannels == 1 || format->nChannels == 2) &&
           (format->wBitsPerSample == 8 || format->wBitsPerSample == 16) && format->nSamplesPerSec >= 100 &&
           format->nSamplesPerSec <= 200000 &&
           format->nBlockAlign == format->nChannels * format->wBitsPerSample / 8;
}

} // namespace

// --- Buffer ----------------------------------------------------------------

IDirectSoundBuffer::IDirectSoundBuffer(DWORD flags, const WAVEFORMATEX* format, DWORD bytes)
    : m_iId(g_iNextBufferId++), m_iFlags(flags)
{
    platform::OpenAudio();
    ++platform::LiveSoundObjects();
    if (format)
        m_kFormat = *format;
    m_kBytes.assign(bytes, m_kFormat.wBitsPerSample == 8 ? 0x80 : 0x00); // silence
    if (!IsPrimary()) {
        m_iChannel = TakeChannel();
        Mix_Volume(m_iChannel, MIX_MAX_VOLUME);
        Convert();
    }
}

IDirectSoundBuffer::~IDirectSoundBuffer()
{
    if (IsSounding())
        platform::RecordSound(m_iId, false, m_iVolume, m_bLooping, m_kBytes);
    if (m_iChannel >= 0)
        Mix_HaltChannel(m_iChannel);
    FreeChunk();
    GiveBackChannel(m_iChannel);
    --platform::LiveSoundObjects();
    platform::CloseAudio();
}

bool IDirectSoundBuffer::IsSounding() const
{
    return m_iChannel >= 0 && Mix_Playing(m_iChannel) && !Mix_Paused(m_iChannel);
}

void IDirectSoundBuffer::FreeChunk()
{
    if (m_pkChunk)
        Mix_FreeChunk(m_pkChunk);
    if (m_pkTail)
        Mix_FreeChunk(m_pkTail);
    m_pkChunk = nullptr;
    m_pkTail = nullptr;
}

// Turns the PCM bytes into the mixer's format (rate, width and channels).
bool IDirectSoundBuffer::Convert()
{
    platform::MixerFormat mixer = platform::GetMixerFormat();
    SDL_AudioCVT cvt;
    SDL_AudioFormat source = m_kFormat.wBitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    if (SDL_BuildAudioCVT(&cvt, source, static_cast<Uint8>(m_kFormat.nChannels),
                          static_cast<int>(m_kFormat.nSamplesPerSec), mixer.format,
                          static_cast<Uint8>(mixer.channels), mixer.frequency) < 0)
        return false;
    std::size_t whole = m_kBytes.size() - m_kBytes.size() % m_kFormat.nBlockAlign;
    m_kMixed.assign(whole * static_cast<std::size_t>(cvt.len_mult), 0);
    std::memcpy(m_kMixed.data(), m_kBytes.data(), whole);
    cvt.buf = m_kMixed.data();
    cvt.len = static_cast<int>(whole);
    if (whole > 0 && SDL_ConvertAudio(&cvt) < 0)
        return false;
    m_kMixed.resize(whole > 0 ? static_cast<std::size_t>(cvt.len_cvt) : 0);
    FreeChunk();
    m_pkChunk = Mix_QuickLoad_RAW(m_kMixed.data(), static_cast<Uint32>(m_kMixed.size()));
    return m_pkChunk != nullptr;
}

HRESULT IDirectSoundBuffer::QueryInterface(REFIID, LPVOID* result)
{
    if (!result)
        return E_POINTER;
    *result = nullptr;
    return DSERR_NOINTERFACE;
}

HRESULT IDirectSoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* part1, DWORD* length1, LPVOID* part2,
                                 DWORD* length2, DWORD flags)
{
    DWORD size = static_cast<DWORD>(m_kBytes.size());
    if (flags & DSBLOCK_FROMWRITECURSOR)
        offset = 0; // the engine locks only buffers that are not playing
    if (flags & DSBLOCK_ENTIREBUFFER)
        bytes = size;
    if (IsPrimary() || m_bLocked || !part1 || !length1 || offset >= size || bytes == 0 || bytes > size)
        return DSERR_INVALIDPARAM;
    DWORD first = bytes < size - offset ? bytes : size - offset;
    *part1 = m_kBytes.data() + offset;
    *length1 = first;
    if (part2 && length2) {
        *part2 = bytes > first ? m_kBytes.data() : nullptr;
        *length2 = bytes - first;
    } else if (bytes > first) {
        return DSERR_INVALIDPARAM;
    }
    m_bLocked = true;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Unlock(LPVOID part1, DWORD length1, LPVOID, DWORD length2)
{
    BYTE* begin = m_kBytes.data();
    BYTE* written = static_cast<BYTE*>(part1);
    bool inside = written >= begin && written <= begin + m_kBytes.size();
    if (!m_bLocked || !inside || length1 + length2 > m_kBytes.size())
        return DSERR_INVALIDPARAM;
    m_bLocked = false;
    // New samples under a playing voice would be read while they change.
    if (m_iChannel >= 0)
        Mix_HaltChannel(m_iChannel);
    m_bPaused = false;
    return Convert() ? DS_OK : DSERR_GENERIC;
}

void IDirectSoundBuffer::Restart(DWORD position)
{
    Mix_HaltChannel(m_iChannel);
    if (m_pkTail) {
        Mix_FreeChunk(m_pkTail);
        m_pkTail = nullptr;
    }
    Mix_Chunk* chunk = m_pkChunk;
    // Looping repeats the whole buffer, so it always starts at its beginning.
    if (position > 0 && !m_bLooping && !m_kBytes.empty()) {
        std::size_t frame = static_cast<std::size_t>(platform::GetMixerFormat().channels) *
                            SDL_AUDIO_BITSIZE(platform::GetMixerFormat().format) / 8;
        std::size_t frames = m_kMixed.size() / frame;
        std::size_t skip = static_cast<std::size_t>(static_cast<double>(position) / m_kBytes.size() * frames) * frame;
        m_pkTail = Mix_QuickLoad_RAW(m_kMixed.data() + skip, static_cast<Uint32>(m_kMixed.size() - skip));
        chunk = m_pkTail;
    }
    if (chunk)
        Mix_PlayChannel(m_iChannel, chunk, m_bLooping ? -1 : 0);
    m_iPosition = 0;
    m_bPaused = false;
}

HRESULT IDirectSoundBuffer::Play(DWORD reserved, DWORD, DWORD flags)
{
    if (reserved != 0 || IsPrimary())
        return DSERR_INVALIDPARAM;
    if (m_bLocked || testcontrol::ConsumeFailure(testcontrol::Failure::Play))
        return DSERR_INVALIDCALL;
    if (IsSounding())
        return DS_OK; // already playing: DirectSound carries on where it is
    if (m_bPaused) {
        Mix_Resume(m_iChannel); // the voice keeps the looping it started with
    } else {
        m_bLooping = (flags & DSBPLAY_LOOPING) != 0;
        Restart(m_iPosition);
    }
    m_bPaused = false;
    platform::RecordSound(m_iId, true, m_iVolume, m_bLooping, m_kBytes);
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Stop()
{
    if (IsPrimary())
        return DSERR_INVALIDCALL;
    if (IsSounding()) {
        // Stopping keeps the play position: a later Play goes on from there.
        Mix_Pause(m_iChannel);
        m_bPaused = true;
        platform::RecordSound(m_iId, false, m_iVolume, m_bLooping, m_kBytes);
    }
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetStatus(DWORD* status)
{
    if (!status)
        return DSERR_INVALIDPARAM;
    *status = 0;
    if (IsSounding())
        *status = DSBSTATUS_PLAYING | (m_bLooping ? DSBSTATUS_LOOPING : 0);
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetCurrentPosition(DWORD position)
{
    if (IsPrimary() || position >= m_kBytes.size())
        return DSERR_INVALIDPARAM;
    DWORD aligned = position - position % (m_kFormat.nBlockAlign ? m_kFormat.nBlockAlign : 1);
    if (IsSounding()) {
        Restart(aligned);
        return DS_OK;
    }
    if (m_bPaused)
        Mix_HaltChannel(m_iChannel);
    m_bPaused = false;
    m_iPosition = aligned;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetVolume(LONG volume)
{
    if (!(m_iFlags & DSBCAPS_CTRLVOLUME))
        return DSERR_CONTROLUNAVAIL;
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX)
        return DSERR_INVALIDPARAM;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::SetVolume))
        return DSERR_GENERIC;
    m_iVolume = volume;
    if (m_iChannel >= 0)
        Mix_Volume(m_iChannel, MixVolume(volume));
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetVolume(LONG* volume)
{
    if (!volume)
        return DSERR_INVALIDPARAM;
    if (!(m_iFlags & DSBCAPS_CTRLVOLUME))
        return DSERR_CONTROLUNAVAIL;
    *volume = m_iVolume;
    return DS_OK;
}

// --- Device ----------------------------------------------------------------

IDirectSound8::IDirectSound8()
{
    ++platform::LiveSoundObjects();
}

IDirectSound8::~IDirectSound8()
{
    --platform::LiveSoundObjects();
    platform::CloseAudio();
}

HRESULT IDirectSound8::SetCooperativeLevel(HWND window, DWORD level)
{
    if (!window || level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY)
        return DSERR_INVALIDPARAM;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::DirectSoundSetCooperativeLevel))
        return DSERR_GENERIC;
    m_iLevel = level;
    return DS_OK;
}

HRESULT IDirectSound8::CreateSoundBuffer(LPCDSBUFFERDESC description, LPDIRECTSOUNDBUFFER* result, LPUNKNOWN outer)
{
    if (!result)
        return DSERR_INVALIDPARAM;
    *result = nullptr;
    if (outer || !description || description->dwSize != sizeof(DSBUFFERDESC) || m_iLevel == 0)
        return DSERR_INVALIDPARAM;
    bool primary = (description->dwFlags & DSBCAPS_PRIMARYBUFFER) != 0;
    if (primary ? (description->dwBufferBytes != 0 || description->lpwfxFormat)
                : (description->dwBufferBytes < DSBSIZE_MIN || description->dwBufferBytes > DSBSIZE_MAX))
        return DSERR_INVALIDPARAM;
    if (!primary && !IsPlayableFormat(description->lpwfxFormat))
        return DSERR_BADFORMAT;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::CreateSoundBuffer))
        return DSERR_OUTOFMEMORY;
    *result = new IDirectSoundBuffer(description->dwFlags, description->lpwfxFormat, description->dwBufferBytes);
    return DS_OK;
}

HRESULT DirectSoundCreate8(LPCGUID device, LPDIRECTSOUND8* result, LPUNKNOWN outer)
{
    if (!result)
        return DSERR_INVALIDPARAM;
    *result = nullptr;
    if (outer || (device && !IsEqualGUID(*device, GUID_NULL)))
        return DSERR_INVALIDPARAM;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::DirectSoundCreate8) || !platform::OpenAudio())
        return DSERR_NODRIVER;
    *result = new IDirectSound8();
    return DS_OK;
}
