#ifndef TNSOUND_H
#define TNSOUND_H

#include "dsound.h"
#include "tnerror.h"

#include <cstddef>

// Plays sound effects, one at a time: the object owns one sound buffer, and
// making a new one releases the old, so a new effect cuts off the last.
class tnSound {
public:
    // A WAV file read into memory. A plain record, copied freely: whoever
    // owns the list frees each record once with FreeWaveData.
    struct WaveData {
        WAVEFORMATEX* wavHeader; // 18 bytes
        tnUInt8* wavData;
        tnUInt32 wavSize;
    };

    tnSound();
    ~tnSound();
    tnSound(const tnSound&) = delete;
    tnSound& operator=(const tnSound&) = delete;

    tnError32 Init(IDirectSound8* sound, bool use3D);
    // Reads a WAV file into the record (which owns nothing before).
    tnError32 LoadFromFile(const char* fileName, WaveData& wave, bool use3D);
    // Makes this object's buffer from the record, releasing the old one.
    tnError32 LoadFromMemory(const WaveData& wave, tnUInt32 flags, bool use3D);
    // 0 (silent) to 100 (full).
    tnError32 SetVolume(tnUInt32 volume);
    tnError32 Play(tnUInt32 loop);
    tnError32 Stop();
    tnError32 Rewind();
    void CleanUp();

    // Plays entry `index` of a list of waves at a volume, as every effect
    // is played; an index at or past the end plays nothing (tnNotOK).
    tnError32 PlayWave(const WaveData* waves, tnUInt32 count, tnUInt32 index, tnUInt32 volume, tnUInt32 loop);
    template <class List>
    tnError32 PlayWave(const List& waves, tnUInt32 index, tnUInt32 volume, tnUInt32 loop)
    {
        return index < waves.size() ? PlayWave(&waves[index], 1, 0, volume, loop) : tnNotOK;
    }

    // Finds "fmt " and "data" in a WAV file's bytes. On success the header
    // is a new allocation and wavData points into `bytes`; never reads
    // outside them. False for anything that is not a complete wave.
    // `why`, when given, says why a refused wave was refused.
    static bool ParseWave(const tnUInt8* bytes, std::size_t size, WaveData& wave, const char** why = nullptr);
    // Frees what LoadFromFile allocated and nulls the record.
    static void FreeWaveData(WaveData& wave);

private:
    tnError32 Obtain3DBuffer();

    IDirectSoundBuffer8* m_pkBuffer;
    IDirectSound8* m_pkSound; // not owned
    DS3DBUFFER m_kBuffer3DParams;
    DS3DLISTENER m_kListenerParams;
    IDirectSound3DBuffer* m_pkBuffer3D;
    IDirectSound3DListener* m_pkListener;
    bool m_bFileLoaded; // cleared by every file load
};

#endif
