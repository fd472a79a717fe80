// The play step: steering onto the grid, the keys of play, the level test,
// and then, once the farmer walks, collisions, traps, the chain's move, the
// fruits' ageing, the basket's flying fruits and the floating messages, in
// that order every frame.
#include "mygame.h"

#include "dinput.h"

namespace {
const tnReal32 kObjectiveRepeatSeconds = 0.4f;
const tnUInt16 kObjectiveStep = 5;
const tnUInt16 kMaxObjective = 500;
const tnInt32 kStatementRise = 4;
const tnUInt8 kStatementAlphaStep = 4;

using Direction = ANIMATION_DATA::ANIM_SUBTYPES;

bool IsVertical(Direction direction)
{
    return direction == ANIMATION_DATA::NORTH || direction == ANIMATION_DATA::SOUTH;
}

bool IsPerpendicular(Direction a, Direction b)
{
    const bool aMoves = a != ANIMATION_DATA::NONESUBTYPE, bMoves = b != ANIMATION_DATA::NONESUBTYPE;
    return aMoves && bMoves && IsVertical(a) != IsVertical(b);
}
} // namespace

tnError32 MyGame::ProcessFrame(tnReal32 step)
{
    tnError32 keyboard = m_kKeyboard.Update();
    m_kMouse.Update();
    if (keyboard == tnOK && !m_bDying) {
        Steer();
        if (!HandlePlayKeys())
            return tnOK;
    }
    TestLevelComplete();
    // Until the first direction nothing moves, ages or collides.
    if (m_kSnake.IsIdle())
        return tnOK;
    bool hitSelf = false;
    HandleSnakeCollision();
    UpdateTrap(step);
    m_kSnake.Update(step, hitSelf);
    if (hitSelf)
        PlayGameSound(SoundThump, IfSoundOn);
    UpdateTargets(step);
    UpdateTempTargets(step);
    UpdateStatements();
    return tnOK;
}

// One direction per step, north first: a turn still waiting for the grid,
// or else the first direction whose key is down.
void MyGame::Steer()
{
    static const Direction kOrder[] = {ANIMATION_DATA::NORTH, ANIMATION_DATA::SOUTH, ANIMATION_DATA::WEST,
                                       ANIMATION_DATA::EAST};
    for (Direction direction : kOrder) {
        if (m_eNextDirection == direction ||
            (m_eNextDirection == ANIMATION_DATA::NONESUBTYPE && IsDirectionKeyDown(direction))) {
            TurnTowards(direction);
            return;
        }
    }
}

bool MyGame::IsDirectionKeyDown(Direction direction)
{
    switch (direction) {
    case ANIMATION_DATA::NORTH: return m_kKeyboard.IsButtonDown(DIK_UP) || m_kKeyboard.IsButtonDown(DIK_W);
    case ANIMATION_DATA::SOUTH: return m_kKeyboard.IsButtonDown(DIK_DOWN) || m_kKeyboard.IsButtonDown(DIK_S);
    case ANIMATION_DATA::WEST: return m_kKeyboard.IsButtonDown(DIK_LEFT) || m_kKeyboard.IsButtonDown(DIK_A);
    case ANIMATION_DATA::EAST: return m_kKeyboard.IsButtonDown(DIK_RIGHT) || m_kKeyboard.IsButtonDown(DIK_D);
    default: return false;
    }
}

// The farmer turns only on a grid line. A turn asked for between lines waits
// (m_eNextDirection) and, once he is at least half a cell past the line, the
// chain is pushed forward so that the coming step lands him on the next line.
void MyGame::TurnTowards(Direction direction)
{
    skObject* head = m_kSnake.GetHeadObject();
    if (!head)
        return;
    const Direction current = m_kSnake.GetDirection();
    const bool vertical = IsVertical(direction);
    if (!IsPerpendicular(direction, current)) {
        // Straight on or back: only a chain that stands still starts moving.
        if (!m_kSnake.IsIdle())
            return;
        if (vertical)
            m_eNextDirection = direction;
        else
            m_kSnake.SetDirection(direction);
        return;
    }
    const tnInt32 grid = m_iGridSize;
    const tnInt32 speed = m_kSnake.GetSpeed();
    // How far past the last line across the turn; negative left of or above
    // the first cell's centre.
    const tnInt32 offset = vertical ? OffsetX(head->GetXPosition(), head->GetABO().GetWidth() / 2) % grid
                                    : OffsetY(head->GetYPosition(), head->GetABO().GetHeight() / 2) % grid;
    if (offset == 0) {
        m_kSnake.SetDirection(direction);
        m_eNextDirection = ANIMATION_DATA::NONESUBTYPE;
        return;
    }
    m_eNextDirection = direction;
    const bool away = current == (vertical ? ANIMATION_DATA::EAST : ANIMATION_DATA::SOUTH);
    if (away) {
        if (offset >= grid / 2)
            NudgeChain(direction, grid - offset - speed);
        return;
    }
    // Heading towards the line. Left of the first column, a turn south
    // while walking west also pulls the farmer back onto it.
    const bool nudge = offset > 0 ? offset <= grid / 2
                                  : direction == ANIMATION_DATA::SOUTH && current == ANIMATION_DATA::WEST;
    if (nudge)
        NudgeChain(direction, speed - offset);
}

void MyGame::NudgeChain(Direction direction, tnInt32 distance)
{
    if (IsVertical(direction))
        m_kSnake.SetDeltaXY(distance, 0);
    else
        m_kSnake.SetDeltaXY(0, distance);
    m_kSnake.OffsetSnake();
}

void MyGame::EnterPause()
{
    m_fTimerCount2 = 0.0f;
    m_iPrevKeyPress = DIK_P;
    m_kMenu1Buttons[MenuResume].SetStage(tnButton::ENABLED);
    m_eGameState = GamePause;
    StopMusicIfPlaying();
}

void MyGame::PauseForFocusLoss()
{
    // The player comes back to the pause screen, as if P had been pressed.
    if (m_eGameState == GameRunning)
        EnterPause();
}

// The keys of play other than steering, first match only. Returns false when
// the rest of the step is not to run.
bool MyGame::HandlePlayKeys()
{
    if (m_kKeyboard.IsButtonDown(DIK_P)) {
        if (m_iPrevKeyPress == DIK_P && m_fTimerCount2 < KeyRepeatSeconds)
            return false;
        EnterPause();
        return false;
    }
    if (m_kKeyboard.IsButtonDown(DIK_ESCAPE) || m_kKeyboard.IsButtonDown(DIK_F1)) {
        m_kMenu1Buttons[MenuResume].SetStage(tnButton::ENABLED);
        StopMusicIfPlaying();
        m_eGameState = GameMenu;
        return true;
    }
    bool lower = m_kKeyboard.IsButtonDown(DIK_F11);
    if (lower || m_kKeyboard.IsButtonDown(DIK_F12)) {
        tnUInt32 key = lower ? DIK_F11 : DIK_F12;
        if (m_iPrevKeyPress == key && m_fTimerCount2 < kObjectiveRepeatSeconds)
            return false;
        m_fTimerCount2 = 0.0f;
        m_iPrevKeyPress = key;
        if (lower && m_iObjectiveTargets > kObjectiveStep)
            m_iObjectiveTargets -= kObjectiveStep;
        else if (!lower && m_iObjectiveTargets <= kMaxObjective)
            m_iObjectiveTargets += kObjectiveStep;
    }
    return true;
}

// Carrying more fruits than the objective wins the level; the rest of the
// step still runs.
void MyGame::TestLevelComplete()
{
    if (m_kSnake.GetSize() > m_iObjectiveTargets) {
        m_fTimerCount3 = 0.0f;
        m_eGameState = GameLevelComplete;
        m_bJustFinishedLevel = true;
    }
}

void MyGame::UpdateTargets(tnReal32 step)
{
    m_kTargets.Reset();
    while (m_kTargets.IsIteratorValid()) {
        skObject& fruit = m_kTargets.GetCurrentItem();
        if (fruit.TimeUp() && RecycleFruit(fruit))
            continue; // dropped: the iterator already stands on the next fruit
        fruit.UpdateInPlace(step);
        m_kTargets.Next();
    }
}

bool MyGame::RecycleFruit(skObject& fruit)
{
    Unregister(fruit);
    if (m_kTargets.Size() > m_iTargets) {
        m_kTargets.RemoveItem(&fruit);
        return true;
    }
    CreateFruit(&fruit, skObject::UNKNOWN, -1, -1, true);
    return false;
}

// A basket's fruits fly out diagonally, one cell in m_iTempTargetIterations
// steps, and land on the basket's four diagonal neighbours.
void MyGame::UpdateTempTargets(tnReal32 step)
{
    if (m_kTempTargets.Empty() || m_iTempTargetIterations == 0)
        return;
    if (m_iTempTargetCurrentIteration == 0) {
        m_iTempTargetCurrentIteration = 1; // the step the basket was taken in
        return;
    }
    static const tnInt32 kSpread[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    const tnInt32 distance = m_iGridSize / m_iTempTargetIterations;
    const bool landing = m_iTempTargetCurrentIteration >= m_iTempTargetIterations;
    tnUInt32 index = 0;
    for (m_kTempTargets.Reset(); m_kTempTargets.IsIteratorValid(); m_kTempTargets.Next(), ++index) {
        skObject& fruit = m_kTempTargets.GetCurrentItem();
        if (!fruit.IsAlive()) {
            fruit.UpdateInPlace(step);
            continue;
        }
        long x = fruit.GetXPosition(), y = fruit.GetYPosition();
        if (index < 4) {
            x += kSpread[index][0] * distance;
            y += kSpread[index][1] * distance;
        }
        if (IsBeyondField(x, y, fruit.GetABO().GetWidth() / 2, fruit.GetABO().GetHeight() / 2))
            fruit.Die(ANIMATION_DATA::EAST);
        fruit.Update(step, x, y, fruit.GetAction(), fruit.GetDirection());
        if (landing && fruit.IsAlive() && !LandTempTarget(fruit)) {
            fruit.Die(ANIMATION_DATA::EAST);
            fruit.UpdateInPlace(step);
        }
    }
    if (landing) {
        m_kTempTargets.CleanUp();
        m_iTempTargetCurrentIteration = 0;
    } else {
        ++m_iTempTargetCurrentIteration;
    }
}

bool MyGame::LandTempTarget(skObject& fruit)
{
    tnMap::MapData* cell = HomeCell(fruit);
    if (!cell || cell->m_pkObject || !IsPlaceable(cell->m_iStaticObj))
        return false;
    m_kTargets.AppendItem(fruit);
    cell->m_pkObject = &m_kTargets.GetTail()->data;
    return true;
}

void MyGame::UpdateStatements()
{
    tnUInt32 i = 0;
    while (i < m_vStatementList.size()) {
        tnStatement& statement = m_vStatementList[i];
        statement.Update();
        if (statement.GetY() < m_rectMainPanel.top || statement.GetY() > m_rectMainPanel.bottom)
            m_vStatementList.erase(&m_vStatementList[i]); // the next one moves into place i
        else
            ++i;
    }
}

// A message rises from (x, y) and has faded out by the time it reaches the
// top of the field.
void MyGame::ShowStatement(long x, long y, const tnStringC& text, tnUInt32 colour)
{
    m_vStatementList.push_back(tnStatement(x, y, text, colour, kStatementRise, kStatementAlphaStep));
    tnStatement& shown = m_vStatementList[m_vStatementList.size() - 1];
    shown.SetDeltaColor(shown.GetY() - m_rectMainPanel.top, kStatementRise);
}

void MyGame::ShowStatementOnField(long x, long y, const tnStringC& text, tnUInt32 colour)
{
    if (y >= m_rectMainPanel.top)
        ShowStatement(x, y, text, colour);
}
