#ifndef TNMIDIPLAY_H
#define TNMIDIPLAY_H

#include "dmusic.h"
#include "dsound.h"
#include "tnerror.h"

// Background music: one piece at a time, looping until stopped.
class tnMidiPlay {
public:
    enum PlayStatus { OFF = 0, STOPPED = 1, PLAYING = 2 };

    tnMidiPlay();
    ~tnMidiPlay();
    tnMidiPlay(const tnMidiPlay&) = delete;
    tnMidiPlay& operator=(const tnMidiPlay&) = delete;

    // All return tnOK, or tnNotOK with the status unchanged.
    tnError32 Init(IDirectSound8* sound, HWND window);
    tnError32 PlaySong(const char* fileName);
    tnError32 StopSong();
    // Starts the current song again from its beginning.
    tnError32 ContinueSong();
    PlayStatus GetPlayStatus() const { return m_eStatus; }
    // Safe to call more than once; Init may follow.
    tnError32 CleanUp();

private:
    void ReleaseSegment();

    IDirectSound8* m_pkSound; // kept, not owned
    IDirectMusicPerformance8* m_pkPerformance;
    IDirectMusicLoader8* m_pkLoader;
    IDirectMusicSegment8* m_pkSegment;
    PlayStatus m_eStatus;
};

#endif
