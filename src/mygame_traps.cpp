// What the traps and bonuses do over time: they age and animate, are
// recycled when their time is up, come back after a star, and work their
// area effects on the field and the chain. Runs once per play step, after
// the collisions and before the chain moves.
#include "mygame.h"
#include "gamechance.h"

#include "gamecolours.h"

#include <cstdlib>

namespace {
// Many rules count an object's age in ticks of this length.
const tnReal32 kTickSeconds = 0.033f;
// The looping sound of a trap may start again after this many ticks.
const tnUInt32 kSoundTicks = 16;
const tnUInt32 kTornadoTicks = 4;   // a tornado acts on every fourth tick
const tnUInt32 kTornadoStep = 8;    // pixels per move
const long kTornadoHearing = 2116;  // squared: 46 pixels
const tnUInt32 kSlowAnimationTicks = 3;
const tnUInt32 kBombTicks = 4;      // a bomb about to go off flickers on every fourth tick
const tnReal32 kBombQuiet = 5.0f;   // seconds before its end a bomb starts to flicker
const tnReal32 kBombFuse = 0.15f;   // seconds before its end a bomb goes off
const tnReal32 kLitFuse = 1.0f;     // seconds a bomb lasts once fire reaches it
const tnUInt32 kLightningTicks = 200;

tnUInt32 TicksIn(tnReal32 seconds)
{
    return static_cast<tnUInt32>(seconds / kTickSeconds);
}

tnUInt32 Tick(const skObject& object)
{
    return TicksIn(object.GetTime());
}

// Ticks come from summed frame steps of about 1/30 s, a little longer than
// a tick, so now and then one is skipped: true when this step's tick is a
// multiple of `every`, or the last step jumped over one.
bool ReachesTick(const skObject& object, tnUInt32 tick, tnReal32 step, tnUInt32 every)
{
    const tnUInt32 before = object.GetTime() >= step ? TicksIn(object.GetTime() - step) : tick;
    return tick % every == 0 || before / every != tick / every;
}

// Ages every tick, animates only on every n-th.
void AnimateOnTicks(skObject& object, tnReal32 step, tnUInt32 tick, tnUInt32 n)
{
    if (tick % n == 0)
        object.UpdateInPlace(step);
    else
        object.UpdateTime(step);
}

bool InRange(int value, int first, int last)
{
    return value >= first && value <= last;
}
} // namespace

struct TrapHit {
    const char* death; // the farmer is hit (flood and rain: every fruit is lost)
    const char* loss;  // fruits are lost: this, their number, and `tail`
    const char* tail;
};

struct WreckRule {
    int firstBlown, lastBlown;   // trap and bonus kinds blown away to a new place
    bool (*destroys)(tnUInt8);   // the scenery it removes
    bool lightsBombs;            // a bomb in the cell goes off shortly
};

namespace {
const TrapHit kTornadoHit = {"Killed By Tornado", "Tornado! Lost ", " fruits"};
const TrapHit kFireHit = {"Killed in Fire", "Fire Burned ", " Fruits"};
const TrapHit kExplosionHit = {"Killed in Bomb Explosion", "Bomb! Lost ", " fruits"};
const TrapHit kLightningHit = {"Killed By Lightening Bolt", "Lightening Bolt! Lost ", " fruits"};
const TrapHit kFloodHit = {"All Fruits Ruined!", "Flood Ruined ", " Fruits"};
const TrapHit kRainHit = {"All Fruits Ruined ", "Rain Ruined ", " Fruits"};

// Rain, the tornado itself, flood and lightning stay in a tornado's way.
const WreckRule kTornadoWreck = {skObject::FIRE, skObject::EXPLOSION, &MyGame::BlowsAway, false};
const WreckRule kFireWreck = {skObject::POISONIVY, skObject::GOLD, &MyGame::Burns, true};
const WreckRule kFloodWreck = {skObject::BOMB, skObject::GOLD, &MyGame::BlowsAway, false};
const WreckRule kExplosionWreck = {skObject::POISONIVY, skObject::GOLD, &MyGame::BlowsAway, true};
} // namespace

void MyGame::UpdateTrap(tnReal32 step)
{
    // While the farmer is dead (or not there) the traps wait.
    if (!m_kSnake.IsAlive())
        return;
    if (m_kTraps.Empty())
        BringTrapsBack(step);
    for (m_kTraps.Reset(); m_kTraps.IsIteratorValid(); m_kTraps.Next()) {
        skObject& trap = m_kTraps.GetCurrentItem();
        if (trap.TimeUp())
            RespawnTrap(trap);
        else
            UpdateOneTrap(trap, step);
    }
}

// After a star the field stays free of traps for m_fTrapDisappearTime
// seconds of play.
void MyGame::BringTrapsBack(tnReal32 step)
{
    if (m_bTrapDisappear && m_fTimerCount <= m_fTrapDisappearTime) {
        m_fTimerCount += step;
        return;
    }
    for (tnUInt32 i = 0; i < m_iTraps; ++i)
        CreateObject(nullptr, skObject::UNKNOWN, -1, -1, true);
    if (m_bTrapDisappear) {
        m_fTimerCount = 0.0f;
        m_bTrapDisappear = false;
    }
}

void MyGame::UpdateOneTrap(skObject& trap, tnReal32 step)
{
    const tnUInt32 tick = Tick(trap);
    switch (trap.GetObjectType()) {
    case skObject::TORNADO: UpdateTornado(trap, step, tick); break;
    case skObject::FIRE: UpdateFire(trap, step, tick); break;
    case skObject::FLOOD: UpdateWater(trap, step, tick, true); break;
    case skObject::RAIN: UpdateWater(trap, step, tick, false); break;
    case skObject::STAR: AnimateOnTicks(trap, step, tick, kSlowAnimationTicks); break;
    case skObject::BOMB: UpdateBomb(trap, step, tick); break;
    case skObject::EXPLOSION: UpdateExplosion(trap, step); break;
    case skObject::POISON: UpdateWitchApple(trap); break;
    case skObject::LIGHTENING: UpdateLightning(trap, step, tick); break;
    default: trap.UpdateInPlace(step, ANIMATION_DATA::EAST); break;
    }
}

// A tornado wanders from cell centre to cell centre in random directions,
// wrecking the cell below its eye, and leaves when it reaches the edge.
void MyGame::UpdateTornado(skObject& tornado, tnReal32 step, tnUInt32 tick)
{
    if (tick % kTornadoTicks != 0) {
        tornado.UpdateInPlace(step, ANIMATION_DATA::EAST);
        return;
    }
    const long x = tornado.GetXPosition(), y = tornado.GetYPosition();
    const tnInt32 grid = m_iGridSize;
    bool wrecked = false;
    if (IsOnCell(x, y, grid / 2, grid / 2)) {
        static const tnInt32 kSteps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        const tnInt32* way = kSteps[GameChance::Random() % 4];
        tornado.SetMovingStep(way[0] * static_cast<long>(kTornadoStep), way[1] * static_cast<long>(kTornadoStep));
        tnInt32 column = 0, row = 0;
        CellUnder(x, y, tornado.GetABO().GetWidth() / 2, tornado.GetABO().GetHeight() / 2, column, row);
        wrecked = WreckCell(column + 1, row + 2, kTornadoWreck);
        const tnUInt32 member = m_kSnake.Intercept(ColumnX(column + 1, grid / 2), RowY(row + 2, grid / 2));
        if (member < m_kSnake.GetSize()) {
            HitChain(member, tornado, kTornadoHit);
            PlayTrapSound(SoundTornado);
        }
    } else if (tick % kSoundTicks == 0) {
        m_eCurrentSound = NoSound;
    }
    if (skObject* head = m_kSnake.GetHeadObject()) {
        const long hx = head->GetXPosition() - x, hy = head->GetYPosition() - y;
        if (wrecked || hx * hx + hy * hy <= kTornadoHearing)
            PlayTrapSound(SoundTornado);
    }
    const long nx = x + tornado.GetMovingX(), ny = y + tornado.GetMovingY();
    if (!IsOnField(nx, ny))
        RespawnTrap(tornado);
    else
        tornado.Update(step, tornado.GetAction(), tornado.GetDirection());
}

// Fire burns what lies in its cells, lights bombs and is put out by water
// and bridges.
void MyGame::UpdateFire(skObject& fire, tnReal32 step, tnUInt32 tick)
{
    const CellRange area = AreaOf(fire);
    WreckArea(area, kFireWreck);
    if (AnyCellIs(area, &MyGame::PutsOutFire))
        fire.SetLifeTime(fire.GetTime()); // put out: recycled in the next step
    const tnUInt32 member = MemberInArea(area);
    if (member == skSnake::NoMember) {
        if (tick % kSoundTicks == 0)
            m_eCurrentSound = NoSound;
    } else {
        HitChain(member, fire, kFireHit);
        PlayTrapSound(SoundFire);
    }
    AnimateOnTicks(fire, step, tick, kSlowAnimationTicks);
}

// Flood and rain ruin fruits but never drown the farmer; the flood also
// wrecks its cells.
void MyGame::UpdateWater(skObject& trap, tnReal32 step, tnUInt32 tick, bool flood)
{
    const TrapHit& hit = flood ? kFloodHit : kRainHit;
    const GameSound sound = flood ? SoundFlood : SoundRain;
    const CellRange area = AreaOf(trap);
    if (flood)
        WreckArea(area, kFloodWreck);
    const tnUInt32 member = MemberInArea(area);
    if (member == skSnake::NoMember) {
        if (tick % kSoundTicks == 0)
            m_eCurrentSound = NoSound;
    } else {
        if (member <= 1) {
            // Over the farmer or his first fruit: every fruit is lost.
            if (m_kSnake.IsAlive(1)) {
                m_kSnake.CutFromHere(1);
                ShowStatement(trap.GetXPosition(), trap.GetYPosition(), hit.death, GameColour::StatementRed);
            }
        } else if (member < m_kSnake.GetSize() && m_kSnake.IsAlive(static_cast<tnUInt16>(member))) {
            HitChain(member, trap, hit);
            m_eCurrentSound = NoSound;
        }
        PlayTrapSound(sound);
    }
    AnimateOnTicks(trap, step, tick, kSlowAnimationTicks);
}

// A bomb lies still, flickers in its last five seconds and then explodes.
void MyGame::UpdateBomb(skObject& bomb, tnReal32 step, tnUInt32 tick)
{
    const tnReal32 left = bomb.GetLifeTime() - bomb.GetTime();
    if (left > kBombQuiet)
        bomb.UpdateTime(step);
    else if (left > kBombFuse)
        AnimateOnTicks(bomb, step, tick, kBombTicks);
    else
        ExplodeBomb(bomb);
}

// The explosion grows; on its last frame it wrecks the bomb's cell and the
// eight around it, and is recycled in the next step.
void MyGame::UpdateExplosion(skObject& explosion, tnReal32 step)
{
    if (!explosion.GetABO().IsLastFrame()) {
        explosion.UpdateInPlace(step);
        return;
    }
    const CellRange area = AreaOf(explosion);
    WreckArea(area, kExplosionWreck);
    const tnUInt32 member = MemberInArea(area);
    if (member != skSnake::NoMember)
        HitChain(member, explosion, kExplosionHit);
    explosion.SetLifeTime(explosion.GetTime());
}

// The witch cackles whenever the farmer stands on her apple or next to it.
// The apple itself never ages.
void MyGame::UpdateWitchApple(skObject& apple)
{
    skObject* head = m_kSnake.GetHeadObject();
    if (!head)
        return;
    const long distance =
        std::labs(head->GetXPosition() - apple.GetXPosition()) + std::labs(head->GetYPosition() - apple.GetYPosition());
    if (distance == 0 || distance == m_iGridSize)
        PlayGameSound(SoundWitch, IfSoundOn);
}

// The bolt strikes when it appears and then every 200 ticks, below and to
// the right of its cloud.
void MyGame::UpdateLightning(skObject& bolt, tnReal32 step, tnUInt32 tick)
{
    if (bolt.GetABO().GetCurrentFrame() != 0) {
        bolt.UpdateInPlace(step);
        return;
    }
    if (!ReachesTick(bolt, tick, step, kLightningTicks)) {
        bolt.UpdateTime(step);
        return;
    }
    const long reach = 3 * (m_iGridSize / 2);
    const tnUInt32 member = m_kSnake.Intercept(bolt.GetXPosition() + reach, bolt.GetYPosition() + reach);
    if (member != skSnake::NoMember)
        HitChain(member, bolt, kLightningHit);
    bolt.UpdateInPlace(step);
    PlayGameSound(SoundThunder, IfSoundOn);
}

MyGame::CellRange MyGame::AreaOf(skObject& trap)
{
    tnABO& abo = trap.GetABO();
    tnInt32 column = 0, row = 0;
    CellUnder(trap.GetXPosition(), trap.GetYPosition(), abo.GetWidth() / 2, abo.GetHeight() / 2, column, row);
    const tnInt32 columns = m_iGridSize ? abo.GetWidth() / m_iGridSize : 1;
    const tnInt32 rows = m_iGridSize ? abo.GetHeight() / m_iGridSize : 1;
    // Only cells on the field are ever read or changed.
    CellRange area;
    area.left = column < 0 ? 0 : column;
    area.top = row < 0 ? 0 : row;
    area.right = column + columns - 1;
    area.bottom = row + rows - 1;
    if (area.right >= m_iXGrids)
        area.right = static_cast<tnInt32>(m_iXGrids) - 1;
    if (area.bottom >= m_iYGrids)
        area.bottom = static_cast<tnInt32>(m_iYGrids) - 1;
    return area;
}

bool MyGame::WreckCell(tnInt32 column, tnInt32 row, const WreckRule& rule)
{
    tnMap::MapData* cell = FieldCell(column, row);
    if (!cell)
        return false;
    bool wrecked = false;
    if (cell->m_pkObject) {
        skObject& object = *static_cast<skObject*>(cell->m_pkObject);
        const int kind = object.GetObjectType();
        if (skObject::IsFruit(kind)) {
            RecycleFruit(object);
            wrecked = true;
        } else if (InRange(kind, rule.firstBlown, rule.lastBlown)) {
            RespawnTrap(object);
            wrecked = true;
        } else if (kind == skObject::BOMB && rule.lightsBombs) {
            // Fire only ever brings a bomb's end closer.
            const tnReal32 end = object.GetTime() + kLitFuse;
            if (object.GetLifeTime() == skObject::Unlimited || object.GetLifeTime() > end)
                object.SetLifeTime(end);
        }
    }
    if (rule.destroys(cell->m_iStaticObj)) {
        cell->m_iStaticObj = tnMap::NOSTATICOBJECT;
        cell->m_iTileIndex = 0;
        wrecked = true;
    }
    return wrecked;
}

bool MyGame::WreckArea(const CellRange& area, const WreckRule& rule)
{
    bool wrecked = false;
    for (tnInt32 row = area.top; row <= area.bottom; ++row)
        for (tnInt32 column = area.left; column <= area.right; ++column)
            wrecked = WreckCell(column, row, rule) || wrecked;
    return wrecked;
}

bool MyGame::AnyCellIs(const CellRange& area, bool (*kind)(tnUInt8))
{
    for (tnInt32 row = area.top; row <= area.bottom; ++row) {
        for (tnInt32 column = area.left; column <= area.right; ++column) {
            const tnMap::MapData* cell = FieldCell(column, row);
            if (cell && kind(cell->m_iStaticObj))
                return true;
        }
    }
    return false;
}

tnUInt32 MyGame::MemberInArea(const CellRange& area)
{
    if (area.left > area.right || area.top > area.bottom)
        return skSnake::NoMember;
    const long half = m_iGridSize / 2;
    const tnUInt16 member = m_kSnake.InBox(ColumnX(area.left, half), RowY(area.top, half), ColumnX(area.right, half),
                                          RowY(area.bottom, half));
    return member == skSnake::NoMemberInBox ? skSnake::NoMember : member;
}

// Member 0 is the farmer, who dies; any other living member is cut off with
// every fruit behind it.
void MyGame::HitChain(tnUInt32 index, skObject& trap, const TrapHit& hit)
{
    const long x = trap.GetXPosition(), y = trap.GetYPosition();
    if (index == 0) {
        if (m_kSnake.IsAlive())
            KillFarmer(hit.death, x, y);
        return;
    }
    const tnUInt32 size = m_kSnake.GetSize();
    if (index >= size || size <= 1 || !m_kSnake.IsAlive(static_cast<tnUInt16>(index)))
        return;
    m_kSnake.CutFromHere(index);
    tnStringC text(hit.loss);
    text += size - index;
    text += hit.tail;
    ShowStatementOnField(x, y, text, GameColour::StatementRed);
}

void MyGame::PlayTrapSound(GameSound sound)
{
    if (m_eCurrentSound == sound)
        return;
    PlayGameSound(sound, IfSoundOn);
    m_eCurrentSound = sound;
}
