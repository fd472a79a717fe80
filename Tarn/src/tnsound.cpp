#include "tnsound.h"

#include "tnlog.h"
#include "tnsoundmanager.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Sound effects are short; anything bigger than this is not a wave we made.
const long kLargestWaveFile = 64L * 1024 * 1024;
const tnUInt32 kPcmHeaderSize = 16; // a "fmt " chunk without the extra-size field

tnUInt32 ReadUInt32(const tnUInt8* bytes)
{
    return static_cast<tnUInt32>(bytes[0]) | static_cast<tnUInt32>(bytes[1]) << 8 |
           static_cast<tnUInt32>(bytes[2]) << 16 | static_cast<tnUInt32>(bytes[3]) << 24;
}

bool IsTag(const tnUInt8* bytes, const char* tag)
{
    return std::memcmp(bytes, tag, 4) == 0;
}

// The whole file, or why it cannot be had.
const char* ReadWholeFile(std::FILE* file, std::vector<tnUInt8>& bytes)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
        return "unreadable";
    long size = std::ftell(file);
    if (size > kLargestWaveFile)
        return "too large";
    if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0)
        return "unreadable";
    bytes.resize(static_cast<std::size_t>(size));
    return std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size() ? nullptr : "unreadable";
}

// A format no buffer can be made of is refused here, with why, rather than
// loaded as a sound that never plays. Only PCM is ever played.
const char* FormatProblem(const WAVEFORMATEX& header)
{
    if (header.wFormatTag != WAVE_FORMAT_PCM)
        return "unplayable (its format is not PCM)";
    if (header.nChannels == 0)
        return "bad header (0 channels)";
    if (header.wBitsPerSample == 0)
        return "bad header (0 bits per sample)";
    if (header.nSamplesPerSec == 0)
        return "bad header (a rate of 0 samples a second)";
    if (header.nBlockAlign == 0 || header.nBlockAlign != header.nChannels * header.wBitsPerSample / 8)
        return "bad header (its block align does not match its channels and bits)";
    return nullptr;
}

} // namespace

tnSound::tnSound()
    : m_pkBuffer(nullptr), m_pkSound(nullptr), m_kBuffer3DParams(), m_kListenerParams(), m_pkBuffer3D(nullptr),
      m_pkListener(nullptr), m_bFileLoaded(false)
{
}

tnSound::~tnSound()
{
    CleanUp();
}

tnError32 tnSound::Init(IDirectSound8* sound, bool use3D)
{
    if (!sound)
        return tnErrorNoSoundDevice;
    m_pkSound = sound;
    if (!use3D)
        return tnOK;
    // The listener lives on the primary buffer.
    DSBUFFERDESC description = {};
    description.dwSize = sizeof(DSBUFFERDESC);
    description.dwFlags = DSBCAPS_CTRL3D | DSBCAPS_PRIMARYBUFFER;
    IDirectSoundBuffer* primary = nullptr;
    if (FAILED(sound->CreateSoundBuffer(&description, &primary, nullptr)))
        return tnErrorSoundBuffer;
    void* listener = nullptr;
    HRESULT result = primary->QueryInterface(IID_IDirectSound3DListener, &listener);
    primary->Release();
    if (FAILED(result))
        return tnErrorSoundBufferInterface;
    m_pkListener = static_cast<IDirectSound3DListener*>(listener);
    m_kListenerParams.dwSize = sizeof(DS3DLISTENER);
    return tnOK;
}

bool tnSound::ParseWave(const tnUInt8* bytes, std::size_t size, WaveData& wave, const char** why)
{
    wave = {nullptr, nullptr, 0};
    const char* ignored = nullptr;
    const char*& reason = why ? *why : ignored;
    reason = "bad header (not a RIFF wave)";
    if (!bytes || size < 12 || !IsTag(bytes, "RIFF") || !IsTag(bytes + 8, "WAVE"))
        return false;
    reason = "truncated (shorter than its header says)";
    // Positions are 64-bit: a size near 4 GB must not wrap around.
    std::uint64_t end = 8 + static_cast<std::uint64_t>(ReadUInt32(bytes + 4));
    if (end > size)
        return false;
    // The record is filled only once the wave is complete: a refused file
    // leaves it empty, whichever chunk the fault comes after.
    WAVEFORMATEX header = {};
    bool haveHeader = false;
    const tnUInt8* data = nullptr;
    tnUInt32 dataSize = 0;
    for (std::uint64_t position = 12; position < end;) {
        reason = "truncated (a chunk runs past the end)";
        if (position + 8 > end)
            return false;
        const tnUInt8* chunk = bytes + position;
        tnUInt32 chunkSize = ReadUInt32(chunk + 4);
        if (position + 8 + chunkSize > end)
            return false;
        if (IsTag(chunk, "fmt ") && !haveHeader) {
            reason = "bad header (format chunk too small)";
            if (chunkSize < kPcmHeaderSize)
                return false;
            // A 16-byte PCM header has no extra-size field: it stays 0.
            std::memcpy(&header, chunk + 8, chunkSize < sizeof(header) ? chunkSize : sizeof(header));
            haveHeader = true;
        } else if (IsTag(chunk, "data") && !data) {
            data = chunk + 8;
            dataSize = chunkSize;
        }
        if (haveHeader && data) {
            reason = FormatProblem(header);
            if (reason)
                return false;
            wave = {new WAVEFORMATEX(header), const_cast<tnUInt8*>(data), dataSize};
            reason = nullptr;
            return true;
        }
        position += 8 + ((static_cast<std::uint64_t>(chunkSize) + 1) & ~static_cast<std::uint64_t>(1));
    }
    reason = "bad header (no format or no data chunk)";
    return false;
}

void tnSound::FreeWaveData(WaveData& wave)
{
    delete wave.wavHeader;
    delete[] wave.wavData;
    wave = {nullptr, nullptr, 0};
}

tnError32 tnSound::LoadFromFile(const char* fileName, WaveData& wave, bool use3D)
{
    m_bFileLoaded = false;
    wave = {nullptr, nullptr, 0};
    std::FILE* file = fileName ? std::fopen(fileName, "rb") : nullptr;
    if (!file) {
        LogFileProblem(fileName, "missing");
        return tnErrorOpenFile;
    }
    std::vector<tnUInt8> bytes;
    const char* problem = ReadWholeFile(file, bytes);
    std::fclose(file);
    WaveData parsed = {nullptr, nullptr, 0};
    if (problem || !ParseWave(bytes.data(), bytes.size(), parsed, &problem)) {
        LogFileProblem(fileName, problem);
        return tnErrorWaveFile;
    }
    tnUInt8* samples = new tnUInt8[parsed.wavSize];
    std::memcpy(samples, parsed.wavData, parsed.wavSize);
    wave = {parsed.wavHeader, samples, parsed.wavSize};
    if (use3D && Obtain3DBuffer() != tnOK) {
        FreeWaveData(wave);
        return tnErrorWaveFile;
    }
    return tnOK;
}

tnError32 tnSound::Obtain3DBuffer()
{
    if (!m_pkBuffer)
        return tnErrorSoundBuffer;
    void* buffer3D = nullptr;
    if (FAILED(m_pkBuffer->QueryInterface(IID_IDirectSound3DBuffer, &buffer3D)))
        return tnErrorWaveFile;
    m_pkBuffer3D = static_cast<IDirectSound3DBuffer*>(buffer3D);
    m_kBuffer3DParams.dwSize = sizeof(DS3DBUFFER);
    m_kBuffer3DParams.dwMode = DS3DMODE_HEADRELATIVE;
    return tnOK;
}

tnError32 tnSound::LoadFromMemory(const WaveData& wave, tnUInt32 flags, bool use3D)
{
    if (!wave.wavHeader || !wave.wavData)
        return tnErrorNoWaveData;
    if (use3D && wave.wavHeader->nChannels > 1)
        return tnErrorWaveFile;
    DSBUFFERDESC description = {};
    description.dwSize = sizeof(DSBUFFERDESC);
    description.dwFlags = flags | (use3D ? DSBCAPS_CTRL3D : 0);
    description.dwBufferBytes = wave.wavSize;
    description.lpwfxFormat = wave.wavHeader;
    description.guid3DAlgorithm = use3D ? DS3DALG_NO_VIRTUALIZATION : GUID_NULL;
    if (m_pkBuffer) {
        m_pkBuffer->Release();
        m_pkBuffer = nullptr;
    }
    tnSoundManager* manager = tnSoundManager::GetSingleton();
    IDirectSound8* sound = manager ? manager->GetSound() : nullptr;
    if (!sound || FAILED(sound->CreateSoundBuffer(&description, &m_pkBuffer, nullptr)))
        return tnErrorSoundBuffer;
    void* part = nullptr;
    DWORD length = 0;
    if (FAILED(m_pkBuffer->Lock(0, wave.wavSize, &part, &length, nullptr, nullptr, DSBLOCK_FROMWRITECURSOR))) {
        m_pkBuffer->Release();
        m_pkBuffer = nullptr;
        return tnErrorSoundBuffer;
    }
    std::memcpy(part, wave.wavData, length < wave.wavSize ? length : wave.wavSize);
    m_pkBuffer->Unlock(part, wave.wavSize, nullptr, 0);
    return tnOK;
}

tnError32 tnSound::SetVolume(tnUInt32 volume)
{
    // 100 is full volume (0 dB), each step down 1 dB, 0 the minimum.
    if (!m_pkBuffer || volume > 100)
        return tnErrorSoundVolume;
    LONG hundredthsOfDb = (static_cast<LONG>(volume) - 100) * 100;
    return FAILED(m_pkBuffer->SetVolume(hundredthsOfDb)) ? tnErrorSoundVolume : tnOK;
}

tnError32 tnSound::Play(tnUInt32 loop)
{
    if (!m_pkBuffer)
        return tnNotOK;
    DWORD status = 0;
    m_pkBuffer->GetStatus(&status);
    if (status & DSBSTATUS_PLAYING) {
        Stop();
        Rewind();
    }
    DWORD flags = loop ? DSBPLAY_LOOPING : 0;
    return FAILED(m_pkBuffer->Play(0, 0, flags)) ? tnErrorSoundPlay : tnOK;
}

tnError32 tnSound::Stop()
{
    if (!m_pkBuffer || FAILED(m_pkBuffer->Stop()))
        return tnErrorSoundStop;
    return tnOK;
}

tnError32 tnSound::Rewind()
{
    if (!m_pkBuffer)
        return tnNotOK;
    m_pkBuffer->SetCurrentPosition(0);
    return tnOK;
}

tnError32 tnSound::PlayWave(const WaveData* waves, tnUInt32 count, tnUInt32 index, tnUInt32 volume, tnUInt32 loop)
{
    if (!waves || index >= count)
        return tnNotOK;
    tnError32 result = LoadFromMemory(waves[index], DSBCAPS_CTRLVOLUME, false);
    if (result != tnOK)
        return result;
    SetVolume(volume); // a sound at the wrong volume still plays
    return Play(loop);
}

void tnSound::CleanUp()
{
    if (m_pkBuffer) {
        m_pkBuffer->Release();
        m_pkBuffer = nullptr;
    }
    if (m_pkBuffer3D) {
        m_pkBuffer3D->Release();
        m_pkBuffer3D = nullptr;
    }
    if (m_pkListener) {
        m_pkListener->Release();
        m_pkListener = nullptr;
    }
}
