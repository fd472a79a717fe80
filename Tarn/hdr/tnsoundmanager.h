#ifndef TNSOUNDMANAGER_H
#define TNSOUNDMANAGER_H

#include "dsound.h"
#include "tnerror.h"

// Owns the DirectSound object that every sound buffer is made from. One per
// process.
class tnSoundManager {
public:
    tnSoundManager();
    ~tnSoundManager();
    tnSoundManager(const tnSoundManager&) = delete;
    tnSoundManager& operator=(const tnSoundManager&) = delete;

    tnError32 Init(HWND window);
    IDirectSound8* GetSound() const { return m_pkSound; }
    static tnSoundManager* GetSingleton();
    // Safe to call more than once.
    void CleanUp();

private:
    IDirectSound8* m_pkSound;

    static tnSoundManager* m_pkSingleton;
};

#endif
