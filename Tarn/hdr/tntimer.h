#ifndef TNTIMER_H
#define TNTIMER_H

#include "tnerror.h"

#include <cstdint>
#include <ctime>

// High-resolution timer over the performance counter, plus the local
// calendar time the game uses for its random spawning.
class tnTimer {
public:
    tnTimer();
    ~tnTimer();

    tnError32 Init();
    void Start();
    void Reset();
    void Stop();
    bool IsStopped() const { return m_bStopped; }
    void Update();

    double GetDelta() const;       // seconds between the last two Updates
    double GetAbsoluteTime() const; // seconds on the counter now
    double GetElapsed() const;     // seconds since Start, stopped time excluded

    void UpdateLocalTime();
    // The calendar getters read the time taken by the last UpdateLocalTime.
    tnUInt32 GetSeconds() const;
    tnInt32 GetMinutes() const;
    tnInt32 GetHours() const;
    tnInt32 GetDay() const;
    tnInt32 GetMonth() const;
    tnInt32 GetYear() const;

    std::int64_t GetFrequency() const { return m_iFrequency; }
    std::int64_t GetStartTime() const { return m_iStartTime; }
    std::int64_t GetPauseTime() const { return m_iPauseTime; }
    std::int64_t GetLastTime() const { return m_iLastTime; }

private:
    static std::int64_t Now();
    double ToSeconds(std::int64_t ticks) const;

    std::int64_t m_iFrequency = 0;
    std::int64_t m_iLastTime = 0;
    std::int64_t m_iStartTime = 0; // 0 while timing has not started
    std::int64_t m_iPauseTime = 0; // 0 while running
    std::int64_t m_iDeltaTime = 0;
    std::tm m_kLocalTime = {};     // a copy, so a later localtime call elsewhere cannot change it
    std::tm* m_pkLocalTime = nullptr;
    bool m_bStopped = false;
};

extern tnTimer g_kTimer;

#endif
