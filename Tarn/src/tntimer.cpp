#include "tntimer.h"

#include "win32.h"

tnTimer g_kTimer;

tnTimer::tnTimer()
{
}

tnTimer::~tnTimer()
{
    m_iLastTime = 0;
    m_iStartTime = 0;
    m_iPauseTime = 0;
}

std::int64_t tnTimer::Now()
{
    LARGE_INTEGER counter;
    counter.QuadPart = 0;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

double tnTimer::ToSeconds(std::int64_t ticks) const
{
    // Before a successful Init there is no frequency; report no time rather
    // than divide by zero.
    if (m_iFrequency == 0)
        return 0.0;
    return static_cast<double>(ticks) / static_cast<double>(m_iFrequency);
}

tnError32 tnTimer::Init()
{
    LARGE_INTEGER frequency;
    frequency.QuadPart = 0;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0)
        return tnErrorTimer;
    m_iFrequency = frequency.QuadPart;
    return tnOK;
}

void tnTimer::Start()
{
    std::int64_t now = Now();
    if (m_bStopped)
        m_iStartTime += now - m_iPauseTime;
    else if (m_iStartTime == 0)
        m_iStartTime = now;
    m_iPauseTime = 0;
    m_iLastTime = now;
    m_bStopped = false;
}

void tnTimer::Reset()
{
    std::int64_t now = Now();
    m_iStartTime = now;
    m_iLastTime = now;
    m_iPauseTime = 0;
    m_bStopped = false;
}

void tnTimer::Stop()
{
    std::int64_t now = Now();
    m_iPauseTime = now;
    m_iLastTime = now;
    m_bStopped = true;
}

void tnTimer::Update()
{
    std::int64_t now = Now();
    m_iDeltaTime = now - m_iLastTime;
    m_iLastTime = now;
}

double tnTimer::GetDelta() const
{
    return ToSeconds(m_iDeltaTime);
}

double tnTimer::GetAbsoluteTime() const
{
    return ToSeconds(Now());
}

double tnTimer::GetElapsed() const
{
    return ToSeconds(Now() - m_iStartTime);
}

void tnTimer::UpdateLocalTime()
{
    std::time_t now = WallClockTime();
    std::tm* local = std::localtime(&now);
    if (local) {
        m_kLocalTime = *local;
        m_pkLocalTime = &m_kLocalTime;
    }
}

tnUInt32 tnTimer::GetSeconds() const
{
    return m_pkLocalTime ? static_cast<tnUInt32>(m_pkLocalTime->tm_sec) : 0;
}

tnInt32 tnTimer::GetMinutes() const
{
    return m_pkLocalTime ? m_pkLocalTime->tm_min : 0;
}

tnInt32 tnTimer::GetHours() const
{
    return m_pkLocalTime ? m_pkLocalTime->tm_hour : 0;
}

tnInt32 tnTimer::GetDay() const
{
    return m_pkLocalTime ? m_pkLocalTime->tm_mday : 0;
}

tnInt32 tnTimer::GetMonth() const
{
    return m_pkLocalTime ? m_pkLocalTime->tm_mon : 0;
}

tnInt32 tnTimer::GetYear() const
{
    return m_pkLocalTime ? m_pkLocalTime->tm_year : 0;
}
