#include "gamechance.h"

#include "tntimer.h"

#include <cstdlib>

namespace {
std::uint64_t g_iDrawn = 0;

GameChance::SecondsTap& Tap()
{
    static GameChance::SecondsTap tap;
    return tap;
}
} // namespace

int GameChance::Random()
{
    ++g_iDrawn;
    return std::rand();
}

std::uint64_t GameChance::Drawn()
{
    return g_iDrawn;
}

void GameChance::Restart()
{
    // An unseeded generator is one seeded with 1.
    std::srand(1);
    g_iDrawn = 0;
}

void GameChance::Skip(std::uint64_t count)
{
    for (std::uint64_t i = 0; i < count; ++i)
        Random();
}

tnUInt32 GameChance::Seconds()
{
    g_kTimer.UpdateLocalTime();
    const tnUInt32 seconds = g_kTimer.GetSeconds();
    return Tap() ? Tap()(seconds) : seconds;
}

void GameChance::SetSecondsTap(SecondsTap tap)
{
    Tap() = std::move(tap);
}
