// What the farmer runs into: the field's edge, the scenery of the cell he
// stands on, and the fruit, trap or bonus lying there. The only place where
// fruits are collected and bonuses used.
#include "mygame.h"
#include "gamechance.h"

#include "gamecolours.h"

#include <cstdlib>

namespace {
const tnUInt32 kFruitGold = 10;
const tnUInt32 kGoldDraw = 100;      // gold found or donated: 0 to 99
const tnUInt8 kMostAntidotes = 255;
} // namespace

void MyGame::HandleSnakeCollision()
{
    if (m_bDying) {
        // The life is taken once the chain has faded away.
        if (m_kSnake.GetSize() == 0)
            m_eGameState = GameLostOneLife;
        return;
    }
    if (m_kSnake.BorderCollision(m_rectMainPanel.left, m_rectMainPanel.top, m_rectMainPanel.right,
                                 m_rectMainPanel.bottom)) {
        m_bDying = true;
        PlayGameSound(SoundElectricShock, IfSoundOn);
        return;
    }
    skObject* head = m_kSnake.GetHeadObject();
    if (!head)
        return;
    // Only exactly on a cell does anything happen.
    const long x = head->GetXPosition(), y = head->GetYPosition();
    const long halfWidth = head->GetABO().GetWidth() / 2, halfHeight = head->GetABO().GetHeight() / 2;
    if (!IsOnCell(x, y, halfWidth, halfHeight))
        return;
    tnInt32 column = 0, row = 0;
    CellUnder(x, y, halfWidth, halfHeight, column, row);
    tnMap::MapData* cell = FieldCell(column, row);
    if (!cell)
        return;
    HandleStaticObjectCollision(cell, x, y);
    if (m_bDying || !cell->m_pkObject)
        return;
    HandlePickup(*static_cast<skObject*>(cell->m_pkObject));
}

void MyGame::HandleStaticObjectCollision(tnMap::MapData* cell, long x, long y)
{
    const tnUInt8 kind = cell->m_iStaticObj;
    if (IsSolid(kind)) {
        KillFarmer("Nice Hit...", x, y);
        PlayGameSound(kind == tnMap::COW ? SoundCow : kind == tnMap::TIGER ? SoundTiger : SoundThump, IfSoundOn);
        return;
    }
    // Water washes every fruit away; the farmer wades on.
    if (IsWaterLike(kind) && m_kSnake.IsAlive(1)) {
        PlayGameSound(SoundDropInWater, IfSoundOn);
        m_eCurrentSound = SoundDropInWater;
        m_kSnake.CutFromHere(1);
        ShowStatementOnField(x, y, "All Fruits Lost", GameColour::StatementRed);
    }
}

void MyGame::HandlePickup(skObject& object)
{
    const skObject::ObjectType kind = object.GetObjectType();
    if (skObject::IsFruit(kind)) {
        CollectFruit(object);
        return;
    }
    switch (kind) {
    case skObject::BOMB: ExplodeBomb(object); break;
    case skObject::STAR: TakeStar(object); break;
    case skObject::BASKET: TakeBasket(object); break;
    case skObject::POISONIVY: EatPoison(object, "Ate Poison Ivy", "Poison! Used 1 Antidote"); break;
    case skObject::MUSHROOM: EatPoison(object, "Ate Poison Mushroom", "Poison! Used 1 Antidote"); break;
    case skObject::POISON: EatPoison(object, "Ate Witch's Apple", "Used One Antidote"); break;
    case skObject::MOREFRUITS: TakeMoreFruits(object); break;
    case skObject::ANTIDOTE: TakeAntidote(object); break;
    case skObject::DONATE: TakeDonation(object); break;
    case skObject::GOLD: TakeGold(object); break;
    case skObject::ANGEL: TakeAngel(object); break;
    default: break; // the other traps act through the trap update
    }
}

void MyGame::CollectFruit(skObject& fruit)
{
    m_kSnake.Insert(fruit);
    RecycleFruit(fruit);
    m_iGold += kFruitGold;
    PlayGameSound(SoundSho, IfSoundOn);
}

void MyGame::ExplodeBomb(skObject& bomb)
{
    Unregister(bomb);
    CreateObject(&bomb, skObject::EXPLOSION, bomb.GetXPosition(), bomb.GetYPosition(), true);
    PlayGameSound(SoundExplosion, IfSoundOn);
}

// Every trap and bonus leaves the field; the trap update brings new ones
// after a while.
void MyGame::TakeStar(skObject& star)
{
    const long x = star.GetXPosition(), y = star.GetYPosition();
    PlayGameSound(SoundMagic, IfSoundOn);
    for (m_kTraps.Reset(); m_kTraps.IsIteratorValid(); m_kTraps.Next())
        Unregister(m_kTraps.GetCurrentItem());
    m_kTraps.CleanUp();
    m_fTimerCount = 0.0f;
    m_bTrapDisappear = true;
    ShowStatementOnField(x, y, "Good Luck!!!", GameColour::White);
}

void MyGame::TakeBasket(skObject& basket)
{
    const long x = basket.GetXPosition(), y = basket.GetYPosition();
    if (m_iAvailableTargets != 0) {
        m_bTrapRegenerate = true;
        for (int i = 0; i < 4; ++i)
            CreateFruit(nullptr, skObject::UNKNOWN, x, y, false);
        m_bTrapRegenerate = false;
        PlayGameSound(SoundBong, IfSoundOn);
    } else {
        ShowStatementOnField(x, y, "Empty Basket!!!", GameColour::White);
    }
    RespawnTrap(basket);
}

// Poison ivy, the mushroom and the witch's apple kill unless an antidote is
// held; they stay where they are either way.
void MyGame::EatPoison(skObject& poison, const char* death, const char* cure)
{
    const long x = poison.GetXPosition(), y = poison.GetYPosition();
    if (m_iAntidote == 0) {
        KillFarmer(death, x, y);
        return;
    }
    --m_iAntidote;
    ShowStatementOnField(x, y, cure, GameColour::White);
}

void MyGame::TakeMoreFruits(skObject& bonus)
{
    const long x = bonus.GetXPosition(), y = bonus.GetYPosition();
    const bool atBound = m_iMaxTargetsOnScreen < m_iTargets + 1;
    if (!atBound)
        ++m_iTargets;
    CreateFruit(nullptr, skObject::UNKNOWN, -1, -1, true);
    RespawnTrap(bonus);
    ShowStatementOnField(x, y, atBound ? "Max 10 Fruits" : "+ 1 Fruit", GameColour::White);
    PlayGameSound(SoundSho, IfSoundOn);
}

void MyGame::TakeAntidote(skObject& antidote)
{
    const long x = antidote.GetXPosition(), y = antidote.GetYPosition();
    if (m_iAntidote != kMostAntidotes)
        ++m_iAntidote;
    RespawnTrap(antidote);
    ShowStatement(x, y, "Got One Antidote", GameColour::White);
    PlayGameSound(SoundSho, IfSoundOn);
}

// The donation box takes gold while there is any, else a third of the chain.
// It stays on the field.
void MyGame::TakeDonation(skObject& box)
{
    const long x = box.GetXPosition(), y = box.GetYPosition();
    tnStringC text("Donated ");
    if (m_iGold != 0) {
        tnUInt32 given = static_cast<tnUInt32>(GameChance::Random()) % kGoldDraw;
        if (given > m_iGold)
            given = m_iGold;
        m_iGold -= given;
        text += given;
        text += " Gold";
    } else if (m_kSnake.GetSize() > 1) {
        const tnUInt32 size = m_kSnake.GetSize();
        const tnUInt32 given = size / 3;
        m_kSnake.CutFromHere(size - given);
        text += given;
        text += " fruits";
    } else {
        return; // nothing to give
    }
    PlayGameSound(SoundThankYou, IfSoundOn);
    ShowStatementOnField(x, y, text, GameColour::StatementRed);
}

void MyGame::TakeGold(skObject& gold)
{
    const long x = gold.GetXPosition(), y = gold.GetYPosition();
    const tnUInt32 found = static_cast<tnUInt32>(GameChance::Random()) % kGoldDraw;
    m_iGold += found;
    RespawnTrap(gold);
    tnStringC text("Found ");
    text += found;
    text += " Gold";
    ShowStatement(x, y, text, GameColour::White);
    PlayGameSound(SoundGold, IfSoundOn);
}

// An angel at full lives waits on the field for a later visit.
void MyGame::TakeAngel(skObject& angel)
{
    const long x = angel.GetXPosition(), y = angel.GetYPosition();
    if (m_iPlayerMaxLife < m_iPlayerLife + 1) {
        ShowStatement(x, y, "Max 5 Lives", GameColour::White);
        return;
    }
    ++m_iPlayerLife;
    RespawnTrap(angel);
    ShowStatement(x, y, "Life +1", GameColour::White);
    PlayGameSound(SoundSho, IfSoundOn);
}

void MyGame::RespawnTrap(skObject& trap)
{
    Unregister(trap);
    CreateObject(&trap, skObject::UNKNOWN, -1, -1, true);
}

void MyGame::KillFarmer(const char* text, long x, long y)
{
    ShowStatement(x, y, text, GameColour::StatementRed);
    m_kSnake.Die(ANIMATION_DATA::SOUTH);
    m_bDying = true;
}
