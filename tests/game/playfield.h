#ifndef TESTS_PLAYFIELD_H
#define TESTS_PLAYFIELD_H

#include "gamefixture.h"
#include "testcontrol.h"

#include <cstdlib>
#include <string>
#include <vector>

// Play on a known field: the game's own layout (27 x 23 cells), open ground
// everywhere, nothing spawned at random, the farmer and every object put
// where a test wants them. Sound on, rand seeded.
class PlayField : public GameFixture {
protected:
    using Direction = ANIMATION_DATA::ANIM_SUBTYPES;

    void SetUp() override
    {
        GameFixture::SetUp();
        ReachMenu();
        ASSERT_TRUE(Probe().Map().Create(Game().GetDevice(), 1, Probe().XGrids(), Probe().YGrids()));
        Samples(Probe().FruitList(), {0, 1, 2, 3});
        Probe().AvailableTargets() = 4;
        Samples(Probe().ObjectList(), {skObject::GOLD - skObject::RAIN});
        Probe().AvailableTraps() = 1;
        Probe().Targets() = 0;
        Probe().Traps() = 5;
        std::srand(7);
    }

    static void Samples(tnVector<tnUInt16>& list, const std::vector<tnUInt16>& samples)
    {
        list.set_size(static_cast<tnUInt32>(samples.size()));
        for (tnUInt32 i = 0; i < samples.size(); ++i)
            list[i] = samples[i];
    }

    // An empty field, the farmer alone on (column, row), walking `heading`
    // (NONESUBTYPE: standing idle, facing east).
    void PlaceFarmer(int column, int row, tnUInt16 speed = 8, Direction heading = ANIMATION_DATA::EAST)
    {
        Probe().Snake().CleanUp();
        Probe().TargetList().CleanUp();
        Probe().TrapList().CleanUp();
        Probe().TempTargetList().CleanUp();
        Probe().Statements().clear();
        Probe().Map().ClearObjectList();
        Probe().Dying() = false;
        Probe().NextDirection() = ANIMATION_DATA::NONESUBTYPE;
        Probe().CurrentSound() = MyGame::NoSound;
        skObject farmer(Probe().PlayerABO(), skObject::PLAYER, X(column), Y(row), 2, -1);
        Probe().Snake().Init(speed);
        Probe().Snake().Create(farmer);
        if (heading != ANIMATION_DATA::NONESUBTYPE)
            Probe().Snake().SetDirection(heading);
        Probe().State() = MyGame::GameRunning;
        testcontrol::ClearSoundEvents();
    }

    // Fruits in a row behind the farmer, all facing his way.
    void GiveFruits(int count)
    {
        skObject fruit(Probe().TargetABOList()[0], skObject::APPLE1, 0, 0, 30, 30);
        for (int i = 0; i < count; ++i)
            Probe().Snake().Insert(fruit);
    }

    skObject& PutFruit(int column, int row)
    {
        Game().CreateFruit(nullptr, skObject::UNKNOWN, X(column), Y(row), true);
        return Probe().TargetList().GetTail()->data;
    }

    // A trap or bonus whose sprite's top-left cell is (column, row).
    skObject& PutTrap(skObject::ObjectType kind, int column, int row)
    {
        const long half = Probe().TrapABOList()[kind - skObject::RAIN].GetWidth() / 2;
        Game().CreateObject(nullptr, kind, X(column, half), Y(row, half), true);
        return Probe().TrapList().GetTail()->data;
    }

    long X(int column, long half = 16) { return Probe().MainPanel().left + 32 * column + half; }
    long Y(int row, long half = 16) { return Probe().MainPanel().top + 32 * row + half; }
    tnMap::MapData& Cell(int column, int row) { return *Probe().Map().GetMapDataPtr(0, column, row); }
    skObject& Farmer() { return *Probe().Snake().GetHeadObject(); }

    // Living members of the chain, the farmer included.
    int Living()
    {
        int living = 0;
        for (tnUInt32 i = 0; i < Probe().Snake().GetSize(); ++i)
            living += Probe().Snake().IsAlive(static_cast<tnUInt16>(i)) ? 1 : 0;
        return living;
    }

    std::string LastStatement()
    {
        tnVector<tnStatement>& list = Probe().Statements();
        if (list.size() == 0)
            return std::string();
        tnStringC text(list[list.size() - 1].GetText());
        const char* characters = text;
        return characters ? characters : "";
    }
    tnUInt32 LastStatementColour()
    {
        tnVector<tnStatement>& list = Probe().Statements();
        return list.size() ? list[list.size() - 1].GetColor() : 0;
    }

    bool Played(MyGame::GameSound sound)
    {
        for (MyGame::GameSound started : StartedGameSounds())
            if (started == sound)
                return true;
        return false;
    }

    static constexpr tnUInt32 kWhite = 0xFFFFFFFFu;
    static constexpr tnUInt32 kRed = 0xFFFF001Eu;
};

#endif
