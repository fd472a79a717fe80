#include "gamefixture.h"

#include "testcontrol.h"

#include <set>
#include <string>
#include <vector>

namespace {

// Spawning on a 20 x 17 field of open ground, sound off.
class SpawnTest : public GameFixture {
protected:
    static constexpr tnInt32 kColumns = 20;
    static constexpr tnInt32 kRows = 17;

    void SetUp() override
    {
        GameFixture::SetUp();
        ReachMenu();
        Probe().XGrids() = kColumns;
        Probe().YGrids() = kRows;
        ASSERT_TRUE(Probe().Map().Create(Game().GetDevice(), 1, kColumns, kRows));
        Probe().SoundOn() = false;
        SetSamples(Probe().FruitList(), {0, 7, 39});
        SetSamples(Probe().ObjectList(), {0, 4, 5, 15});
        Probe().AvailableTargets() = 3;
        Probe().AvailableTraps() = 4;
    }

    static void SetSamples(tnVector<tnUInt16>& list, const std::vector<tnUInt16>& samples)
    {
        list.set_size(static_cast<tnUInt32>(samples.size()));
        for (tnUInt32 i = 0; i < samples.size(); ++i)
            list[i] = samples[i];
    }

    tnMap::MapData* Cell(tnInt32 column, tnInt32 row)
    {
        return Probe().Map().GetMapDataPtr(0, static_cast<tnUInt32>(column), static_cast<tnUInt32>(row));
    }

    void FillCells(tnUInt8 staticKind, void* object)
    {
        for (tnInt32 r = 0; r < kRows; ++r)
            for (tnInt32 c = 0; c < kColumns; ++c) {
                Cell(c, r)->m_iStaticObj = staticKind;
                Cell(c, r)->m_pkObject = object;
            }
    }

    std::size_t OccupiedCells()
    {
        std::size_t count = 0;
        for (tnInt32 r = 0; r < kRows; ++r)
            for (tnInt32 c = 0; c < kColumns; ++c)
                count += Cell(c, r)->m_pkObject ? 1 : 0;
        return count;
    }

    long Left() { return Probe().MainPanel().left; }
    long Top() { return Probe().MainPanel().top; }

    // Columns and rows that `count` new objects of a kind got, each centre
    // checked to be a cell's plus the sprite's half size.
    void ExpectCellRange(skObject::ObjectType kind, long halfSize, tnInt32 lastColumn, tnInt32 lastRow)
    {
        const bool fruit = kind == skObject::UNKNOWN;
        auto& list = fruit ? Probe().TargetList() : Probe().TrapList();
        list.CleanUp();
        for (int i = 0; i < 600; ++i)
            fruit ? Game().CreateFruit(nullptr, kind, -1, -1, false) : Game().CreateObject(nullptr, kind, -1, -1, false);
        ASSERT_EQ(600u, list.Size());
        std::set<tnInt32> columns, rows;
        for (list.Reset(); list.IsIteratorValid(); list.Next()) {
            skObject& object = list.GetCurrentItem();
            ASSERT_EQ(halfSize, object.GetABO().GetWidth() / 2);
            tnInt32 dx = object.GetXPosition() - Left() - halfSize;
            tnInt32 dy = object.GetYPosition() - Top() - halfSize;
            ASSERT_EQ(0, dx % 32);
            ASSERT_EQ(0, dy % 32);
            columns.insert(dx / 32);
            rows.insert(dy / 32);
        }
        EXPECT_EQ(0, *columns.begin());
        EXPECT_EQ(lastColumn, *columns.rbegin());
        EXPECT_EQ(0, *rows.begin());
        EXPECT_EQ(lastRow, *rows.rbegin());
        EXPECT_EQ(0u, OccupiedCells()); // not put in the map
    }
};

} // namespace

TEST_F(SpawnTest, SpritesLieWhollyOnTheField)
{
    ExpectCellRange(skObject::UNKNOWN, 16, 19, 16);  // a fruit, 32 pixels
    ExpectCellRange(skObject::FIRE, 32, 18, 15);     // scale 2, 64 pixels
    ExpectCellRange(skObject::TORNADO, 48, 17, 14);  // scale 3, 96 pixels
    ExpectCellRange(skObject::EXPLOSION, 48, 17, 14);
}

TEST_F(SpawnTest, NewObjectsTakeTheLevelsSamplesAndRegisterInTheirCell)
{
    for (int i = 0; i < 20; ++i) {
        Game().CreateFruit(nullptr, skObject::UNKNOWN, -1, -1, true);
        Game().CreateObject(nullptr, skObject::UNKNOWN, -1, -1, true);
    }
    ASSERT_EQ(20u, Probe().TargetList().Size());
    ASSERT_EQ(20u, Probe().TrapList().Size());
    EXPECT_EQ(40u, OccupiedCells());
    const std::set<int> fruitKinds = {skObject::APPLE1, skObject::APPLE1 + 7, skObject::GOOSEBERRY};
    const std::set<int> trapKinds = {skObject::RAIN, skObject::FIRE, skObject::BOMB, skObject::GOLD};
    for (auto* list : {&Probe().TargetList(), &Probe().TrapList()}) {
        for (list->Reset(); list->IsIteratorValid(); list->Next()) {
            skObject& object = list->GetCurrentItem();
            const std::set<int>& kinds = list == &Probe().TargetList() ? fruitKinds : trapKinds;
            EXPECT_EQ(1u, kinds.count(object.GetObjectType())) << object.GetObjectType();
            long half = object.GetABO().GetWidth() / 2;
            tnInt32 column = (object.GetXPosition() - Left() - half) / 32;
            tnInt32 row = (object.GetYPosition() - Top() - half) / 32;
            EXPECT_EQ(&object, Cell(column, row)->m_pkObject);
            // 30 seconds give or take the 3 of the margin.
            EXPECT_GE(object.GetLifeTime(), 27.0f);
            EXPECT_LE(object.GetLifeTime(), 33.0f);
        }
    }
}

TEST_F(SpawnTest, RecreatedFruitKeepsItsEntry)
{
    Game().CreateFruit(nullptr, skObject::UNKNOWN, -1, -1, true);
    ASSERT_EQ(1u, Probe().TargetList().Size());
    skObject* fruit = &Probe().TargetList().GetHead()->data;
    // Collected: the play step clears its cell and the fruit has aged.
    FillCells(0, nullptr);
    fruit->UpdateTime(12.0f);
    fruit->GetABO().SetPosition(-500, -500);
    Probe().TargetLife() = 10;

    Game().CreateFruit(fruit, skObject::UNKNOWN, -1, -1, true);
    ASSERT_EQ(1u, Probe().TargetList().Size());
    EXPECT_EQ(fruit, &Probe().TargetList().GetHead()->data);
    EXPECT_EQ(0.0f, fruit->GetTime());
    EXPECT_GE(fruit->GetLifeTime(), 7.0f);
    EXPECT_LE(fruit->GetLifeTime(), 13.0f);
    tnInt32 dx = fruit->GetXPosition() - Left() - 16;
    tnInt32 dy = fruit->GetYPosition() - Top() - 16;
    ASSERT_EQ(0, dx % 32);
    ASSERT_EQ(0, dy % 32);
    EXPECT_EQ(fruit, Cell(dx / 32, dy / 32)->m_pkObject);
    EXPECT_EQ(1u, OccupiedCells());
}

TEST_F(SpawnTest, ExplosionTakesTheBombsPlaceAndCell)
{
    const long x = Left() + 5 * 32 + 16, y = Top() + 4 * 32 + 16;
    Game().CreateObject(nullptr, skObject::BOMB, x, y, true);
    ASSERT_EQ(1u, Probe().TrapList().Size());
    skObject* bomb = &Probe().TrapList().GetHead()->data;
    EXPECT_EQ(bomb, Cell(5, 4)->m_pkObject);

    Game().CreateObject(bomb, skObject::EXPLOSION, x, y, true);
    EXPECT_EQ(1u, Probe().TrapList().Size());
    EXPECT_EQ(skObject::EXPLOSION, bomb->GetObjectType());
    EXPECT_EQ(x, bomb->GetXPosition());
    EXPECT_EQ(y, bomb->GetYPosition());
    EXPECT_EQ(96, bomb->GetABO().GetWidth());
    EXPECT_EQ(bomb, Cell(5, 4)->m_pkObject);
    EXPECT_EQ(nullptr, Cell(4, 3)->m_pkObject); // where its own size would have put it
}

TEST_F(SpawnTest, TornadosAreInNoCell)
{
    SetSamples(Probe().ObjectList(), {1});
    for (int i = 0; i < 10; ++i) {
        Game().CreateObject(nullptr, skObject::UNKNOWN, -1, -1, true);
        Game().CreateObject(nullptr, skObject::TORNADO, -1, -1, true);
    }
    EXPECT_EQ(20u, Probe().TrapList().Size());
    EXPECT_EQ(0u, OccupiedCells());
    // Recycled into a tornado, an object leaves no new reference either.
    skObject* trap = &Probe().TrapList().GetHead()->data;
    Game().CreateObject(trap, skObject::TORNADO, -1, -1, true);
    EXPECT_EQ(skObject::TORNADO, trap->GetObjectType());
    EXPECT_EQ(0u, OccupiedCells());
}

TEST_F(SpawnTest, BasketFruitsFlyWithoutCells)
{
    Probe().TrapRegenerate() = true;
    const long x = Left() + 3 * 32 + 16, y = Top() + 2 * 32 + 16;
    for (int i = 0; i < 4; ++i)
        Game().CreateFruit(nullptr, skObject::UNKNOWN, x, y, true);
    auto& flying = Probe().TempTargetList();
    ASSERT_EQ(4u, flying.Size());
    for (flying.Reset(); flying.IsIteratorValid(); flying.Next()) {
        EXPECT_EQ(x, flying.GetCurrentItem().GetXPosition());
        EXPECT_EQ(y, flying.GetCurrentItem().GetYPosition());
    }
    EXPECT_EQ(0u, Probe().TargetList().Size());
    EXPECT_EQ(0u, OccupiedCells());
}

TEST_F(SpawnTest, ShortLivesNeverBecomeEndless)
{
    Probe().TargetLife() = 1; // 1 - 3 would be -2 .. 4, and -1 means for ever
    for (int i = 0; i < 200; ++i)
        Game().CreateFruit(nullptr, skObject::UNKNOWN, -1, -1, false);
    auto& list = Probe().TargetList();
    for (list.Reset(); list.IsIteratorValid(); list.Next()) {
        EXPECT_GE(list.GetCurrentItem().GetLifeTime(), 0.0f);
        EXPECT_LE(list.GetCurrentItem().GetLifeTime(), 4.0f);
    }
}

TEST_F(SpawnTest, CrowdedFieldsEndTheSearch)
{
    const std::string timeout = "Failed to create a fruit, timeout\n";

    // Trees everywhere: after its tries the search takes a cell without an object.
    FillCells(tnMap::TREE1, nullptr);
    EXPECT_TRUE(Game().CreateFruit(nullptr, skObject::UNKNOWN, -1, -1, true));
    EXPECT_EQ(1u, Probe().TargetList().Size());
    EXPECT_EQ(1u, OccupiedCells());
    EXPECT_GE(CountInLog(timeout), 1u);

    // One cell left without an object: found, whatever the draws.
    int dummy = 0;
    FillCells(0, &dummy);
    Cell(7, 9)->m_pkObject = nullptr;
    EXPECT_TRUE(Game().CreateFruit(nullptr, skObject::UNKNOWN, -1, -1, true));
    ASSERT_EQ(2u, Probe().TargetList().Size());
    EXPECT_EQ(&Probe().TargetList().GetTail()->data, Cell(7, 9)->m_pkObject);

    // None left: nothing placed, said once, and the search has ended.
    EXPECT_FALSE(Game().CreateFruit(nullptr, skObject::UNKNOWN, -1, -1, true));
    EXPECT_FALSE(Game().CreateObject(nullptr, skObject::UNKNOWN, -1, -1, true));
    EXPECT_EQ(2u, Probe().TargetList().Size());
    EXPECT_EQ(0u, Probe().TrapList().Size());
    EXPECT_EQ(1u, CountInLog("Failed to create a fruit, no free cell\n"));
    EXPECT_EQ(1u, CountInLog("Failed to create an object, no free cell\n"));
    EXPECT_GE(CountInLog("Failed to create an object, timeout\n"), 1u);
}

TEST_F(SpawnTest, FireRainAndTornadoAnnounceThemselves)
{
    Probe().SoundOn() = true;
    const skObject::ObjectType loud[] = {skObject::FIRE, skObject::RAIN, skObject::TORNADO};
    for (skObject::ObjectType kind : loud) {
        testcontrol::ClearSoundEvents();
        Game().CreateObject(nullptr, kind, -1, -1, true);
        EXPECT_EQ(1u, StartedSounds()) << kind;
    }
    testcontrol::ClearSoundEvents();
    Game().CreateObject(nullptr, skObject::GOLD, -1, -1, true);
    Game().CreateObject(nullptr, skObject::BOMB, -1, -1, true);
    Game().CreateFruit(nullptr, skObject::UNKNOWN, -1, -1, true);
    EXPECT_EQ(0u, StartedSounds());
    Probe().SoundOn() = false;
    Game().CreateObject(nullptr, skObject::FIRE, -1, -1, true);
    EXPECT_EQ(0u, StartedSounds());
}
