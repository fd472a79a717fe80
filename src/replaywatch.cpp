#include "replaywatch.h"

void ReplayWatch::Begin(tnUInt16 level)
{
    m_iLevel = level;
    m_iLevels = 1;
    m_ePrevious = MyGame::GameRunning;
    m_eEnding = Replay::Ending::Unfinished;
}

ReplayWatch::Event ReplayWatch::Observe(const MyGame& game)
{
    const MyGame::GameState state = game.GetState();
    const MyGame::GameState previous = m_ePrevious;
    m_ePrevious = state;
    if (HasEnded())
        return Nothing;
    // Game over lasts until the menu comes back, the score written.
    if (previous == MyGame::GameLost && state == MyGame::GameMenu) {
        m_eEnding = Replay::Ending::GameOver;
        return Ended;
    }
    if (state == MyGame::GameComplete) {
        m_eEnding = Replay::Ending::Completed;
        return Ended;
    }
    if (state == MyGame::GameRunning && game.GetLevel() != m_iLevel) {
        m_iLevel = game.GetLevel();
        ++m_iLevels;
        return LevelStarted;
    }
    return Nothing;
}

Replay::Outcome ReplayWatch::Outcome(const MyGame& game, Replay::Ending ending) const
{
    Replay::Outcome outcome;
    outcome.levels = m_iLevels;
    outcome.gold = game.GetGold();
    outcome.lives = game.GetLives();
    outcome.ending = HasEnded() ? m_eEnding : ending;
    return outcome;
}
