#include "tnsoundmanager.h"

#include <cassert>

tnSoundManager* tnSoundManager::m_pkSingleton = nullptr;

tnSoundManager::tnSoundManager()
    : m_pkSound(nullptr)
{
    assert(!m_pkSingleton);
    m_pkSingleton = this;
}

tnSoundManager::~tnSoundManager()
{
    CleanUp();
}

tnError32 tnSoundManager::Init(HWND window)
{
    if (m_pkSound) { // a second Init must not leak the first device
        m_pkSound->Release();
        m_pkSound = nullptr;
    }
    DirectSoundCreate8(nullptr, &m_pkSound, nullptr);
    if (!m_pkSound)
        return tnErrorNoSoundDevice;
    if (FAILED(m_pkSound->SetCooperativeLevel(window, DSSCL_NORMAL)))
        return tnErrorSoundCooperativeLevel;
    return tnOK;
}

tnSoundManager* tnSoundManager::GetSingleton()
{
    assert(m_pkSingleton);
    return m_pkSingleton;
}

void tnSoundManager::CleanUp()
{
    if (m_pkSound) {
        m_pkSound->Release();
        m_pkSound = nullptr;
    }
    if (m_pkSingleton == this)
        m_pkSingleton = nullptr;
}
