// A level file as MyGame::LoadLevel reads it: the game section checked
// against the field and the samples, then the map part. Each input is the
// first level of a new game, so the map's cells are made from it.
#include "fuzzgame.h"

#include <cstring>

namespace {

// A fresh game has this many fruit pictures, and this many trap pictures
// plus the one every level may name beyond them.
const tnUInt32 kFruitSamples = 40;
const tnUInt32 kTrapSamples = 17;

void CheckSamples(const tnVector<tnUInt16>& samples, tnUInt32 count, tnUInt32 limit)
{
    if (samples.size() != count)
        fuzzfolder::Fail("the sample list and its count differ");
    for (tnUInt32 i = 0; i < samples.size(); ++i)
        if (samples[i] >= limit)
            fuzzfolder::Fail("an accepted level names a sample the game has no picture for");
}

void CheckAccepted(FuzzGame& fuzz)
{
    tnMap& map = fuzz.probe.Map();
    if (map.GetLayers() != 1 || map.GetWidth() != 27 || map.GetHeight() != 23 || !map.GetMapDataPtr(0, 26, 22))
        fuzzfolder::Fail("an accepted level's map is not the field");
    CheckSamples(fuzz.probe.FruitList(), fuzz.probe.AvailableTargets(), kFruitSamples);
    CheckSamples(fuzz.probe.ObjectList(), fuzz.probe.AvailableTraps(), kTrapSamples);
    if (strnlen(fuzz.probe.CurrentMusic(), MyGame::MusicNameSize) == MyGame::MusicNameSize)
        fuzzfolder::Fail("the music name is not terminated");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzfolder::InBin inBin;
    FuzzGame& fuzz = FuzzGame::Get();
    fuzzfolder::Write("Data/Level1.dat", data, size);
    fuzzfolder::Remove("Data/Levels.dat");
    fuzz.probe.Map().CleanUp();
    fuzz.probe.AvailableLevel() = 0;
    fuzz.probe.JustFinishedLevel() = true;
    const tnUInt16 objective = fuzz.probe.ObjectiveTargets() = 60;
    const tnUInt16 targets = fuzz.probe.Targets() = 5;

    if (fuzz.game.LoadLevel(1)) {
        CheckAccepted(fuzz);
    } else if (fuzz.probe.ObjectiveTargets() != objective || fuzz.probe.Targets() != targets ||
               fuzz.probe.AvailableLevel() != 0) {
        fuzzfolder::Fail("a refused level changed the game");
    }
    return 0;
}
