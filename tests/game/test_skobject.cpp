#include "sampleabo.h"
#include "skobject.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

namespace {

using namespace ANIMATION_DATA;

tnUInt8 Red(skObject& kObject) { return (kObject.GetABO().GetColor() >> 16) & 0xFF; }

} // namespace

TEST(skObject, NewObjectHasNoKindAndLivesForEver)
{
    skObject kObject;
    EXPECT_EQ(skObject::EMPTY, kObject.GetObjectType());
    EXPECT_EQ(59, skObject::EMPTY);
    EXPECT_EQ(58, skObject::UNKNOWN);
    // Kinds are computed from sample indices: fruits 1..40, traps and bonuses 41..57.
    EXPECT_EQ(40, skObject::APPLE1 + 39);
    EXPECT_EQ(skObject::GOOSEBERRY, skObject::APPLE1 + 39);
    EXPECT_EQ(skObject::EXPLOSION, skObject::RAIN + 16);
    EXPECT_EQ(skObject::STAR, skObject::RAIN + 8);
    EXPECT_FLOAT_EQ(0.0f, kObject.GetTime());
    EXPECT_FLOAT_EQ(-1.0f, kObject.GetLifeTime());
    EXPECT_EQ(WALK, kObject.GetAction());
    EXPECT_EQ(EAST, kObject.GetDirection());
    EXPECT_TRUE(kObject.IsAlive());
    EXPECT_FALSE(kObject.TimeUp());
    // Nothing to draw from, and no crash trying.
    EXPECT_EQ(tnErrorAnimation, kObject.Render());
}

TEST(skObject, LifeTimeFromEqualBoundsIsExactAndFromUnequalBoundsAWholeSecondInRange)
{
    SampleABO kSample;
    ASSERT_TRUE(kSample.Loaded());
    skObject kExact(kSample.ABO(), skObject::APPLE1, 10, 20, 27, 27);
    EXPECT_FLOAT_EQ(27.0f, kExact.GetLifeTime());

    std::srand(7);
    std::set<int> kSeen;
    for (int i = 0; i < 400; ++i) {
        skObject kObject(kSample.ABO(), skObject::APPLE1, 10, 20, 27, 33);
        const float fLife = kObject.GetLifeTime();
        ASSERT_EQ(std::floor(fLife), fLife);
        ASSERT_GE(fLife, 27.0f);
        ASSERT_LE(fLife, 33.0f);
        kSeen.insert(static_cast<int>(fLife));
    }
    EXPECT_EQ(7u, kSeen.size());
}

TEST(skObject, MinusOneAtEitherBoundIsUnlimitedAndNeverTimesUp)
{
    SampleABO kSample;
    skObject kFarmer(kSample.ABO(), skObject::PLAYER, 0, 0, 2, -1);
    skObject kOther(kSample.ABO(), skObject::GOLD, 0, 0, -1, 30);
    for (skObject* pkObject : {&kFarmer, &kOther}) {
        EXPECT_FLOAT_EQ(-1.0f, pkObject->GetLifeTime());
        pkObject->UpdateTime(1.0e9f);
        EXPECT_FALSE(pkObject->TimeUp());
    }
}

TEST(skObject, BoundsTheWrongWayRoundGiveTheMinimum)
{
    SampleABO kSample;
    skObject kObject(kSample.ABO(), skObject::BOMB, 0, 0, 12, 11);
    EXPECT_FLOAT_EQ(12.0f, kObject.GetLifeTime());
}

TEST(skObject, TimeUpWhenTheTimeReachesTheLifeTime)
{
    SampleABO kSample;
    skObject kObject(kSample.ABO(), skObject::APPLE1, 0, 0, 5, 5);
    kObject.UpdateTime(4.5f);
    EXPECT_FALSE(kObject.TimeUp());
    kObject.UpdateTime(0.5f);
    EXPECT_FLOAT_EQ(5.0f, kObject.GetTime());
    EXPECT_TRUE(kObject.TimeUp());
    kObject.SetLifeTime(6.0f);
    EXPECT_FALSE(kObject.TimeUp());
}

TEST(skObject, CreateStartsAUsedObjectAfresh)
{
    SampleABO kSample;
    skObject kObject(kSample.ABO(), skObject::APPLE1, 48, 80, 3, 3);
    kObject.SetMovingStep(8, 0);
    kObject.Update(2.0f, WALK, NORTH);
    kObject.Die(EAST);
    kObject.Update(0.1f, WALK, NORTH);
    ASSERT_NE(0xFFFFFFFFu, kObject.GetABO().GetColor());

    kObject.Create(kSample.ABO(), skObject::GOLD, 112, 144, -1, -1);
    EXPECT_EQ(skObject::GOLD, kObject.GetObjectType());
    EXPECT_EQ(112, kObject.GetXPosition());
    EXPECT_EQ(144, kObject.GetYPosition());
    EXPECT_TRUE(kObject.IsAlive());
    EXPECT_FLOAT_EQ(0.0f, kObject.GetTime());
    EXPECT_FLOAT_EQ(-1.0f, kObject.GetLifeTime());
    EXPECT_EQ(0, kObject.GetMovingX());
    EXPECT_EQ(EAST, kObject.GetDirection());
    EXPECT_EQ(WALK, kObject.GetAction());
    EXPECT_EQ(0xFFFFFFFFu, kObject.GetABO().GetColor());
    // The copy shares the game's animation set.
    EXPECT_EQ(kSample.ABO().GetCurrentAnimation(), kObject.GetABO().GetCurrentAnimation());
}

TEST(skObject, SameActionAndDirectionAdvancesChangedOneSwitchesWithoutAdvancing)
{
    SampleABO kSample;
    skObject kObject(kSample.ABO(), skObject::PLAYER, 16, 16, 2, -1);
    kObject.Update(0.1f, 24, 16, WALK, EAST);
    EXPECT_EQ(1, kObject.GetABO().GetCurrentFrame());
    kObject.Update(0.1f, 32, 16, WALK, EAST);
    EXPECT_EQ(2, kObject.GetABO().GetCurrentFrame());

    kObject.Update(0.1f, 32, 8, WALK, NORTH);
    EXPECT_EQ(0, kObject.GetABO().GetCurrentFrame());
    EXPECT_EQ(NORTH, kObject.GetABO().GetSubType());
    EXPECT_EQ(NORTH, kObject.GetDirection());
    kObject.Update(0.1f, 32, 0, WALK, NORTH);
    EXPECT_EQ(1, kObject.GetABO().GetCurrentFrame());

    kObject.Update(0.1f, 32, 0, DIE, EAST);
    EXPECT_EQ(DIE, kObject.GetABO().GetType());
    EXPECT_EQ(DIE, kObject.GetAction());
    EXPECT_EQ(0, kObject.GetABO().GetCurrentFrame());

    EXPECT_EQ(32, kObject.GetXPosition());
    EXPECT_EQ(0, kObject.GetYPosition());
    EXPECT_FLOAT_EQ(0.5f, kObject.GetTime());
}

TEST(skObject, MovingUpdateAddsTheMovingStep)
{
    SampleABO kSample;
    skObject kObject(kSample.ABO(), skObject::TORNADO, 100, 100, -1, -1);
    kObject.SetMovingStep(-8, 3);
    kObject.Update(0.25f, WALK, EAST);
    kObject.Update(0.25f, WALK, EAST);
    EXPECT_EQ(84, kObject.GetXPosition());
    EXPECT_EQ(106, kObject.GetYPosition());
    EXPECT_FLOAT_EQ(0.5f, kObject.GetTime());
}

TEST(skObject, DeadObjectFadesBySixteenPerUpdateKeepingAlphaWhateverTheDirection)
{
    SampleABO kSample;
    for (ANIM_SUBTYPES eDirection : {EAST, SOUTH, NONESUBTYPE}) {
        skObject kObject(kSample.ABO(), skObject::APPLE1, 50, 50, -1, -1);
        kObject.Die(eDirection);
        EXPECT_FALSE(kObject.IsAlive());
        const tnUInt8 iFrame = kObject.GetABO().GetCurrentFrame();
        for (int i = 1; i <= 15; ++i) {
            kObject.Update(i == 1 ? 5.0f : 0.0f, 50, 50, WALK, EAST);
            ASSERT_EQ(255 - 16 * i, Red(kObject));
        }
        kObject.Update(0.0f, 50, 50, WALK, EAST);
        EXPECT_EQ(0xFF000000u, kObject.GetABO().GetColor());
        EXPECT_EQ(iFrame, kObject.GetABO().GetCurrentFrame());
        kObject.Update(0.0f, 60, 50, WALK, NORTH);
        EXPECT_EQ(0xFF000000u, kObject.GetABO().GetColor());
        EXPECT_EQ(60, kObject.GetXPosition());
        EXPECT_EQ(EAST, kObject.GetDirection());
    }
}

TEST(skObject, SetDirectionTurnsTheSpriteWithinItsAnimation)
{
    SampleABO kSample;
    skObject kObject(kSample.ABO(), skObject::PLAYER, 16, 16, 2, -1);
    kObject.SetDirection(WEST);
    EXPECT_EQ(WEST, kObject.GetDirection());
    EXPECT_EQ(WEST, kObject.GetABO().GetSubType());
    // The next walk west then advances instead of restarting.
    kObject.Update(0.1f, 8, 16, WALK, WEST);
    EXPECT_EQ(1, kObject.GetABO().GetCurrentFrame());
}
