#include "tnmidiplay.h"

#include <cstring>

tnMidiPlay::tnMidiPlay()
    : m_pkSound(nullptr), m_pkPerformance(nullptr), m_pkLoader(nullptr), m_pkSegment(nullptr), m_eStatus(OFF)
{
}

tnMidiPlay::~tnMidiPlay()
{
    CleanUp();
}

tnError32 tnMidiPlay::Init(IDirectSound8* sound, HWND)
{
    CleanUp(); // a second Init must not leak the first performance
    CoInitialize(nullptr);
    m_pkSound = sound;
    void* object = nullptr;
    CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC, IID_IDirectMusicLoader8, &object);
    m_pkLoader = static_cast<IDirectMusicLoader8*>(object);
    object = nullptr;
    CoCreateInstance(CLSID_DirectMusicPerformance, nullptr, CLSCTX_INPROC, IID_IDirectMusicPerformance8, &object);
    m_pkPerformance = static_cast<IDirectMusicPerformance8*>(object);
    if (!m_pkLoader || !m_pkPerformance)
        return tnNotOK;
    HRESULT result = m_pkPerformance->InitAudio(nullptr, nullptr, nullptr, DMUS_APATH_SHARED_STEREOPLUSREVERB, 128,
                                                DMUS_AUDIOF_ALL, nullptr);
    return FAILED(result) ? tnNotOK : tnOK;
}

void tnMidiPlay::ReleaseSegment()
{
    if (!m_pkSegment)
        return;
    if (m_pkLoader)
        m_pkLoader->ReleaseObjectByUnknown(m_pkSegment);
    if (m_pkPerformance)
        m_pkSegment->Unload(m_pkPerformance);
    m_pkSegment->Release();
    m_pkSegment = nullptr;
}

tnError32 tnMidiPlay::PlaySong(const char* fileName)
{
    if (!fileName || !m_pkLoader || !m_pkPerformance)
        return tnNotOK;
    if (m_eStatus == PLAYING)
        StopSong();
    DMUS_OBJECTDESC description;
    std::memset(&description, 0, sizeof(description));
    description.dwSize = sizeof(DMUS_OBJECTDESC);
    description.dwValidData = DMUS_OBJ_CLASS | DMUS_OBJ_FILENAME | DMUS_OBJ_FULLPATH;
    description.guidClass = CLSID_DirectMusicSegment;
    // Each byte widened: the loader narrows the name back unchanged.
    for (int i = 0; i < DMUS_MAX_FILENAME - 1 && fileName[i] != 0; ++i)
        description.wszFileName[i] = static_cast<WCHAR>(static_cast<unsigned char>(fileName[i]));

    // The old segment goes, also one that a failed load left behind in OFF.
    ReleaseSegment();
    void* segment = nullptr;
    if (FAILED(m_pkLoader->GetObject(&description, IID_IDirectMusicSegment8, &segment)))
        return tnNotOK;
    m_pkSegment = static_cast<IDirectMusicSegment8*>(segment);
    if (std::strstr(fileName, ".mid") &&
        FAILED(m_pkSegment->SetParam(GUID_StandardMIDIFile, 0xFFFFFFFF, 0, 0, nullptr)))
        return tnNotOK;
    if (FAILED(m_pkSegment->Download(m_pkPerformance)))
        return tnNotOK;
    m_pkSegment->SetRepeats(DMUS_SEG_REPEAT_INFINITE);
    if (FAILED(m_pkPerformance->PlaySegmentEx(m_pkSegment, nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr)))
        return tnNotOK;
    m_eStatus = PLAYING;
    return tnOK;
}

tnError32 tnMidiPlay::StopSong()
{
    if (!m_pkPerformance || FAILED(m_pkPerformance->Stop(m_pkSegment, nullptr, 0, 0)))
        return tnNotOK;
    m_eStatus = STOPPED;
    return tnOK;
}

tnError32 tnMidiPlay::ContinueSong()
{
    if (!m_pkPerformance || !m_pkSegment ||
        FAILED(m_pkPerformance->PlaySegmentEx(m_pkSegment, nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr)))
        return tnNotOK;
    m_eStatus = PLAYING;
    return tnOK;
}

tnError32 tnMidiPlay::CleanUp()
{
    if (m_eStatus == PLAYING)
        StopSong();
    ReleaseSegment();
    if (m_pkPerformance) {
        m_pkPerformance->CloseDown();
        m_pkPerformance->Release();
        m_pkPerformance = nullptr;
    }
    if (m_pkLoader) {
        m_pkLoader->Release();
        m_pkLoader = nullptr;
    }
    m_eStatus = OFF;
    m_pkSound = nullptr;
    return tnOK;
}
