#ifndef REPLAYRECORDER_H
#define REPLAYRECORDER_H

#include "replaysession.h"
#include "replaywatch.h"
#include "replaywriter.h"

#include <memory>
#include <string>

// Records every game, from the level picked until it is over (or another is
// picked, or the program ends), trips to the menu and back included, into
// the replay folder. The file is saved as the other saved files are, at
// each level's end and at the game's end, so a crash leaves the game up to
// its last level. A disk that refuses costs one line in the log; play goes
// on as ever.
class ReplayRecorder : public ReplaySession {
public:
    ReplayRecorder() = default;

    bool BeginFrame(MyGame& game, tnReal32& step) override;
    bool EndFrame(MyGame& game) override;
    void OnLevelPicked(MyGame& game, tnUInt16 level) override;
    bool OnFocusLost() override;
    tnUInt32 OnSeconds(tnUInt32 seconds) override;
    void Finish(MyGame& game) override;
    tnError32 OnKeyboard(tnError32 result, const tnUInt8* before, tnUInt8* state) override;
    tnError32 OnMouse(tnError32 result, const DIDEVICEOBJECTDATA* before, DIDEVICEOBJECTDATA* slots) override;

    bool IsRecording() const { return m_pkWriter != nullptr; }
    // The file of the game recorded now, or of the last one.
    const std::string& File() const { return m_strFile; }

private:
    void StartFrame();
    void Save(MyGame& game, Replay::Ending ending);
    void Stop(MyGame& game, Replay::Ending ending);

    std::unique_ptr<ReplayWriter> m_pkWriter; // null while no game is recorded
    Replay::Frame m_kFrame;                   // the frame going on
    ReplayWatch m_kWatch;
    std::string m_strFile;
    tnReal32 m_fStep = 0.0f;      // of the frame going on, recorded or not
    bool m_bFocusLost = false;    // since the last frame
    tnUInt32 m_iSecondsReads = 0; // in the frame going on
    tnInt32 m_iLastSeconds = -1;  // the seconds last recorded
    tnUInt32 m_iTopScore = 0;     // when the game began
};

#endif
