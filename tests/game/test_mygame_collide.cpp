#include "playfield.h"

namespace {

using Kind = skObject::ObjectType;

class Collision : public PlayField {
protected:
    // A seed whose first draw of rand() % 100 is `value`.
    static unsigned SeedDrawing(int value)
    {
        for (unsigned seed = 1;; ++seed) {
            std::srand(seed);
            if (std::rand() % 100 == value)
                return seed;
        }
    }
};

// What the farmer finds on the cell he steps onto: the scenery, or the
// object lying there (EMPTY: none), with his gold, lives, antidotes and
// fruits before, and what must follow.
struct Encounter {
    const char* what;
    tnUInt8 scenery;
    Kind kind;
    tnUInt32 gold;
    tnUInt16 lives;
    tnUInt8 antidotes;
    int fruits;
    tnUInt32 goldAfter;
    tnUInt16 livesAfter;
    tnUInt8 antidotesAfter;
    int livingAfter; // chain members alive, the farmer counted; 0: he died
    const char* statement;
    tnUInt32 colour;
    MyGame::GameSound sound; // NoSound: silence
    bool objectStays;
};

constexpr tnUInt32 W = 0xFFFFFFFFu, R = 0xFFFF001Eu;
const Kind None = skObject::EMPTY;

const Encounter kEncounters[] = {
    {"tree", tnMap::TREE1, None, 5, 3, 0, 2, 5, 3, 0, 0, "Nice Hit...", R, MyGame::SoundThump, false},
    {"cow", tnMap::COW, None, 5, 3, 0, 0, 5, 3, 0, 0, "Nice Hit...", R, MyGame::SoundCow, false},
    {"tiger", tnMap::TIGER, None, 5, 3, 0, 0, 5, 3, 0, 0, "Nice Hit...", R, MyGame::SoundTiger, false},
    {"rock", tnMap::ROCK2, None, 5, 3, 0, 0, 5, 3, 0, 0, "Nice Hit...", R, MyGame::SoundThump, false},
    {"water, fruits", tnMap::WATER1, None, 5, 3, 0, 3, 5, 3, 0, 1, "All Fruits Lost", R,
     MyGame::SoundDropInWater, false},
    {"water, none", 11, None, 5, 3, 0, 0, 5, 3, 0, 1, "", 0, MyGame::NoSound, false},
    {"bridge", tnMap::BRIDGE2, None, 5, 3, 0, 3, 5, 3, 0, 4, "", 0, MyGame::NoSound, false},
    {"flower", tnMap::FLOWER6, None, 5, 3, 0, 3, 5, 3, 0, 4, "", 0, MyGame::NoSound, false},
    {"ivy", 0, skObject::POISONIVY, 5, 3, 0, 1, 5, 3, 0, 0, "Ate Poison Ivy", R, MyGame::NoSound, true},
    {"mushroom", 0, skObject::MUSHROOM, 5, 3, 0, 1, 5, 3, 0, 0, "Ate Poison Mushroom", R, MyGame::NoSound, true},
    {"mushroom, cured", 0, skObject::MUSHROOM, 5, 3, 2, 1, 5, 3, 1, 2, "Poison! Used 1 Antidote", W,
     MyGame::NoSound, true},
    {"apple", 0, skObject::POISON, 5, 3, 0, 0, 5, 3, 0, 0, "Ate Witch's Apple", R, MyGame::NoSound, true},
    {"apple, cured", 0, skObject::POISON, 5, 3, 1, 0, 5, 3, 0, 1, "Used One Antidote", W, MyGame::NoSound, true},
    {"antidote at 255", 0, skObject::ANTIDOTE, 5, 3, 255, 0, 5, 3, 255, 1, "Got One Antidote", W, MyGame::SoundSho,
     false},
    {"angel at five", 0, skObject::ANGEL, 5, 5, 0, 0, 5, 5, 0, 1, "Max 5 Lives", W, MyGame::NoSound, true},
    {"angel at four", 0, skObject::ANGEL, 5, 4, 0, 0, 5, 5, 0, 1, "Life +1", W, MyGame::SoundSho, false},
    {"gold", 0, skObject::GOLD, 5, 3, 0, 0, 62, 3, 0, 1, "Found 57 Gold", W, MyGame::SoundGold, false},
    {"donate gold", 0, skObject::DONATE, 42, 3, 0, 2, 0, 3, 0, 3, "Donated 42 Gold", R, MyGame::SoundThankYou, true},
    {"donate of six", 0, skObject::DONATE, 0, 3, 0, 5, 0, 3, 0, 4, "Donated 2 fruits", R, MyGame::SoundThankYou, true},
    {"donate of two", 0, skObject::DONATE, 0, 3, 0, 1, 0, 3, 0, 2, "Donated 0 fruits", R, MyGame::SoundThankYou, true},
    {"donate nothing", 0, skObject::DONATE, 0, 3, 0, 0, 0, 3, 0, 1, "", 0, MyGame::NoSound, true},
    {"star", 0, skObject::STAR, 5, 3, 0, 0, 5, 3, 0, 1, "Good Luck!!!", W, MyGame::SoundMagic, false},
    {"empty basket", 0, skObject::BASKET, 5, 3, 0, 0, 5, 3, 0, 1, "Empty Basket!!!", W, MyGame::NoSound, false},
    {"rain", 0, skObject::RAIN, 5, 3, 0, 2, 5, 3, 0, 3, "", 0, MyGame::NoSound, true},
    {"bomb", 0, skObject::BOMB, 5, 3, 0, 0, 5, 3, 0, 1, "", 0, MyGame::SoundExplosion, true}, // last: see below
};

} // namespace

TEST_F(Collision, EveryKindOfCellHasItsEffectStatementAndSound)
{
    const unsigned seed = SeedDrawing(57);
    Probe().AvailableTargets() = 0; // the basket comes empty
    for (const Encounter& e : kEncounters) {
        SCOPED_TRACE(e.what);
        PlaceFarmer(6, 5);
        GiveFruits(e.fruits);
        Cell(6, 5).m_iStaticObj = e.scenery;
        skObject* object = e.kind == None ? nullptr : &PutTrap(e.kind, 6, 5);
        testcontrol::ClearSoundEvents();
        Probe().Gold() = e.gold;
        Probe().PlayerLife() = e.lives;
        Probe().Antidote() = e.antidotes;
        std::srand(seed);

        Probe().HandleSnakeCollision();
        ExpectCellBookkeeping();

        EXPECT_EQ(e.goldAfter, Probe().Gold());
        EXPECT_EQ(e.livesAfter, Probe().PlayerLife());
        EXPECT_EQ(e.antidotesAfter, Probe().Antidote());
        EXPECT_EQ(e.livingAfter, Living());
        EXPECT_EQ(e.livingAfter == 0, Probe().Dying());
        EXPECT_EQ(e.statement, LastStatement());
        EXPECT_EQ(e.colour, *e.statement ? LastStatementColour() : 0u);
        const std::vector<MyGame::GameSound> sounds = StartedGameSounds();
        EXPECT_EQ(e.sound == MyGame::NoSound ? 0u : 1u, sounds.size());
        EXPECT_EQ(e.sound, sounds.empty() ? MyGame::NoSound : sounds[0]);
        EXPECT_EQ(e.objectStays, object && Cell(6, 5).m_pkObject == object);
    }
    // The bomb became an explosion at its own centre, in its own cell.
    skObject& explosion = Probe().TrapList().GetTail()->data;
    EXPECT_EQ(skObject::EXPLOSION, explosion.GetObjectType());
    EXPECT_EQ(X(6), explosion.GetXPosition());
    EXPECT_EQ(&explosion, Cell(6, 5).m_pkObject);
}

// The fruit's list entry is re-used elsewhere while the field holds no more
// than it should; more fruits raises the count up to ten, and always adds one.
TEST_F(Collision, FruitsAreRecycledOrDroppedAndMoreFruitsStopsAtTen)
{
    struct Case {
        Kind kind;
        tnUInt16 targets;
        int onField;
        tnUInt16 targetsAfter;
        tnUInt32 onFieldAfter;
        const char* statement;
    } cases[] = {
        {skObject::APPLE1, 5, 5, 5, 5, ""},
        {skObject::APPLE1, 5, 7, 5, 6, ""},
        {skObject::MOREFRUITS, 9, 0, 10, 1, "+ 1 Fruit"},
        {skObject::MOREFRUITS, 10, 0, 10, 1, "Max 10 Fruits"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        PlaceFarmer(6, 5);
        Probe().Targets() = c.targets;
        for (int i = 0; i < c.onField - 1; ++i)
            PutFruit(1 + i, 10);
        c.kind == skObject::APPLE1 ? PutFruit(6, 5) : PutTrap(c.kind, 6, 5);
        const tnUInt32 chain = Probe().Snake().GetSize();
        Probe().Gold() = 0;

        Probe().HandleSnakeCollision();
        ExpectCellBookkeeping();

        EXPECT_EQ(c.targetsAfter, Probe().Targets());
        EXPECT_EQ(c.onFieldAfter, Probe().TargetList().Size());
        EXPECT_EQ(c.statement, LastStatement());
        EXPECT_EQ(nullptr, Cell(6, 5).m_pkObject);
        const bool fruit = c.kind == skObject::APPLE1;
        EXPECT_EQ(chain + (fruit ? 1 : 0), Probe().Snake().GetSize());
        EXPECT_EQ(fruit ? 10u : 0u, Probe().Gold());
        EXPECT_EQ(std::vector<MyGame::GameSound>{MyGame::SoundSho}, StartedGameSounds());
    }
}

TEST_F(Collision, NothingHappensBetweenCellsAndADeathWaitsForTheChainToFade)
{
    PlaceFarmer(6, 5);
    GiveFruits(3);
    PutTrap(skObject::POISONIVY, 7, 5);
    Cell(7, 5).m_iStaticObj = tnMap::TREE1;
    Farmer().SetPosition(X(6) + 24, Y(5)); // 8 pixels short of the ivy and the tree
    Probe().HandleSnakeCollision();
    EXPECT_FALSE(Probe().Dying());
    EXPECT_EQ(0u, Probe().Statements().size());

    PlayStep(); // moves onto the cell
    EXPECT_FALSE(Probe().Dying());
    PlayStep(); // the tree kills before the ivy is eaten
    ASSERT_TRUE(Probe().Dying());
    EXPECT_EQ("Nice Hit...", LastStatement());
    EXPECT_EQ(1u, Probe().Statements().size());
    int steps = 0;
    while (Probe().State() == MyGame::GameRunning && steps < 40) {
        PlayStep();
        ++steps;
    }
    // Fifteen more fading steps, one that drops the faded chain, one that
    // notices it is gone.
    EXPECT_EQ(17, steps);
    EXPECT_EQ(MyGame::GameLostOneLife, Probe().State());
    EXPECT_EQ(0u, Probe().Snake().GetSize());
}
