#include "headlessprogram.h"

#include "gamefolders.h"

#include "tnlog.h"
#include "tntimer.h"

bool HeadlessProgram::Start()
{
    OpenLog(GameFolders::LogFile().c_str());
    if (g_kTimer.Init() != tnOK)
        return false;
    g_kTimer.Start();
    m_pkWindow = std::make_unique<ApplicationWindow>(1024, 768);
    m_pkWindow->Create(nullptr, "Grovekeep", WS_POPUP | WS_VISIBLE | WS_SYSMENU, 101, 1024, 768);
    m_pkProbe = std::make_unique<MyGameProbe>(m_pkWindow->GetGame());
    if (!m_pkWindow->GetHandle() || m_pkWindow->Init() != tnOK)
        return false;
    m_pkWindow->Show(SW_SHOWDEFAULT);
    return true;
}

HeadlessProgram::~HeadlessProgram()
{
    if (m_pkWindow) {
        m_pkWindow->Shutdown();
        DestroyWindow(m_pkWindow->GetHandle());
    }
    m_pkProbe.reset();
    m_pkWindow.reset();
    CloseLog();
}
