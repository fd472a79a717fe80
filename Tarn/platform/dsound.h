#ifndef PLATFORM_DSOUND_H
#define PLATFORM_DSOUND_H

// DirectSound 8, the part the engine uses: the device object and secondary
// buffers of 8- or 16-bit PCM, each with a voice of its own, played once or
// looping at a volume in hundredths of a decibel. The 3-D sound interfaces
// are named (the engine's 3-D mode asks for them) but not offered: asking a
// buffer for them fails.

#include "comobject.h"
#include "win32.h"

#include <vector>

// Results.
#define DS_OK S_OK
#define DSERR_GENERIC E_FAIL
#define DSERR_INVALIDPARAM E_INVALIDARG
#define DSERR_OUTOFMEMORY E_OUTOFMEMORY
#define DSERR_NOINTERFACE E_NOINTERFACE
#define DSERR_NODRIVER HResultFromBits(0x88780078u)
#define DSERR_CONTROLUNAVAIL HResultFromBits(0x8878001Eu)
#define DSERR_INVALIDCALL HResultFromBits(0x88780032u)
#define DSERR_BADFORMAT HResultFromBits(0x88780064u)
#define DSERR_UNSUPPORTED HResultFromBits(0x80004001u)

// Cooperative levels.
#define DSSCL_NORMAL 0x00000001
#define DSSCL_PRIORITY 0x00000002
#define DSSCL_EXCLUSIVE 0x00000003
#define DSSCL_WRITEPRIMARY 0x00000004

// Buffer capabilities, play flags, status, lock flags, volume range.
#define DSBCAPS_PRIMARYBUFFER 0x00000001
#define DSBCAPS_STATIC 0x00000002
#define DSBCAPS_CTRL3D 0x00000010
#define DSBCAPS_CTRLFREQUENCY 0x00000020
#define DSBCAPS_CTRLPAN 0x00000040
#define DSBCAPS_CTRLVOLUME 0x00000080
#define DSBPLAY_LOOPING 0x00000001
#define DSBSTATUS_PLAYING 0x00000001
#define DSBSTATUS_BUFFERLOST 0x00000002
#define DSBSTATUS_LOOPING 0x00000004
#define DSBLOCK_FROMWRITECURSOR 0x00000001
#define DSBLOCK_ENTIREBUFFER 0x00000002
#define DSBVOLUME_MIN (-10000)
#define DSBVOLUME_MAX 0
#define DSBSIZE_MIN 4
#define DSBSIZE_MAX 0x0FFFFFFF

#define WAVE_FORMAT_PCM 1

#pragma pack(push, 1)
// The wave format header, 18 bytes as in a WAV file's "fmt " chunk.
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18, "WAVEFORMATEX is the 18-byte header of a WAV file");
typedef WAVEFORMATEX* LPWAVEFORMATEX;

struct DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    LPWAVEFORMATEX lpwfxFormat;
    GUID guid3DAlgorithm;
};
typedef const DSBUFFERDESC* LPCDSBUFFERDESC;

// 3-D parameter blocks (64 bytes each).
#ifndef D3DVECTOR_DEFINED
#define D3DVECTOR_DEFINED
struct D3DVECTOR {
    float x;
    float y;
    float z;
};
#endif
typedef float D3DVALUE;

struct DS3DBUFFER {
    DWORD dwSize;
    D3DVECTOR vPosition;
    D3DVECTOR vVelocity;
    DWORD dwInsideConeAngle;
    DWORD dwOutsideConeAngle;
    D3DVECTOR vConeOrientation;
    LONG lConeOutsideVolume;
    D3DVALUE flMinDistance;
    D3DVALUE flMaxDistance;
    DWORD dwMode;
};
struct DS3DLISTENER {
    DWORD dwSize;
    D3DVECTOR vPosition;
    D3DVECTOR vVelocity;
    D3DVECTOR vOrientFront;
    D3DVECTOR vOrientTop;
    D3DVALUE flDistanceFactor;
    D3DVALUE flRolloffFactor;
    D3DVALUE flDopplerFactor;
};
static_assert(sizeof(DS3DBUFFER) == 64 && sizeof(DS3DLISTENER) == 64, "3-D blocks are 64 bytes");
#define DS3DMODE_HEADRELATIVE 1
#define DS3D_IMMEDIATE 0
#define DS3D_DEFERRED 1

extern const GUID GUID_NULL;
extern const GUID DS3DALG_NO_VIRTUALIZATION; // {C2413340-1C1B-11D2-94F5-00C04FC28ACA}
extern const IID IID_IDirectSound3DBuffer;
extern const IID IID_IDirectSound3DListener;

// Never handed out by this platform (no 3-D sound); named for the engine.
class IDirectSound3DBuffer : public platform::ComObject {};
class IDirectSound3DListener : public platform::ComObject {};
typedef IDirectSound3DBuffer* LPDIRECTSOUND3DBUFFER;
typedef IDirectSound3DListener* LPDIRECTSOUND3DLISTENER;

struct Mix_Chunk;

class IDirectSoundBuffer : public platform::ComObject {
public:
    HRESULT QueryInterface(REFIID iid, LPVOID* result);
    HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* part1, DWORD* length1, LPVOID* part2, DWORD* length2,
                 DWORD flags);
    HRESULT Unlock(LPVOID part1, DWORD length1, LPVOID part2, DWORD length2);
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags);
    HRESULT Stop();
    HRESULT GetStatus(DWORD* status);
    HRESULT SetCurrentPosition(DWORD position);
    HRESULT SetVolume(LONG volume);
    HRESULT GetVolume(LONG* volume);

    // The id the test control lists this buffer under.
    int Id() const { return m_iId; }

private:
    friend class IDirectSound8;
    IDirectSoundBuffer(DWORD flags, const WAVEFORMATEX* format, DWORD bytes);
    ~IDirectSoundBuffer() override;
    bool IsPrimary() const { return (m_iFlags & DSBCAPS_PRIMARYBUFFER) != 0; }
    bool IsSounding() const;
    bool Convert();
    void FreeChunk();
    void Restart(DWORD position);

    int m_iId;
    DWORD m_iFlags;
    WAVEFORMATEX m_kFormat = {};
    std::vector<BYTE> m_kBytes;    // the PCM bytes as written through Lock
    std::vector<BYTE> m_kMixed;    // the same converted to the mixer's format
    Mix_Chunk* m_pkChunk = nullptr; // over m_kMixed
    Mix_Chunk* m_pkTail = nullptr;  // over part of m_kMixed, when playing from a position
    int m_iChannel = -1;
    bool m_bLocked = false;
    bool m_bLooping = false;
    bool m_bPaused = false;  // stopped part-way: Play resumes
    DWORD m_iPosition = 0;   // where the next Play starts, in bytes
    LONG m_iVolume = DSBVOLUME_MAX;
};
typedef IDirectSoundBuffer IDirectSoundBuffer8;
typedef IDirectSoundBuffer* LPDIRECTSOUNDBUFFER;
typedef IDirectSoundBuffer* LPDIRECTSOUNDBUFFER8;

class IDirectSound8 : public platform::ComObject {
public:
    HRESULT SetCooperativeLevel(HWND window, DWORD level);
    HRESULT CreateSoundBuffer(LPCDSBUFFERDESC description, LPDIRECTSOUNDBUFFER* result, LPUNKNOWN outer);

private:
    friend HRESULT DirectSoundCreate8(LPCGUID, IDirectSound8**, LPUNKNOWN);
    IDirectSound8();
    ~IDirectSound8() override;
    DWORD m_iLevel = 0;
};
typedef IDirectSound8* LPDIRECTSOUND8;

HRESULT DirectSoundCreate8(LPCGUID device, LPDIRECTSOUND8* result, LPUNKNOWN outer);

#endif
