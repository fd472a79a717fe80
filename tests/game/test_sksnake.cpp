#include "sampleabo.h"
#include "sksnake.h"

#include <gtest/gtest.h>

namespace {

using namespace ANIMATION_DATA;

// Centre of grid cell (column, row) on a field whose top-left is (0, 0).
constexpr long Cell(long index) { return 16 + 32 * index; }

// A farmer on cell (column, row) facing east and `fruits` fruits in a row
// behind him, every member on a cell.
class ChainTest : public ::testing::Test {
protected:
    void Build(long column, long row, int fruits, tnUInt16 speed = 8)
    {
        ASSERT_TRUE(m_kSample.Loaded());
        skObject kFarmer(m_kSample.ABO(), skObject::PLAYER, Cell(column), Cell(row), 2, -1);
        m_kSnake.Init(speed);
        m_kSnake.Create(kFarmer);
        for (int i = 0; i < fruits; ++i) {
            skObject kFruit(m_kSample.ABO(), static_cast<skObject::ObjectType>(skObject::APPLE1 + i), 0, 0, -1, -1);
            m_kSnake.Insert(kFruit);
        }
    }

    void Step(int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            bool bHitSelf = false;
            m_kSnake.Update(0.03f, bHitSelf);
            m_bHitSelf = m_bHitSelf || bHitSelf;
        }
    }

    long X(tnUInt32 i) { return m_kSnake.GetMember(i)->GetXPosition(); }
    long Y(tnUInt32 i) { return m_kSnake.GetMember(i)->GetYPosition(); }
    ANIM_SUBTYPES Dir(tnUInt32 i) { return m_kSnake.GetMember(i)->GetDirection(); }
    tnUInt8 Red(tnUInt32 i) { return (m_kSnake.GetMember(i)->GetABO().GetColor() >> 16) & 0xFF; }

    SampleABO m_kSample;
    skSnake m_kSnake;
    bool m_bHitSelf = false;
};

} // namespace

TEST_F(ChainTest, NewChainIsIdleFacingEastWithTheFarmerAtItsHead)
{
    Build(3, 4, 0);
    EXPECT_TRUE(m_kSnake.IsIdle());
    EXPECT_EQ(1u, m_kSnake.GetSize());
    EXPECT_EQ(8, m_kSnake.GetSpeed());
    EXPECT_EQ(EAST, m_kSnake.GetDirection());
    EXPECT_EQ(skObject::PLAYER, m_kSnake.GetHeadObject()->GetObjectType());
    EXPECT_FLOAT_EQ(0.1f, m_kSnake.GetHeadObject()->GetTime());
    EXPECT_TRUE(m_kSnake.IsAlive());
    m_kSnake.SetDirection(NORTH);
    EXPECT_FALSE(m_kSnake.IsIdle());
    EXPECT_EQ(NORTH, m_kSnake.GetDirection());

    // Creating again starts over with just the new farmer.
    Build(1, 1, 2);
    EXPECT_EQ(3u, m_kSnake.GetSize());
    skObject kFarmer(m_kSample.ABO(), skObject::PLAYER, Cell(5), Cell(5), 2, -1);
    m_kSnake.Create(kFarmer);
    EXPECT_EQ(1u, m_kSnake.GetSize());
    EXPECT_EQ(Cell(5), X(0));
    EXPECT_EQ(nullptr, m_kSnake.GetMember(1));
}

TEST_F(ChainTest, AtSpeedEightTheFarmerIsOnACellEveryFourthUpdate)
{
    Build(2, 2, 0);
    m_kSnake.SetDirection(EAST);
    for (int i = 1; i <= 12; ++i) {
        Step();
        EXPECT_EQ(Cell(2) + 8 * i, X(0));
        EXPECT_EQ(i % 4 == 0, (X(0) - 16) % 32 == 0) << "update " << i;
        EXPECT_EQ(Cell(2), Y(0));
    }
}

TEST_F(ChainTest, StraightRunKeepsMembersThirtyTwoPixelsApart)
{
    Build(5, 3, 3);
    m_kSnake.SetDirection(EAST);
    for (int i = 1; i <= 10; ++i) {
        Step();
        for (tnUInt32 m = 1; m < 4; ++m) {
            ASSERT_EQ(X(m - 1) - 32, X(m)) << "update " << i << " member " << m;
            ASSERT_EQ(Cell(3), Y(m));
            ASSERT_EQ(EAST, Dir(m));
        }
    }
    EXPECT_FALSE(m_bHitSelf);
}

TEST_F(ChainTest, TurnTravelsDownTheChainOneMemberPerCell)
{
    Build(5, 5, 3);
    m_kSnake.SetDirection(NORTH);
    const long iCornerX = Cell(5), iCornerY = Cell(5);
    for (int i = 1; i <= 3; ++i) {
        Step();
        EXPECT_EQ(iCornerY - 8 * i, Y(0));
        EXPECT_EQ(iCornerX - 32, X(1)) << "first fruit waits, update " << i;
        EXPECT_EQ(iCornerY, Y(1));
        EXPECT_EQ(EAST, Dir(1));
        EXPECT_EQ(iCornerX - 64, X(2));
    }
    Step();
    EXPECT_EQ(iCornerX, X(1));
    EXPECT_EQ(iCornerY, Y(1));
    EXPECT_EQ(NORTH, Dir(1));
    // The ones behind close up along the row, still facing east.
    EXPECT_EQ(iCornerX - 32, X(2));
    EXPECT_EQ(EAST, Dir(2));
    EXPECT_EQ(iCornerX - 64, X(3));

    for (int i = 1; i <= 3; ++i) {
        Step();
        EXPECT_EQ(iCornerX, X(1));
        EXPECT_EQ(Y(0) + 32, Y(1)) << "first fruit follows up the column";
        EXPECT_EQ(iCornerX - 32, X(2)) << "second fruit waits, update " << i;
    }
    Step();
    EXPECT_EQ(iCornerX, X(2));
    EXPECT_EQ(iCornerY, Y(2));
    EXPECT_EQ(NORTH, Dir(2));
    EXPECT_EQ(iCornerX - 32, X(3));
    EXPECT_EQ(EAST, Dir(3));
    EXPECT_FALSE(m_bHitSelf);
}

TEST_F(ChainTest, BitingItselfKillsTheBittenMemberAndAllBehindIt)
{
    // Farmer and six fruits, then a tight loop: north, west, south brings
    // the farmer back onto the chain.
    Build(8, 8, 6);
    const auto Walk = [this](ANIM_SUBTYPES eDirection) {
        m_kSnake.SetDirection(eDirection);
        Step(4);
    };
    Walk(NORTH);
    Walk(WEST);
    ASSERT_FALSE(m_bHitSelf);
    m_kSnake.SetDirection(SOUTH);
    Step(3);
    ASSERT_FALSE(m_bHitSelf);
    Step();
    EXPECT_TRUE(m_bHitSelf);
    // The farmer came down onto (240, 272); the fourth fruit was about to
    // step there from (208, 272): it and the two behind it die where they are.
    EXPECT_EQ(240, X(0));
    EXPECT_EQ(272, Y(0));
    EXPECT_TRUE(m_kSnake.IsAlive());
    EXPECT_EQ(7u, m_kSnake.GetSize());
    for (tnUInt16 m = 0; m < 7; ++m)
        EXPECT_EQ(m < 4, m_kSnake.IsAlive(m)) << "member " << m;
    EXPECT_EQ(208, X(4));
    EXPECT_EQ(272, Y(4));
    // The fruits ahead of the bite moved on in that update.
    EXPECT_EQ(240, X(1));
    EXPECT_EQ(240, Y(1));
}

TEST_F(ChainTest, DeadTailFadesAndIsDroppedWhileTheRestWalksOn)
{
    Build(10, 5, 4);
    m_kSnake.SetDirection(EAST);
    EXPECT_EQ(2, m_kSnake.CutFromHere(3));
    Step(15);
    EXPECT_EQ(5u, m_kSnake.GetSize());
    EXPECT_EQ(15, Red(3));
    EXPECT_EQ(Cell(10) - 96, X(3)) << "a dying member stays where it was cut";
    Step();
    EXPECT_EQ(0, Red(3));
    EXPECT_EQ(5u, m_kSnake.GetSize());
    Step();
    EXPECT_EQ(3u, m_kSnake.GetSize());
    EXPECT_EQ(Cell(10) + 17 * 8, X(0));
}

TEST_F(ChainTest, DeadChainFadesForSixteenUpdatesAndThenEmpties)
{
    Build(6, 6, 2);
    m_kSnake.SetDirection(SOUTH);
    m_kSnake.Die(SOUTH);
    EXPECT_FALSE(m_kSnake.IsAlive());
    for (int i = 1; i <= 16; ++i) {
        Step();
        ASSERT_EQ(3u, m_kSnake.GetSize());
        ASSERT_EQ(i < 16 ? 255 - 16 * i : 0, Red(0));
        ASSERT_EQ(Red(0), Red(2));
        ASSERT_EQ(Cell(6), Y(0)) << "the dead do not walk";
    }
    Step();
    EXPECT_EQ(0u, m_kSnake.GetSize());
    EXPECT_EQ(nullptr, m_kSnake.GetHeadObject());
    EXPECT_FALSE(m_kSnake.IsAlive());
    Step(); // harmless on an empty chain
}

TEST_F(ChainTest, InsertPlacesTheNewcomerOneSpriteBehindTheTailFacingItsWay)
{
    struct Case {
        ANIM_SUBTYPES eDirection;
        long iX, iY;
    } kCases[] = {{WEST, 232, 100}, {EAST, 168, 100}, {NORTH, 200, 132}, {SOUTH, 200, 68}};
    for (const Case& kCase : kCases) {
        skObject kFarmer(m_kSample.ABO(), skObject::PLAYER, 200, 100, 2, -1);
        m_kSnake.Create(kFarmer);
        m_kSnake.SetDirection(kCase.eDirection);
        skObject kFruit(m_kSample.ABO(), skObject::GOOSEBERRY, 5, 5, 10, 10);
        m_kSnake.Insert(kFruit);
        ASSERT_EQ(2u, m_kSnake.GetSize());
        EXPECT_EQ(kCase.iX, X(1));
        EXPECT_EQ(kCase.iY, Y(1));
        EXPECT_EQ(kCase.eDirection, Dir(1));
        EXPECT_EQ(skObject::GOOSEBERRY, m_kSnake.GetMember(1)->GetObjectType());
        EXPECT_EQ(5, kFruit.GetXPosition()) << "the caller's object is left alone";
    }
}

TEST_F(ChainTest, CutFromHereKillsToTheTailAndCountsOnlyTheLiving)
{
    Build(10, 3, 5);
    EXPECT_EQ(4, m_kSnake.CutFromHere(2));
    EXPECT_EQ(0, m_kSnake.CutFromHere(2));
    EXPECT_TRUE(m_kSnake.IsAlive(1));
    EXPECT_FALSE(m_kSnake.IsAlive(2));
    EXPECT_FALSE(m_kSnake.IsAlive(5));
    // Cutting further up stops at the first member already dying.
    EXPECT_EQ(1, m_kSnake.CutFromHere(1));
    EXPECT_EQ(0, m_kSnake.CutFromHere(6));
    EXPECT_EQ(0, m_kSnake.CutFromHere(100));
    EXPECT_TRUE(m_kSnake.IsAlive());
    EXPECT_EQ(1, m_kSnake.CutFromHere(0));
    EXPECT_FALSE(m_kSnake.IsAlive());
}

TEST_F(ChainTest, FindingMembersByPointAndBox)
{
    Build(5, 2, 2); // members at x 176, 144, 112; y 80
    EXPECT_EQ(0u, m_kSnake.Occupy(176, 80));
    EXPECT_EQ(2u, m_kSnake.Occupy(112, 80));
    EXPECT_EQ(0xFFFFFFFFu, m_kSnake.Occupy(113, 80));
    EXPECT_EQ(1u, m_kSnake.Intercept(144 - 31, 80 + 31));
    EXPECT_EQ(2u, m_kSnake.Intercept(112 - 31, 80));
    EXPECT_EQ(0xFFFFFFFFu, m_kSnake.Intercept(112 - 32, 80));
    EXPECT_EQ(0xFFFFFFFFu, m_kSnake.Intercept(144, 80 - 32));
    EXPECT_EQ(1u, m_kSnake.InBox(112, 80, 144, 80));
    EXPECT_EQ(2u, m_kSnake.InBox(100, 70, 120, 90));
    EXPECT_EQ(65535, m_kSnake.InBox(0, 0, 100, 300));
    EXPECT_FALSE(m_kSnake.IsAlive(3));
    EXPECT_TRUE(m_kSnake.IsAlive(2));
}

TEST_F(ChainTest, BorderCollisionOnTheEdgeIsSafeOnePixelBeyondKillsAll)
{
    Build(2, 2, 1); // farmer at (80, 80)
    EXPECT_FALSE(m_kSnake.BorderCollision(0, 0, 80, 80));
    EXPECT_FALSE(m_kSnake.BorderCollision(80, 80, 500, 500));
    EXPECT_TRUE(m_kSnake.IsAlive());
    EXPECT_TRUE(m_kSnake.BorderCollision(0, 0, 79, 500));
    EXPECT_FALSE(m_kSnake.IsAlive());
    EXPECT_FALSE(m_kSnake.IsAlive(1));

    Build(2, 2, 0);
    EXPECT_TRUE(m_kSnake.BorderCollision(0, 81, 500, 500));
    Build(2, 2, 0);
    EXPECT_TRUE(m_kSnake.BorderCollision(81, 0, 500, 500));
    Build(2, 2, 0);
    EXPECT_TRUE(m_kSnake.BorderCollision(0, 0, 500, 79));
    // A farmer left of the screen's origin is outside, not a huge number.
    skObject kFarmer(m_kSample.ABO(), skObject::PLAYER, -16, 80, 2, -1);
    m_kSnake.Create(kFarmer);
    EXPECT_TRUE(m_kSnake.BorderCollision(0, 0, 500, 500));
}

TEST_F(ChainTest, OffsetMovesMembersUpToTheFirstOffThePredecessorsLines)
{
    // On a straight run every member moves.
    Build(5, 5, 3);
    m_kSnake.SetDeltaXY(-4, 0);
    m_kSnake.OffsetSnake();
    for (tnUInt32 m = 0; m < 4; ++m)
        EXPECT_EQ(Cell(5) - 32 * static_cast<long>(m) - 4, X(m));

    Build(5, 5, 3);
    m_kSnake.SetDirection(NORTH);
    Step(); // farmer at (176, 168); the first fruit waits at the corner's side (144, 176)
    m_kSnake.SetDeltaXY(0, -8);
    m_kSnake.OffsetSnake();
    EXPECT_EQ(Cell(5), X(0));
    EXPECT_EQ(Cell(5) - 16, Y(0));
    for (tnUInt32 m = 1; m < 4; ++m) {
        EXPECT_EQ(Cell(5) - 32 * static_cast<long>(m), X(m));
        EXPECT_EQ(Cell(5), Y(m));
    }
    // The offset is used up.
    m_kSnake.OffsetSnake();
    EXPECT_EQ(Cell(5) - 16, Y(0));
}
