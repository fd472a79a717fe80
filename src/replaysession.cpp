#include "replaysession.h"

#include "gamechance.h"

namespace {
ReplaySession* g_pkCurrent = nullptr;
}

ReplaySession::~ReplaySession()
{
    Uninstall();
}

void ReplaySession::Install()
{
    g_pkCurrent = this;
    tnInputTap::Set(this);
    GameChance::SetSecondsTap([this](tnUInt32 seconds) { return OnSeconds(seconds); });
}

void ReplaySession::Uninstall()
{
    if (g_pkCurrent != this)
        return;
    g_pkCurrent = nullptr;
    tnInputTap::Set(nullptr);
    GameChance::SetSecondsTap(nullptr);
}

ReplaySession* ReplaySession::Current()
{
    return g_pkCurrent;
}
