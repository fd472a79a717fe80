// A level's game section against the spawner and the play step: any level
// the loader accepts must start (the farmer placed, its fruits and traps
// spawned, without hanging) and play a second and a half with every cell of
// the field referring only to live fruits and traps.
#include "cellcheck.h"
#include "fuzzgame.h"

#include <filesystem>

namespace {

// The game's own animation texts give every sample its size, as in play.
void LoadAnimations(FuzzGame& fuzz)
{
    static const bool loaded = [&] {
        std::error_code ignored;
        for (const char* file : {"Player.txt", "targets.txt", "traps.txt"})
            std::filesystem::copy_file(std::string(GROVEKEEP_GAME_DIR) + "/Data/" + file,
                                       fuzzfolder::Root() + "/Data/" + file,
                                       std::filesystem::copy_options::overwrite_existing, ignored);
        fuzzfolder::InBin inBin;
        return fuzz.probe.LoadAnimationSets() == tnOK;
    }();
    if (!loaded)
        fuzzfolder::Fail("the game's animation texts do not load");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzGame& fuzz = FuzzGame::Get();
    LoadAnimations(fuzz);
    fuzzfolder::InBin inBin;
    fuzzfolder::Write("Data/Level1.dat", data, size);
    fuzz.probe.Map().CleanUp();
    if (!fuzz.game.LoadLevel(1))
        return 0;
    fuzz.game.NewGame();
    if (fuzz.probe.State() != MyGame::GameRunning)
        return 0; // no cell for the farmer: back to the menu
    fuzz.probe.Snake().SetDirection(ANIMATION_DATA::EAST);
    for (int step = 0; step < 45 && fuzz.probe.State() == MyGame::GameRunning; ++step) {
        fuzz.probe.ProcessFrame(1.0f / 30.0f);
        if (!CellReferenceFault(fuzz.probe).empty())
            fuzzfolder::Fail(CellReferenceFault(fuzz.probe).c_str());
    }
    return 0;
}
