#ifndef REPLAYPLAYER_H
#define REPLAYPLAYER_H

#include "replayfile.h"
#include "replaysession.h"
#include "replaywatch.h"

#include <string>

// Plays a recorded game back: once the program has reached its menu, the
// game starts as the recorded one was picked, and from then on each frame
// gets the recorded step, pointer and device reads and the recorded seconds
// wherever spawning reads the clock. After each 30th frame the game state's
// digest is compared with the recorded one; the first that differs is kept.
class ReplayPlayer : public ReplaySession {
public:
    enum Verdict { Same = 0, Different = 1, Unplayable = 2 };

    explicit ReplayPlayer(const Replay::File& file);

    bool BeginFrame(MyGame& game, tnReal32& step) override;
    bool EndFrame(MyGame& game) override;
    void OnLevelPicked(MyGame&, tnUInt16) override {}
    bool OnFocusLost() override { return false; }
    tnUInt32 OnSeconds(tnUInt32 seconds) override;
    void Finish(MyGame&) override {}
    tnError32 OnKeyboard(tnError32 result, const tnUInt8* before, tnUInt8* state) override;
    tnError32 OnMouse(tnError32 result, const DIDEVICEOBJECTDATA* before, DIDEVICEOBJECTDATA* slots) override;

    bool IsDone() const { return m_bDone; }
    Verdict GetVerdict() const;
    const Replay::Outcome& GetOutcome() const { return m_kOutcome; }
    // What went wrong, empty when nothing did: the first frame and field that
    // differ, or why the game could not start.
    const std::string& GetDifference() const { return m_strDifference; }

private:
    bool IsPlaying() const { return m_bStarted && !m_bDone; }
    bool StartGame(MyGame& game);
    void CompareDigest(MyGame& game);
    void End(MyGame& game);
    void Differs(const std::string& what);
    const Replay::Frame& Current() const { return m_kFile.frames[m_iFrame]; }

    const Replay::File& m_kFile;
    ReplayWatch m_kWatch;
    Replay::Outcome m_kOutcome;
    std::string m_strDifference;
    bool m_bStarted = false;
    bool m_bDone = false;
    bool m_bUnplayable = false;
    std::size_t m_iFrame = 0;
    std::size_t m_iDigest = 0;
    tnUInt32 m_iKeyReads = 0;     // of the frame going on
    tnUInt32 m_iMouseReads = 0;
    tnUInt32 m_iSecondsReads = 0;
    tnUInt32 m_iSeconds = 1;      // as the recording last said
    tnUInt8 m_aKeys[KeyCount] = {}; // the recorded keyboard's state
};

#endif
