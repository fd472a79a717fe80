#include "playfield.h"

namespace {

using Kind = skObject::ObjectType;

class Traps : public PlayField {
protected:
    // Trap updates alone (the chain stands still), each followed by the
    // bookkeeping check; stops early once `done` holds.
    template <typename Done>
    int RunTraps(int limit, Done done)
    {
        int steps = 0;
        while (steps < limit && !done()) {
            Probe().UpdateTrap(kStep);
            ExpectCellBookkeeping();
            ++steps;
        }
        return steps;
    }

    skObject& Explode(skObject& bomb)
    {
        Game().CreateObject(&bomb, skObject::EXPLOSION, bomb.GetXPosition(), bomb.GetYPosition(), true);
        return bomb;
    }
};

// A trap reaching the farmer kills him; reaching a fruit, cuts the chain
// there. The farmer walks east on `row` with his fruits behind him.
struct Hit {
    Kind kind;
    int column, row; // the trap's top-left cell (a bomb's cell for the explosion)
    int farmerColumn, farmerRow, fruits;
    const char* statement;
    int livingAfter; // 0: the farmer died
    MyGame::GameSound sound;
};

const Hit kHits[] = {
    {skObject::FIRE, 3, 3, 4, 4, 0, "Killed in Fire", 0, MyGame::SoundFire},
    {skObject::FIRE, 3, 3, 6, 4, 4, "Fire Burned 3 Fruits", 2, MyGame::SoundFire},
    {skObject::LIGHTENING, 5, 5, 7, 7, 1, "Killed By Lightening Bolt", 0, MyGame::SoundThunder},
    {skObject::LIGHTENING, 5, 5, 9, 7, 3, "Lightening Bolt! Lost 2 fruits", 2, MyGame::SoundThunder},
    {skObject::TORNADO, 9, 9, 10, 11, 0, "Killed By Tornado", 0, MyGame::SoundTornado},
    {skObject::TORNADO, 9, 9, 12, 11, 3, "Tornado! Lost 2 fruits", 2, MyGame::SoundTornado},
    {skObject::EXPLOSION, 5, 5, 6, 6, 0, "Killed in Bomb Explosion", 0, MyGame::NoSound},
    {skObject::EXPLOSION, 5, 5, 8, 4, 3, "Bomb! Lost 2 fruits", 2, MyGame::NoSound},
    {skObject::FLOOD, 10, 5, 10, 5, 4, "All Fruits Ruined!", 1, MyGame::SoundFlood},
    {skObject::FLOOD, 10, 5, 10, 5, 0, "", 1, MyGame::SoundFlood},
    {skObject::FLOOD, 6, 5, 10, 5, 5, "Flood Ruined 3 Fruits", 3, MyGame::SoundFlood},
    {skObject::RAIN, 6, 5, 10, 5, 5, "Rain Ruined 3 Fruits", 3, MyGame::SoundRain},
    {skObject::RAIN, 10, 5, 10, 5, 2, "All Fruits Ruined ", 1, MyGame::SoundRain},
};

} // namespace

TEST_F(Traps, EveryTrapKillsTheFarmerOrCutsTheChainWithItsStatement)
{
    for (const Hit& h : kHits) {
        SCOPED_TRACE(h.statement);
        PlaceFarmer(h.farmerColumn, h.farmerRow);
        GiveFruits(h.fruits);
        if (h.kind == skObject::EXPLOSION)
            Explode(PutTrap(skObject::BOMB, h.column, h.row));
        else
            PutTrap(h.kind, h.column, h.row);
        testcontrol::ClearSoundEvents();
        RunTraps(90, [&] { return Probe().Statements().size() != 0; });
        EXPECT_EQ(h.statement, LastStatement());
        EXPECT_EQ(h.livingAfter, Living());
        EXPECT_EQ(h.livingAfter == 0, Probe().Dying());
        const std::vector<MyGame::GameSound> sounds = StartedGameSounds();
        EXPECT_EQ(h.sound == MyGame::NoSound ? 0u : 1u, sounds.size());
        EXPECT_EQ(h.sound, sounds.empty() ? MyGame::NoSound : sounds[0]);
    }
}

// What a trap does to one cell of its area, in one step: the object there
// is blown to a new place or spared, the scenery destroyed or left, and a
// fire on water or a bridge is put out. A tornado wrecks the cell below its
// eye, the others every cell they cover.
struct Wreck {
    Kind trap;
    Kind object; // EMPTY: none
    tnUInt8 scenery;
    bool blown, sceneryGone, putOut;
};

const Wreck kWrecks[] = {
    {skObject::TORNADO, skObject::GOLD, tnMap::TREE1, true, true, false},
    {skObject::TORNADO, skObject::FIRE, tnMap::FLOWER1, true, true, false},
    {skObject::TORNADO, skObject::RAIN, tnMap::ROCK2, false, true, false},
    {skObject::TORNADO, skObject::LIGHTENING, tnMap::SOLID1, false, true, false},
    {skObject::TORNADO, skObject::FLOOD, tnMap::FREEWAY1, false, false, false},
    {skObject::FLOOD, skObject::BOMB, tnMap::TREE6, true, true, false},
    {skObject::FLOOD, skObject::GOLD, tnMap::ROCK1, true, true, false},
    {skObject::FLOOD, skObject::FIRE, tnMap::FLOWER6, false, true, false},
    {skObject::FLOOD, skObject::EMPTY, tnMap::BRIDGE1, false, false, false},
    {skObject::FIRE, skObject::GOLD, tnMap::FLOWER1, true, true, false},
    {skObject::FIRE, skObject::POISONIVY, tnMap::ROCK1 - 1, true, true, false},
    {skObject::FIRE, skObject::RAIN, tnMap::ROCK2, false, false, false},
    {skObject::FIRE, skObject::EMPTY, tnMap::BRIDGE2, false, false, true},
    {skObject::FIRE, skObject::EMPTY, tnMap::FREEWAY10, false, false, false},
};

TEST_F(Traps, EachTrapBlowsAwaySparesAndDestroysItsOwnKinds)
{
    for (const Wreck& w : kWrecks) {
        SCOPED_TRACE(testing::Message() << w.trap << " over " << w.object << " on " << int(w.scenery));
        PlaceFarmer(20, 20);
        const bool tornado = w.trap == skObject::TORNADO;
        skObject& trap = PutTrap(w.trap, tornado ? 9 : 3, tornado ? 9 : 3);
        const int column = tornado ? 10 : 4, row = tornado ? 11 : 4;
        Cell(column, row).m_iStaticObj = w.scenery;
        skObject* object = w.object == skObject::EMPTY ? nullptr : &PutTrap(w.object, column, row);
        RunTraps(1, [] { return false; });
        if (object) {
            EXPECT_EQ(!w.blown, Cell(column, row).m_pkObject == object);
        }
        EXPECT_EQ(w.sceneryGone ? 0 : int(w.scenery), int(Cell(column, row).m_iStaticObj));
        EXPECT_EQ(w.putOut, trap.TimeUp());
    }
}

// A trap's looping sound starts once and is noted: it is not started again
// while noted, unless rain or a flood has just cut the chain.
TEST_F(Traps, TrapSoundsStartOnceUnlessRainOrFloodHasCutTheChain)
{
    const struct {
        Kind kind;
        int column, farmerColumn, fruits;
        MyGame::GameSound noted;
        bool plays;
    } cases[] = {
        {skObject::FIRE, 3, 6, 4, MyGame::SoundFire, false},
        {skObject::FIRE, 3, 6, 4, MyGame::NoSound, true},
        {skObject::RAIN, 10, 10, 2, MyGame::SoundRain, false},
        {skObject::RAIN, 6, 10, 5, MyGame::SoundRain, true},
        {skObject::FLOOD, 6, 10, 5, MyGame::SoundFlood, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " noted " << c.noted);
        PlaceFarmer(c.farmerColumn, c.kind == skObject::FIRE ? 4 : 5);
        GiveFruits(c.fruits);
        PutTrap(c.kind, c.column, c.kind == skObject::FIRE ? 3 : 5);
        Probe().CurrentSound() = c.noted;
        testcontrol::ClearSoundEvents();
        RunTraps(1, [] { return false; });
        EXPECT_EQ(c.plays ? 1u : 0u, StartedGameSounds().size());
    }
}

// The tornado is heard within 46 pixels of its eye.
TEST_F(Traps, TornadoIsHeardWithinFortySixPixels)
{
    for (int distance : {46, 47}) {
        PlaceFarmer(10, 14);
        skObject& tornado = PutTrap(skObject::TORNADO, 9, 9); // its eye on cell (10, 10)
        Farmer().SetPosition(tornado.GetXPosition() + distance, tornado.GetYPosition());
        testcontrol::ClearSoundEvents();
        RunTraps(1, [] { return false; });
        EXPECT_EQ(distance == 46, Played(MyGame::SoundTornado)) << distance;
    }
}

// The witch cackles with the farmer on her apple or a cell's width away
// (counted along the grid), and the apple never ages.
TEST_F(Traps, WitchsAppleCacklesAtNoughtAndThirtyTwoAndNeverAges)
{
    const struct {
        int dx, dy;
        bool cackles;
    } cases[] = {{0, 0, true}, {32, 0, true}, {0, -32, true}, {16, 16, true}, {33, 0, false}, {64, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy);
        PlaceFarmer(10, 10);
        skObject& apple = PutTrap(skObject::POISON, 10, 10);
        apple.SetLifeTime(0.1f);
        Farmer().SetPosition(X(10) + c.dx, Y(10) + c.dy);
        testcontrol::ClearSoundEvents();
        RunTraps(10, [] { return false; });
        EXPECT_EQ(c.cackles ? 10u : 0u, StartedGameSounds().size());
        EXPECT_EQ(0.0f, apple.GetTime());
        EXPECT_EQ(skObject::POISON, apple.GetObjectType());
    }
}

// Fire burns trees and fruits in its four cells, sets a bomb there to go
// off within a second (and never later), and is put out by water.
TEST_F(Traps, FireBurnsLightsBombsAndIsPutOutByWater)
{
    PlaceFarmer(20, 20);
    skObject& fire = PutTrap(skObject::FIRE, 3, 3);
    Cell(3, 3).m_iStaticObj = tnMap::TREE1;
    Cell(3, 3).m_iTileIndex = 9;
    Cell(4, 3).m_iStaticObj = tnMap::ROCK1; // rocks do not burn
    PutFruit(4, 4);
    skObject& bomb = PutTrap(skObject::BOMB, 3, 4);
    bomb.SetLifeTime(30.0f);

    RunTraps(2, [] { return false; });
    EXPECT_EQ(0, Cell(3, 3).m_iStaticObj);
    EXPECT_EQ(0, Cell(3, 3).m_iTileIndex);
    EXPECT_EQ(tnMap::ROCK1, Cell(4, 3).m_iStaticObj);
    EXPECT_EQ(0u, Probe().TargetList().Size()) << "the burnt fruit is dropped: the level keeps none";
    EXPECT_FLOAT_EQ(1.0f, bomb.GetLifeTime()) << "the second step must not put the bomb's end off";
    EXPECT_EQ(skObject::FIRE, fire.GetObjectType());
    EXPECT_EQ(nullptr, Cell(4, 4).m_pkObject);

    Cell(4, 4).m_iStaticObj = tnMap::WATER1;
    RunTraps(1, [] { return false; });
    EXPECT_TRUE(fire.TimeUp()) << "put out";
    RunTraps(1, [] { return false; });
    EXPECT_EQ(skObject::GOLD, fire.GetObjectType()) << "recycled as one of the level's traps";
}

// A bomb lies still until five seconds before its end, then flickers on
// every fourth tick, and goes off 0.15 s before its end.
TEST_F(Traps, BombLiesStillFlickersThenGoesOff)
{
    PlaceFarmer(20, 20);
    skObject& bomb = PutTrap(skObject::BOMB, 3, 3);
    bomb.SetLifeTime(30.0f);
    tnReal32 firstFlicker = -1.0f, wentOff = -1.0f;
    for (int i = 0; i < 1000 && wentOff < 0.0f; ++i) {
        const tnReal32 before = bomb.GetTime();
        const tnUInt8 frame = bomb.GetABO().GetCurrentFrame();
        RunTraps(1, [] { return false; });
        if (bomb.GetObjectType() == skObject::EXPLOSION)
            wentOff = before;
        else if (firstFlicker < 0.0f && bomb.GetABO().GetCurrentFrame() != frame)
            firstFlicker = before;
    }
    EXPECT_GE(firstFlicker, 25.0f - kStep);
    EXPECT_LT(firstFlicker, 25.5f);
    EXPECT_GE(wentOff, 29.85f);
    EXPECT_LT(wentOff, 29.85f + kStep);
    EXPECT_EQ(&bomb, Cell(3, 3).m_pkObject) << "the explosion takes the bomb's cell";
}

// On its last frame an explosion wrecks the bomb's cell and its eight
// neighbours that lie on the field, and sets off the bombs among them.
TEST_F(Traps, ExplosionWrecksItsBlockOnTheFieldAndSetsOffNeighbouringBombs)
{
    PlaceFarmer(20, 20);
    skObject& first = Explode(PutTrap(skObject::BOMB, 0, 0));
    skObject& second = PutTrap(skObject::BOMB, 1, 1);
    second.SetLifeTime(30.0f);
    Cell(1, 0).m_iStaticObj = tnMap::TREE6;
    Cell(2, 0).m_iStaticObj = tnMap::TREE6; // outside the block
    RunTraps(150, [&] { return second.GetObjectType() == skObject::EXPLOSION; });
    EXPECT_EQ(0, Cell(1, 0).m_iStaticObj);
    EXPECT_EQ(tnMap::TREE6, Cell(2, 0).m_iStaticObj);
    ASSERT_EQ(skObject::EXPLOSION, second.GetObjectType()) << "a chain reaction";
    EXPECT_NE(skObject::EXPLOSION, first.GetObjectType()) << "recycled after its last frame";
}

// A tornado whose next move would leave the field becomes a new trap
// elsewhere; it is never in a cell.
TEST_F(Traps, TornadoLeavingTheFieldBecomesANewTrap)
{
    for (int short_ : {3, 8}) {
        PlaceFarmer(2, 2);
        const long x = Probe().MainPanel().right - short_;
        Game().CreateObject(nullptr, skObject::TORNADO, x, Y(10, 48), true);
        skObject& tornado = Probe().TrapList().GetTail()->data;
        tornado.SetMovingStep(8, 0);
        RunTraps(1, [] { return false; });
        // Landing on the edge itself keeps it on the field.
        EXPECT_EQ(short_ == 8 ? skObject::TORNADO : skObject::GOLD, tornado.GetObjectType()) << short_;
        if (short_ == 8) {
            EXPECT_EQ(x + 8, tornado.GetXPosition());
        }
    }
}

// The star clears every trap from its own cell (an explosion's is its
// bomb's; a tornado has none, so the fruit under it stays), and the traps
// come back all at once a little over ten seconds of play later.
TEST_F(Traps, StarClearsTheTrapsForTenSeconds)
{
    Probe().Traps() = 3;
    PlaceFarmer(6, 5);
    Explode(PutTrap(skObject::BOMB, 10, 10));
    PutTrap(skObject::TORNADO, 14, 14);
    PutFruit(14, 14);
    PutTrap(skObject::STAR, 6, 5);
    Probe().HandleSnakeCollision();
    ExpectCellBookkeeping();
    ASSERT_EQ(0u, Probe().TrapList().Size());

    const int steps = RunTraps(400, [&] { return Probe().TrapList().Size() != 0; });
    EXPECT_GT(steps * kStep, 10.0f);
    EXPECT_LT(steps * kStep, 10.0f + 3 * kStep);
    EXPECT_EQ(3u, Probe().TrapList().Size());
    EXPECT_FALSE(Probe().TrapDisappear());
}

// At its start and then every 200 ticks (6.6 s), though the summed frame
// steps skip a tick now and then (tick 200 among them).
TEST_F(Traps, LightningStrikesEveryTwoHundredTicks)
{
    PlaceFarmer(20, 20);
    skObject& bolt = PutTrap(skObject::LIGHTENING, 3, 3);
    bolt.SetLifeTime(100.0f);
    std::vector<int> strikes;
    for (int step = 0; step < 1400; ++step) {
        testcontrol::ClearSoundEvents();
        RunTraps(1, [] { return false; });
        if (Played(MyGame::SoundThunder))
            strikes.push_back(static_cast<int>(bolt.GetTime() / 0.033f) / 100);
    }
    EXPECT_EQ((std::vector<int>{0, 2, 4, 6, 8, 10, 12, 14}), strikes) << "hundreds of ticks";
}

TEST_F(Traps, NothingAgesOrGoesOffWhileTheFarmerDies)
{
    PlaceFarmer(6, 5);
    skObject& bomb = PutTrap(skObject::BOMB, 3, 3);
    bomb.SetLifeTime(0.1f);
    Probe().Snake().Die(ANIMATION_DATA::SOUTH);
    RunTraps(10, [] { return false; });
    EXPECT_EQ(skObject::BOMB, bomb.GetObjectType());
    EXPECT_EQ(0.0f, bomb.GetTime());
}
