#ifndef PLATFORM_DMUSIC_H
#define PLATFORM_DMUSIC_H

// DirectMusic, the part the engine's music player uses: a loader that makes
// a segment from a music file (a standard MIDI file is played by FluidSynth
// with a General MIDI soundfont), and a performance that plays one segment
// at a time, repeating it as often as the segment says, until stopped.

#include "comobject.h"
#include "win32.h"

#include <string>
#include <vector>

typedef wchar_t WCHAR;
typedef LONG MUSIC_TIME;
typedef LONGLONG REFERENCE_TIME;

#define CLSCTX_INPROC 3
#define DMUS_MAX_FILENAME 260
#define DMUS_OBJ_OBJECT 0x00000001
#define DMUS_OBJ_CLASS 0x00000002
#define DMUS_OBJ_FILENAME 0x00000010
#define DMUS_OBJ_FULLPATH 0x00000020
#define DMUS_APATH_SHARED_STEREOPLUSREVERB 1
#define DMUS_AUDIOF_ALL 0x3F
#define DMUS_SEG_REPEAT_INFINITE 0xFFFFFFFF

#define DMUS_E_NOT_INIT HResultFromBits(0x88781203u)
#define DMUS_E_LOADER_FAILEDOPEN HResultFromBits(0x88781187u)
#define DMUS_E_LOADER_FAILEDCREATE HResultFromBits(0x88781188u)
#define DMUS_E_LOADER_NOFILENAME HResultFromBits(0x88781185u)
#define REGDB_E_CLASSNOTREG HResultFromBits(0x80040154u)

extern const CLSID CLSID_DirectMusicLoader;
extern const CLSID CLSID_DirectMusicPerformance;
extern const CLSID CLSID_DirectMusicSegment;
extern const IID IID_IDirectMusicLoader8;
extern const IID IID_IDirectMusicPerformance8;
extern const IID IID_IDirectMusicSegment8;
extern const GUID GUID_StandardMIDIFile;

struct DMUS_OBJECTDESC {
    DWORD dwSize;
    DWORD dwValidData;
    GUID guidObject;
    GUID guidClass;
    WCHAR wszFileName[DMUS_MAX_FILENAME];
};

struct _Mix_Music;
class IDirectMusicPerformance8;

class IDirectMusicSegment8 : public platform::ComObject {
public:
    // GUID_StandardMIDIFile marks the segment as a standard MIDI file.
    HRESULT SetParam(REFGUID type, DWORD group, DWORD index, MUSIC_TIME time, void* data);
    HRESULT Download(IDirectMusicPerformance8* performance);
    HRESULT Unload(IDirectMusicPerformance8* performance);
    HRESULT SetRepeats(DWORD repeats);

private:
    friend class IDirectMusicLoader8;
    friend class IDirectMusicPerformance8;
    IDirectMusicSegment8(_Mix_Music* music, const std::string& file, std::vector<unsigned char> midi);
    ~IDirectMusicSegment8() override;
    // Stops the segment where it plays: the synthesiser or the mixer's stream.
    void Halt();

    _Mix_Music* m_pkMusic; // null for a MIDI file
    std::string m_strFile;
    std::vector<unsigned char> m_vMidi; // the whole file, checked
    DWORD m_iRepeats = 0;
    bool m_bStandardMidi = false;
    bool m_bDownloaded = false;
};

class IDirectMusicLoader8 : public platform::ComObject {
public:
    // Loads the file that the description names (DMUS_OBJ_FILENAME) as a
    // segment.
    HRESULT GetObject(DMUS_OBJECTDESC* description, REFIID iid, LPVOID* result);
    HRESULT ReleaseObjectByUnknown(IDirectMusicSegment8* object);

private:
    friend HRESULT CoCreateInstance(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    IDirectMusicLoader8();
    ~IDirectMusicLoader8() override;
};

class IDirectMusicPerformance8 : public platform::ComObject {
public:
    HRESULT InitAudio(void** music, void** sound, HWND window, DWORD pathType, DWORD channels, DWORD flags,
                      void* parameters);
    HRESULT PlaySegmentEx(IDirectMusicSegment8* segment, WCHAR* name, void* transition, DWORD flags,
                          LONGLONG startTime, void** state, void* from, void* audioPath);
    // Stops the segment (all music with a null segment).
    HRESULT Stop(IDirectMusicSegment8* segment, void* state, MUSIC_TIME time, DWORD flags);
    HRESULT CloseDown();

private:
    // Starts the segment from its beginning: what playing a segment does.
    static bool PlayFromStart(IDirectMusicSegment8* segment);
    // The output came back after it was lost: the tune plays again.
    static void RestartMusic();
    friend HRESULT CoCreateInstance(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    friend class IDirectMusicSegment8;
    IDirectMusicPerformance8();
    ~IDirectMusicPerformance8() override;

    bool m_bAudio = false;
};

HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();
HRESULT CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* result);

#endif
