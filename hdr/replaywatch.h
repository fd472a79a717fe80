#ifndef REPLAYWATCH_H
#define REPLAYWATCH_H

#include "mygame.h"
#include "replayfile.h"

// Follows a game from frame to frame to tell when a new level begins and
// when the game is over, the same way for a recording and its playback.
class ReplayWatch {
public:
    enum Event { Nothing, LevelStarted, Ended };

    void Begin(tnUInt16 level);
    // After a frame.
    Event Observe(const MyGame& game);
    // How it stands now; `ending` unless the game has ended by itself.
    Replay::Outcome Outcome(const MyGame& game, Replay::Ending ending) const;
    bool HasEnded() const { return m_eEnding != Replay::Ending::Unfinished; }

private:
    tnUInt16 m_iLevel = 0;
    tnUInt16 m_iLevels = 0;
    MyGame::GameState m_ePrevious = MyGame::GameRunning;
    Replay::Ending m_eEnding = Replay::Ending::Unfinished;
};

#endif
