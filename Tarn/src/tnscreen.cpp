#include "tnscreen.h"

#include <cassert>

tnScreen* tnScreen::m_pkSingleton = nullptr;

tnScreen::tnScreen()
    : tnScreen(nullptr)
{
}

tnScreen::tnScreen(HWND window)
    : m_hWindow(window), m_iFPS(0), m_bReady(false)
{
    assert(!m_pkSingleton);
    m_pkSingleton = this;
}

tnScreen::~tnScreen()
{
    if (m_pkSingleton == this)
        m_pkSingleton = nullptr;
}

tnScreen* tnScreen::GetSingleton()
{
    assert(m_pkSingleton);
    return m_pkSingleton;
}

tnError32 tnScreen::RecoverDevice()
{
    return tnOK;
}

void tnScreen::CleanUp()
{
    m_iFPS = 0;
    if (m_pkSingleton == this)
        m_pkSingleton = nullptr;
}

tnError32 tnScreen::StartFrame()
{
    return tnOK;
}

tnError32 tnScreen::EndFrame()
{
    return tnOK;
}

tnError32 tnScreen::Clear(tnUInt32, const void*)
{
    return tnOK;
}
