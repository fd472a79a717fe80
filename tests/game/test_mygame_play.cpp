#include "playfield.h"

#include "dinput.h"

namespace {

using Direction = ANIMATION_DATA::ANIM_SUBTYPES;
const Direction N = ANIMATION_DATA::NORTH, E = ANIMATION_DATA::EAST, S = ANIMATION_DATA::SOUTH,
                W = ANIMATION_DATA::WEST, Idle = ANIMATION_DATA::NONESUBTYPE;

// The farmer starts `offset` pixels past a cell centre along his heading,
// the keys are held, and the steps run: where he is along his heading
// after each step (relative to that cell), and the step in which he turns.
struct Turn {
    const char* what;
    int column;
    tnUInt16 speed;
    Direction heading;
    int offset;
    std::vector<int> keys;
    std::vector<int> along;
    int turnsAt; // 0: never
    Direction after;
};

const Turn kTurns[] = {
    {"away at 8, speed 4", 10, 4, E, 8, {DIK_UP}, {12, 16, 32, 32}, 4, N},
    {"away at 20, speed 4", 10, 4, E, 20, {DIK_UP}, {32, 32}, 2, N},
    {"away at 8, speed 8", 10, 8, E, 8, {DIK_W}, {16, 32, 32}, 3, N},
    {"away, sideways", 10, 4, S, 8, {DIK_RIGHT}, {12, 16, 32, 32}, 4, E},
    {"towards at 8", 10, 4, W, 8, {DIK_UP}, {0, 0}, 2, N},
    {"towards at 24", 10, 4, W, 24, {DIK_DOWN}, {20, 16, 0, 0}, 4, S},
    {"left of the first column, south", 0, 8, W, -8, {DIK_S}, {0, 0}, 2, S},
    {"left of the first column, north", 0, 8, W, -8, {DIK_UP}, {-16, -24}, 0, W},
    {"reversal", 10, 8, E, 0, {DIK_LEFT}, {8, 16}, 0, E},
    {"up and left held", 10, 8, E, 0, {DIK_UP, DIK_LEFT}, {0, 0}, 1, N},
    {"idle, left", 10, 8, Idle, 0, {DIK_A}, {-8}, 1, W},
    {"idle, up", 10, 8, Idle, 0, {DIK_UP}, {0}, 1, N},
};

class Play : public PlayField {};

} // namespace

TEST_F(Play, SteeringTurnsOnlyOnTheGridAndSnapsTheChainOntoIt)
{
    for (const Turn& t : kTurns) {
        SCOPED_TRACE(t.what);
        PlaceFarmer(t.column, 10, t.speed, t.heading);
        const bool vertical = t.heading == N || t.heading == S;
        Farmer().SetPosition(X(t.column) + (vertical ? 0 : t.offset), Y(10) + (vertical ? t.offset : 0));
        for (int key : t.keys)
            PressKey(key);
        std::vector<int> along;
        int turnedAt = 0;
        for (std::size_t step = 1; step <= t.along.size(); ++step) {
            PlayStep();
            along.push_back(vertical ? Farmer().GetYPosition() - Y(10) : Farmer().GetXPosition() - X(t.column));
            if (!turnedAt && Probe().Snake().GetDirection() != (t.heading == Idle ? E : t.heading))
                turnedAt = static_cast<int>(step);
        }
        for (int key : t.keys)
            ReleaseKey(key);
        EXPECT_EQ(t.along, along);
        EXPECT_EQ(t.turnsAt, turnedAt);
        EXPECT_EQ(t.after, Probe().Snake().GetDirection());
    }
}

// Collisions come after the level test: the fruit that reaches the
// objective wins at the next step.
TEST_F(Play, TheFruitReachingTheObjectiveWinsAtTheNextStep)
{
    Probe().ObjectiveTargets() = 2;
    PlaceFarmer(10, 10);
    GiveFruits(1);
    PutFruit(11, 10);
    for (int i = 0; i < 8 && Probe().Snake().GetSize() < 3; ++i)
        PlayStep();
    ASSERT_EQ(3u, Probe().Snake().GetSize());
    EXPECT_EQ(MyGame::GameRunning, Probe().State());
    PlayStep();
    EXPECT_EQ(MyGame::GameLevelComplete, Probe().State());
    EXPECT_TRUE(Probe().JustFinishedLevel());
}

// A fruit whose time is up moves elsewhere as a new fruit, unless the field
// holds more than the level keeps.
TEST_F(Play, ExpiredFruitIsRecycledOrDropped)
{
    for (int onField : {5, 7}) {
        PlaceFarmer(20, 20);
        Probe().Targets() = 5;
        for (int i = 0; i < onField; ++i)
            PutFruit(i, 3);
        skObject& expired = Probe().TargetList().GetHead()->data;
        expired.SetLifeTime(0.5f);
        expired.UpdateTime(0.5f);
        Probe().UpdateTargets(kStep);
        ExpectCellBookkeeping();
        EXPECT_EQ(onField == 5 ? 5u : 6u, Probe().TargetList().Size());
        EXPECT_EQ(nullptr, Cell(0, 3).m_pkObject);
        if (onField == 5) { // else the entry is gone
            EXPECT_LT(expired.GetTime(), 0.5f) << "a new fruit, aged by one step";
        }
    }
}

// The basket's four fruits fly one cell diagonally in four steps and land;
// one flying onto a tree or onto a cell that holds a fruit dies there, and
// one leaving the field dies in the first step it is past the edge.
TEST_F(Play, BasketFruitsLandOnTheDiagonalsOrDie)
{
    using Cells = std::vector<std::pair<int, int>>;
    const struct {
        int column, row;
        Cells trees, fruits, landed;
        tnUInt32 deadAfterOneStep;
    } cases[] = {
        {10, 10, {{9, 9}}, {}, {{11, 9}, {9, 11}, {11, 11}}, 0},
        {0, 0, {}, {{1, 1}}, {}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << ", " << c.row);
        PlaceFarmer(c.column, c.row);
        for (const auto& cell : c.trees)
            Cell(cell.first, cell.second).m_iStaticObj = tnMap::TREE1;
        for (const auto& cell : c.fruits)
            PutFruit(cell.first, cell.second);
        PutTrap(skObject::BASKET, c.column, c.row);
        Probe().HandleSnakeCollision();
        ASSERT_EQ(4u, Probe().TempTargetList().Size());
        EXPECT_TRUE(Played(MyGame::SoundBong));
        tnUInt32 dead = 0;
        for (int step = 0; step < 5; ++step) {
            Probe().UpdateTempTargets(kStep);
            ExpectCellBookkeeping();
            auto& flying = Probe().TempTargetList();
            for (flying.Reset(); step == 1 && flying.IsIteratorValid(); flying.Next())
                dead += flying.GetCurrentItem().IsAlive() ? 0 : 1;
        }
        EXPECT_EQ(c.deadAfterOneStep, dead);
        EXPECT_EQ(0u, Probe().TempTargetList().Size());
        ASSERT_EQ(c.fruits.size() + c.landed.size(), Probe().TargetList().Size());
        Probe().TargetList().Reset();
        for (std::size_t i = 0; i < c.fruits.size(); ++i)
            Probe().TargetList().Next(); // the fruits that were there keep their cells
        for (const auto& cell : c.landed) {
            skObject& fruit = Probe().TargetList().GetCurrentItem();
            EXPECT_EQ(X(cell.first), fruit.GetXPosition());
            EXPECT_EQ(Y(cell.second), fruit.GetYPosition());
            EXPECT_EQ(&fruit, Cell(cell.first, cell.second).m_pkObject);
            Probe().TargetList().Next();
        }
    }
}

// A bite of the chain is heard: the farmer walks north, west and south
// into his own fruits.
TEST_F(Play, BitingTheChainThumps)
{
    Probe().Traps() = 0;
    PlaceFarmer(10, 10);
    GiveFruits(6);
    bool thumped = false;
    const Direction ways[] = {N, W, S, S};
    for (Direction way : ways) {
        Probe().Snake().SetDirection(way);
        for (int step = 0; step < 4 && !thumped; ++step) {
            PlayStep();
            thumped = Played(MyGame::SoundThump);
        }
    }
    EXPECT_TRUE(thumped);
    EXPECT_LT(Living(), 7);
}

// P again within a quarter second of the last P ends the step: nothing
// moves and the game is not paused; later it pauses.
TEST_F(Play, ASecondPWithinAQuarterSecondEndsTheStep)
{
    for (tnReal32 since : {0.1f, 0.3f}) {
        PlaceFarmer(10, 10);
        Probe().PrevKeyPress() = DIK_P;
        Probe().TimerCount2() = since;
        PressKey(DIK_P);
        PlayStep();
        ReleaseKey(DIK_P);
        EXPECT_EQ(X(10), Farmer().GetXPosition()) << since;
        EXPECT_EQ(since < 0.25f ? MyGame::GameRunning : MyGame::GamePause, Probe().State()) << since;
    }
}
