#ifndef REPLAYSESSION_H
#define REPLAYSESSION_H

#include "tninputtap.h"

class MyGame;

// A recording or a playback, looking over the frame loop's shoulder: it
// sees each frame begin and end, every device read (as the input tap), the
// clock's seconds where spawning reads them, a level picked from the list
// and the window going to the background. At most one is installed.
class ReplaySession : public tnInputTap {
public:
    ReplaySession() = default;
    ReplaySession(const ReplaySession&) = delete;
    ReplaySession& operator=(const ReplaySession&) = delete;
    ~ReplaySession() override;

    // Puts this session in charge (and out again on destruction).
    void Install();
    void Uninstall();
    static ReplaySession* Current();

    // Before the frame's game step, which it may change; false when the
    // session has done the frame's game work itself.
    virtual bool BeginFrame(MyGame& game, tnReal32& step) = 0;
    // After the frame is drawn; false ends the program.
    virtual bool EndFrame(MyGame& game) = 0;
    // Called before the picked level loads.
    virtual void OnLevelPicked(MyGame& game, tnUInt16 level) = 0;
    // The window went to the background; false keeps the game from hearing it.
    virtual bool OnFocusLost() = 0;
    // The seconds spawning is to use, given what the clock shows.
    virtual tnUInt32 OnSeconds(tnUInt32 seconds) = 0;
    // The program is ending.
    virtual void Finish(MyGame& game) = 0;
};

#endif
