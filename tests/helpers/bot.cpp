#include "bot.h"

#include "cellcheck.h"

#include "dinput.h"
#include "testcontrol.h"

#include <deque>

namespace {

using Direction = ANIMATION_DATA::ANIM_SUBTYPES;

struct Way {
    Direction direction;
    int dx, dy, key;
};
const Way kWays[] = {{ANIMATION_DATA::NORTH, 0, -1, DIK_UP},
                     {ANIMATION_DATA::SOUTH, 0, 1, DIK_DOWN},
                     {ANIMATION_DATA::WEST, -1, 0, DIK_LEFT},
                     {ANIMATION_DATA::EAST, 1, 0, DIK_RIGHT}};

bool IsReverse(Direction a, Direction b)
{
    return (a == ANIMATION_DATA::NORTH && b == ANIMATION_DATA::SOUTH) ||
           (a == ANIMATION_DATA::SOUTH && b == ANIMATION_DATA::NORTH) ||
           (a == ANIMATION_DATA::WEST && b == ANIMATION_DATA::EAST) ||
           (a == ANIMATION_DATA::EAST && b == ANIMATION_DATA::WEST);
}

} // namespace

void Bot::Act()
{
    skObject* head = m_kProbe.Snake().GetHeadObject();
    Cell cell{};
    if (m_kProbe.State() != MyGame::GameRunning || m_kProbe.Dying() || !head || !IsOnCell(*head, cell)) {
        ReleaseKeys();
        return;
    }
    MarkWalls();
    const bool idle = m_kProbe.Snake().IsIdle();
    const Direction heading = idle ? ANIMATION_DATA::NONESUBTYPE : head->GetDirection();
    Direction next = Search(cell, heading);
    if (next == ANIMATION_DATA::NONESUBTYPE)
        next = Wander(cell, heading);
    // Nothing on the field moves before the farmer's first step, so a
    // farmer boxed in by the berth kept round hazards would wait for ever:
    // after a while he steps out past them.
    m_iStandingFrames = idle && next == ANIMATION_DATA::NONESUBTYPE ? m_iStandingFrames + 1 : 0;
    if (m_iStandingFrames > kPatienceFrames) {
        next = StepOut(cell);
        m_iStandingFrames = 0;
    }
    if (next == heading || next == ANIMATION_DATA::NONESUBTYPE)
        ReleaseKeys(); // straight on
    else
        Hold(next);
}

void Bot::ReleaseKeys()
{
    if (m_iHeldKey)
        testcontrol::ReleaseKey(m_iHeldKey);
    m_iHeldKey = 0;
}

void Bot::Hold(Direction direction)
{
    for (const Way& way : kWays) {
        if (way.direction != direction)
            continue;
        if (m_iHeldKey != way.key) {
            ReleaseKeys();
            testcontrol::PressKey(way.key);
            m_iHeldKey = way.key;
        }
    }
}

bool Bot::IsOnCell(skObject& head, Cell& cell)
{
    const RECT& field = m_kProbe.MainPanel();
    const int grid = m_kProbe.GridSize();
    const int dx = head.GetXPosition() - field.left - head.GetABO().GetWidth() / 2;
    const int dy = head.GetYPosition() - field.top - head.GetABO().GetHeight() / 2;
    cell = {static_cast<int>(FloorDivide(dx, grid)), static_cast<int>(FloorDivide(dy, grid))};
    return dx % grid == 0 && dy % grid == 0;
}

// Trees, stones, fences, cows, tigers and the like: certain death. The bot
// reads the scenery kinds (here and for water below) by itself, not through
// MyGame's IsSolid and IsWaterLike: a player who has learnt the field, so
// that a game that changed its own reading of them shows up in the bot's play.
bool Bot::IsScenery(int column, int row) const
{
    const tnUInt8 kind = m_kProbe.Map().GetMapDataPtr(0, column, row)->m_iStaticObj;
    return (kind >= tnMap::TREE1 && kind <= tnMap::TREE6) || kind >= tnMap::SOLID1;
}

Bot::Direction Bot::StepOut(Cell from)
{
    for (int i = 0; i < 4; ++i) {
        const Way& way = kWays[(m_iStepsOut + i) % 4];
        if (IsInside(from.column + way.dx, from.row + way.dy) && !IsScenery(from.column + way.dx, from.row + way.dy)) {
            ++m_iStepsOut; // the next time, another way first
            return way.direction;
        }
    }
    return ANIMATION_DATA::NONESUBTYPE;
}

void Bot::MarkWalls()
{
    m_iColumns = m_kProbe.XGrids();
    m_iRows = m_kProbe.YGrids();
    m_kWalls.assign(static_cast<std::size_t>(m_iColumns * m_iRows), 0);
    const bool carrying = m_kProbe.Snake().GetSize() > 1;
    for (int row = 0; row < m_iRows; ++row) {
        for (int column = 0; column < m_iColumns; ++column) {
            const tnUInt8 kind = m_kProbe.Map().GetMapDataPtr(0, column, row)->m_iStaticObj;
            const bool water = kind != 0 && kind < tnMap::TREE1 && kind != tnMap::BRIDGE1 && kind != tnMap::BRIDGE2;
            if (IsScenery(column, row) || (water && carrying))
                MarkCell(column, row);
        }
    }
    tnSingleList<skObject>& traps = m_kProbe.TrapList();
    for (traps.Reset(); traps.IsIteratorValid(); traps.Next()) {
        skObject& trap = traps.GetCurrentItem();
        switch (trap.GetObjectType()) {
        case skObject::RAIN:
        case skObject::FLOOD:
        case skObject::FIRE: MarkArea(trap, 2, 2); break;
        case skObject::LIGHTENING: MarkArea(trap, 3, 3); break; // the bolt lands below and right of the cloud
        case skObject::TORNADO: MarkArea(trap, 3, 3, 2); break;  // it wanders: keep a wide berth
        case skObject::EXPLOSION: MarkArea(trap, 3, 3); break;
        case skObject::BOMB: MarkArea(trap, 1, 1); break;
        case skObject::POISONIVY:
        case skObject::MUSHROOM:
        case skObject::POISON:
        case skObject::DONATE: MarkArea(trap, 1, 1); break;
        default: break;
        }
    }
    // The body, all but the farmer himself.
    for (tnUInt32 i = 1; i < m_kProbe.Snake().GetSize(); ++i)
        MarkMember(*m_kProbe.Snake().GetMember(i));
}

// The cells under a trap's sprite (an explosion spreads one cell round its
// bomb's), and `extraRows` more below.
void Bot::MarkArea(skObject& object, int columns, int rows, int extraRows)
{
    const RECT& field = m_kProbe.MainPanel();
    const int grid = m_kProbe.GridSize();
    const int halfWidth = grid * columns / 2, halfHeight = grid * rows / 2;
    const int column = static_cast<int>(FloorDivide(object.GetXPosition() - field.left - halfWidth, grid));
    const int row = static_cast<int>(FloorDivide(object.GetYPosition() - field.top - halfHeight, grid));
    for (int r = row; r < row + rows + extraRows; ++r)
        for (int c = column; c < column + columns; ++c)
            MarkCell(c, r);
}

void Bot::MarkCell(int column, int row)
{
    if (IsInside(column, row))
        m_kWalls[static_cast<std::size_t>(row * m_iColumns + column)] = 1;
}

// A member between two cells blocks both.
void Bot::MarkMember(skObject& member)
{
    const RECT& field = m_kProbe.MainPanel();
    const int grid = m_kProbe.GridSize();
    const int dx = member.GetXPosition() - field.left - grid / 2;
    const int dy = member.GetYPosition() - field.top - grid / 2;
    const int column = FloorDivide(dx, grid), row = FloorDivide(dy, grid);
    MarkCell(column, row);
    MarkCell(column + (dx % grid ? 1 : 0), row + (dy % grid ? 1 : 0));
}

bool Bot::IsInside(int column, int row) const
{
    return column >= 0 && row >= 0 && column < m_iColumns && row < m_iRows;
}

bool Bot::IsOpen(int column, int row) const
{
    return IsInside(column, row) && !m_kWalls[static_cast<std::size_t>(row * m_iColumns + column)];
}

bool Bot::IsGoal(int column, int row) const
{
    if (m_eGoal == Goal::Edge)
        return column == 0 || row == 0 || column == m_iColumns - 1 || row == m_iRows - 1;
    void* object = m_kProbe.Map().GetMapDataPtr(0, column, row)->m_pkObject;
    if (!object)
        return false;
    const int kind = static_cast<skObject*>(object)->GetObjectType();
    const bool bonus = (kind >= skObject::STAR && kind <= skObject::MOREFRUITS) || kind == skObject::ANTIDOTE ||
                       kind == skObject::ANGEL || kind == skObject::GOLD;
    return skObject::IsFruit(kind) || bonus;
}

Bot::Direction Bot::Search(Cell from, Direction heading) const
{
    if (m_eGoal == Goal::Edge && IsGoal(from.column, from.row)) {
        // On the edge: straight out, turning if he walks along it.
        for (const Way& way : kWays)
            if (!IsReverse(way.direction, heading) && !IsInside(from.column + way.dx, from.row + way.dy))
                return way.direction;
    }
    std::vector<Direction> first(m_kWalls.size(), ANIMATION_DATA::NONESUBTYPE);
    std::deque<Cell> queue;
    for (const Way& way : kWays) {
        const Cell next{from.column + way.dx, from.row + way.dy};
        if (IsReverse(way.direction, heading) || !IsOpen(next.column, next.row))
            continue;
        first[static_cast<std::size_t>(next.row * m_iColumns + next.column)] = way.direction;
        queue.push_back(next);
    }
    while (!queue.empty()) {
        const Cell cell = queue.front();
        queue.pop_front();
        const Direction step = first[static_cast<std::size_t>(cell.row * m_iColumns + cell.column)];
        if (IsGoal(cell.column, cell.row))
            return step;
        for (const Way& way : kWays) {
            const Cell next{cell.column + way.dx, cell.row + way.dy};
            if (!IsOpen(next.column, next.row) || (next.column == from.column && next.row == from.row))
                continue;
            Direction& seen = first[static_cast<std::size_t>(next.row * m_iColumns + next.column)];
            if (seen != ANIMATION_DATA::NONESUBTYPE)
                continue;
            seen = step;
            queue.push_back(next);
        }
    }
    return ANIMATION_DATA::NONESUBTYPE;
}

Bot::Direction Bot::Wander(Cell from, Direction heading) const
{
    Direction best = ANIMATION_DATA::NONESUBTYPE;
    int bestSize = 0;
    for (const Way& way : kWays) {
        const Cell next{from.column + way.dx, from.row + way.dy};
        if (IsReverse(way.direction, heading) || !IsOpen(next.column, next.row))
            continue;
        // Straight on wins a tie: fewer turns, fewer surprises.
        const int size = RegionSize(next) * 2 + (way.direction == heading ? 1 : 0);
        if (size > bestSize) {
            bestSize = size;
            best = way.direction;
        }
    }
    return best;
}

int Bot::RegionSize(Cell from) const
{
    std::vector<char> seen(m_kWalls.size(), 0);
    std::deque<Cell> queue{from};
    seen[static_cast<std::size_t>(from.row * m_iColumns + from.column)] = 1;
    int size = 0;
    while (!queue.empty()) {
        const Cell cell = queue.front();
        queue.pop_front();
        ++size;
        for (const Way& way : kWays) {
            const Cell next{cell.column + way.dx, cell.row + way.dy};
            if (!IsOpen(next.column, next.row) || seen[static_cast<std::size_t>(next.row * m_iColumns + next.column)])
                continue;
            seen[static_cast<std::size_t>(next.row * m_iColumns + next.column)] = 1;
            queue.push_back(next);
        }
    }
    return size;
}
