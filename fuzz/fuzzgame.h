#ifndef FUZZ_FUZZGAME_H
#define FUZZ_FUZZGAME_H

#include "fuzzfolder.h"
#include "mygame.h"
#include "mygameprobe.h"

// One game for the whole process, without a device; each input runs with
// the fuzz folder's bin/ as the working directory (see InBin), so that the
// game's "../Data/..." files are the harness's. Its field
// is set to the size the screen's layout gives every level (27 x 23).
struct FuzzGame {
    MyGame& game;
    MyGameProbe probe;

    static FuzzGame& Get()
    {
        static FuzzGame* instance = [] {
            MyGame* game = new MyGame();
            return new FuzzGame{*game, MyGameProbe(*game)};
        }();
        instance->probe.XGrids() = 27;
        instance->probe.YGrids() = 23;
        return *instance;
    }
};

#endif
