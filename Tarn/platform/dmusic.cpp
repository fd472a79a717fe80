// DirectMusic over SDL2_mixer's music stream: a segment is a standard MIDI
// file, played by the one synthesiser, or another tune the mixer loads as a
// Mix_Music; the performance plays one segment at a time.
#include "dmusic.h"

#include "midi_check.h"
#include "midi_synth.h"
#include "sdl_audio.h"
#include "testcontrol.h"
#include "tnlog.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstring>
#include <vector>

const CLSID CLSID_DirectMusicLoader = {0xD2AC2892, 0xB39B, 0x11D1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xB1, 0xBD}};
const CLSID CLSID_DirectMusicPerformance = {0xD2AC2881, 0xB39B, 0x11D1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xB1, 0xBD}};
const CLSID CLSID_DirectMusicSegment = {0xD2AC2882, 0xB39B, 0x11D1, {0x87, 0x04, 0x00, 0x60, 0x08, 0x93, 0xB1, 0xBD}};
const IID IID_IDirectMusicLoader8 = {0x19E7C08C, 0x0A44, 0x4E6A, {0xA1, 0x16, 0x59, 0x5A, 0x7C, 0xD5, 0xDE, 0x8C}};
const IID IID_IDirectMusicPerformance8 = {0x679C4137, 0xC62E, 0x4147, {0xB2, 0xB4, 0x9D, 0x56, 0x9A, 0xCB, 0x25, 0x4C}};
const IID IID_IDirectMusicSegment8 = {0xC6784488, 0x41A3, 0x418F, {0xAA, 0x15, 0xB3, 0x50, 0x93, 0xBA, 0x42, 0xD4}};
const GUID GUID_StandardMIDIFile = {0x06621075, 0xE92E, 0x11D1, {0xA8, 0xC5, 0x00, 0xC0, 0x4F, 0xA3, 0x72, 0x6E}};

namespace {

int g_iComUsers = 0;
// SDL2_mixer has one music stream: the segment on it, if any.
IDirectMusicSegment8* g_pkPlaying = nullptr;

// The engine widens each byte of the name; narrowing it back keeps UTF-8
// paths intact.
std::string NarrowName(const WCHAR* name)
{
    std::string narrow;
    for (int i = 0; i < DMUS_MAX_FILENAME && name[i] != 0; ++i)
        narrow.push_back(static_cast<char>(name[i] & 0xFF));
    return narrow;
}

// Tunes are small; anything larger is not one of ours.
const std::size_t kMaxTuneBytes = 4u << 20;

// The whole file, or why it cannot be had.
const char* ReadTune(const std::string& file, std::vector<unsigned char>& bytes)
{
    std::FILE* handle = std::fopen(file.c_str(), "rb");
    if (!handle)
        return "missing";
    unsigned char block[4096];
    std::size_t read = 0;
    while ((read = std::fread(block, 1, sizeof(block), handle)) > 0 && bytes.size() <= kMaxTuneBytes)
        bytes.insert(bytes.end(), block, block + read);
    const bool failed = std::ferror(handle) != 0;
    std::fclose(handle);
    if (failed)
        return "unreadable";
    return bytes.size() > kMaxTuneBytes ? "too large" : nullptr;
}

// The synthesiser takes a file for MIDI by its name alone and then plays
// whatever bytes it holds: a file named so, or starting as one ("MThd", or
// "RIFF" ... "RMID" for the wrapped kind), must be a whole, sound MIDI file.
bool IsMidi(const std::string& file, const std::vector<unsigned char>& bytes)
{
    const bool named = file.size() >= 4 && (file.compare(file.size() - 4, 4, ".mid") == 0 ||
                                            file.compare(file.size() - 4, 4, ".rmi") == 0);
    const bool marked = (bytes.size() >= 4 && std::memcmp(bytes.data(), "MThd", 4) == 0) ||
                        (bytes.size() >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0 &&
                         std::memcmp(bytes.data() + 8, "RMID", 4) == 0);
    return named || marked;
}

} // namespace

// --- Segment ---------------------------------------------------------------

IDirectMusicSegment8::IDirectMusicSegment8(_Mix_Music* music, const std::string& file,
                                           std::vector<unsigned char> midi)
    : m_pkMusic(music), m_strFile(file), m_vMidi(std::move(midi))
{
    ++platform::LiveSoundObjects();
}

IDirectMusicSegment8::~IDirectMusicSegment8()
{
    if (g_pkPlaying == this) {
        Halt();
        g_pkPlaying = nullptr;
        platform::RecordMusic(m_strFile.c_str(), false, false);
    }
    Mix_FreeMusic(m_pkMusic);
    --platform::LiveSoundObjects();
    platform::CloseAudio();
}

void IDirectMusicSegment8::Halt()
{
    if (m_pkMusic)
        Mix_HaltMusic();
    else
        platform::StopMidi();
}

HRESULT IDirectMusicSegment8::SetParam(REFGUID type, DWORD, DWORD, MUSIC_TIME, void*)
{
    if (!IsEqualGUID(type, GUID_StandardMIDIFile))
        return E_INVALIDARG;
    m_bStandardMidi = true;
    return S_OK;
}

HRESULT IDirectMusicSegment8::Download(IDirectMusicPerformance8* performance)
{
    if (!performance || !performance->m_bAudio)
        return DMUS_E_NOT_INIT;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::Download))
        return E_FAIL;
    m_bDownloaded = true;
    return S_OK;
}

HRESULT IDirectMusicSegment8::Unload(IDirectMusicPerformance8* performance)
{
    if (!performance)
        return E_POINTER;
    m_bDownloaded = false;
    return S_OK;
}

HRESULT IDirectMusicSegment8::SetRepeats(DWORD repeats)
{
    m_iRepeats = repeats;
    return S_OK;
}

// --- Loader ----------------------------------------------------------------

IDirectMusicLoader8::IDirectMusicLoader8()
{
    ++platform::LiveSoundObjects();
}

IDirectMusicLoader8::~IDirectMusicLoader8()
{
    --platform::LiveSoundObjects();
}

HRESULT IDirectMusicLoader8::GetObject(DMUS_OBJECTDESC* description, REFIID iid, LPVOID* result)
{
    if (!result)
        return E_POINTER;
    *result = nullptr;
    if (!description || description->dwSize != sizeof(DMUS_OBJECTDESC) || !IsEqualGUID(iid, IID_IDirectMusicSegment8))
        return E_INVALIDARG;
    if (!(description->dwValidData & DMUS_OBJ_FILENAME))
        return DMUS_E_LOADER_NOFILENAME;
    if ((description->dwValidData & DMUS_OBJ_CLASS) && !IsEqualGUID(description->guidClass, CLSID_DirectMusicSegment))
        return E_INVALIDARG;
    std::string file = NarrowName(description->wszFileName);
    std::vector<unsigned char> bytes;
    if (const char* problem = ReadTune(file, bytes)) {
        LogFileProblem(file.c_str(), problem);
        return DMUS_E_LOADER_FAILEDOPEN;
    }
    const bool midi = IsMidi(file, bytes);
    if (midi) {
        const std::string problem = platform::MidiFileProblem(bytes.data(), bytes.size());
        if (!problem.empty()) {
            LogFileProblem(file.c_str(), problem.c_str());
            return DMUS_E_LOADER_FAILEDCREATE;
        }
    }
    if (!platform::OpenAudio())
        return DMUS_E_NOT_INIT;
    if (midi) {
        *result = new IDirectMusicSegment8(nullptr, file, std::move(bytes));
        return S_OK;
    }
    Mix_Music* music = Mix_LoadMUS(file.c_str());
    if (music && Mix_GetMusicType(music) == MUS_MID && !midi) {
        Mix_FreeMusic(music);
        music = nullptr;
    }
    if (!music) {
        LogFileProblem(file.c_str(), "not a tune the mixer can play");
        platform::CloseAudio();
        return DMUS_E_LOADER_FAILEDCREATE;
    }
    *result = new IDirectMusicSegment8(music, file, {});
    return S_OK;
}

HRESULT IDirectMusicLoader8::ReleaseObjectByUnknown(IDirectMusicSegment8* object)
{
    // The loader keeps no cache: there is nothing of the object to forget.
    return object ? S_OK : E_POINTER;
}

// --- Performance -------------------------------------------------------------

IDirectMusicPerformance8::IDirectMusicPerformance8()
{
    ++platform::LiveSoundObjects();
}

IDirectMusicPerformance8::~IDirectMusicPerformance8()
{
    CloseDown();
    --platform::LiveSoundObjects();
}

HRESULT IDirectMusicPerformance8::InitAudio(void**, void**, HWND, DWORD, DWORD, DWORD, void*)
{
    if (m_bAudio)
        return S_OK;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::InitAudio) || !platform::OpenAudio())
        return E_FAIL;
    platform::OnAudioRestored(&RestartMusic);
    m_bAudio = true;
    return S_OK;
}

HRESULT IDirectMusicPerformance8::PlaySegmentEx(IDirectMusicSegment8* segment, WCHAR*, void*, DWORD, LONGLONG,
                                                void** state, void*, void*)
{
    if (state)
        *state = nullptr;
    if (!m_bAudio)
        return DMUS_E_NOT_INIT;
    if (!segment)
        return E_POINTER;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::PlaySegmentEx))
        return E_FAIL;
    if (!PlayFromStart(segment))
        return E_FAIL;
    g_pkPlaying = segment;
    return S_OK;
}

bool IDirectMusicPerformance8::PlayFromStart(IDirectMusicSegment8* segment)
{
    bool forever = segment->m_iRepeats == DMUS_SEG_REPEAT_INFINITE;
    int plays = forever ? -1 : static_cast<int>(segment->m_iRepeats < 0x7FFFFFFE ? segment->m_iRepeats + 1 : 0x7FFFFFFF);
    const bool playing = segment->m_pkMusic ? Mix_PlayMusic(segment->m_pkMusic, plays) == 0
                                            : platform::PlayMidi(segment->m_vMidi.data(), segment->m_vMidi.size(),
                                                                 plays);
    if (!playing)
        return false;
    platform::RecordMusic(segment->m_strFile.c_str(), true, forever);
    return true;
}

void IDirectMusicPerformance8::RestartMusic()
{
    // The synthesiser plays on where a lost output left it; a tune the mixer
    // loaded was stopped with the output and starts again.
    if (g_pkPlaying && g_pkPlaying->m_pkMusic)
        PlayFromStart(g_pkPlaying);
}

HRESULT IDirectMusicPerformance8::Stop(IDirectMusicSegment8* segment, void*, MUSIC_TIME, DWORD)
{
    if (!m_bAudio)
        return DMUS_E_NOT_INIT;
    if (g_pkPlaying && (!segment || segment == g_pkPlaying)) {
        g_pkPlaying->Halt();
        platform::RecordMusic(g_pkPlaying->m_strFile.c_str(), false, false);
        g_pkPlaying = nullptr;
    }
    return S_OK;
}

HRESULT IDirectMusicPerformance8::CloseDown()
{
    if (!m_bAudio)
        return S_OK;
    Stop(nullptr, nullptr, 0, 0);
    m_bAudio = false;
    platform::CloseAudio();
    return S_OK;
}

// --- COM -------------------------------------------------------------------

HRESULT CoInitialize(LPVOID)
{
    return g_iComUsers++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize()
{
    if (g_iComUsers > 0)
        --g_iComUsers;
}

HRESULT CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD, REFIID iid, LPVOID* result)
{
    if (!result)
        return E_POINTER;
    *result = nullptr;
    if (outer)
        return E_INVALIDARG;
    if (IsEqualGUID(classId, CLSID_DirectMusicLoader) && IsEqualGUID(iid, IID_IDirectMusicLoader8))
        *result = new IDirectMusicLoader8();
    else if (IsEqualGUID(classId, CLSID_DirectMusicPerformance) && IsEqualGUID(iid, IID_IDirectMusicPerformance8))
        *result = new IDirectMusicPerformance8();
    else
        return REGDB_E_CLASSNOTREG;
    return S_OK;
}
