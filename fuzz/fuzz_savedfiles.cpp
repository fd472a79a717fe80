// The two files the game keeps between runs: the top score, and the level
// list (with its fallback, the first level's title when the list is empty).
// The same input serves as each file in turn.
#include "fuzzgame.h"

namespace {

// The level list is read when the game enters its level choice.
tnUInt32 LevelListRows(FuzzGame& fuzz)
{
    fuzz.probe.State() = MyGame::GameNew;
    fuzz.game.ProcessGame(0.0f);
    tnCombolist*& list = fuzz.probe.ComboList();
    if (!list)
        fuzzfolder::Fail("the level choice made no list");
    const tnUInt32 rows = list->GetRowCount();
    delete list;
    list = nullptr;
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzfolder::InBin inBin;
    FuzzGame& fuzz = FuzzGame::Get();

    fuzzfolder::Write("Data/score.dat", data, size);
    fuzz.probe.HighestGold() = 12345;
    fuzz.probe.ReadTopScore();
    const tnUInt32 expected =
        size < 4 ? 0 : data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<tnUInt32>(data[3]) << 24);
    if (fuzz.probe.HighestGold() != expected)
        fuzzfolder::Fail("the top score is not the file's first four bytes");

    fuzzfolder::Remove("Data/Level1.dat");
    fuzzfolder::Write("Data/Levels.dat", data, size);
    if (LevelListRows(fuzz) != size / MyGame::TitleRecordSize)
        fuzzfolder::Fail("the level list does not have one row per whole record");

    fuzzfolder::Remove("Data/Levels.dat");
    fuzzfolder::Write("Data/Level1.dat", data, size);
    if (LevelListRows(fuzz) != (size >= 2 ? 1u : 0u))
        fuzzfolder::Fail("the first level's title is not offered alone");
    return 0;
}
