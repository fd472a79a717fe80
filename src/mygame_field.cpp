// The field: its cells, what their scenery does, where a sprite's pixels
// fall among them, and which cell holds which object. The collisions, the
// traps, the play step, the spawning and the level start all read the field
// through these, so a rule about cells is written here once.
#include "mygame.h"

namespace {
const tnUInt32 kBombSample = skObject::BOMB - skObject::RAIN;

bool InRange(tnUInt8 kind, tnUInt8 first, tnUInt8 last)
{
    return kind >= first && kind <= last;
}

// Division rounding down, so that a sprite poking out left of or above the
// field lands in column or row -1, not 0.
long FloorDivide(long value, long divisor)
{
    long quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}
} // namespace

// --- What the scenery does ------------------------------------------------------

bool MyGame::IsSolid(tnUInt8 kind)
{
    return InRange(kind, tnMap::TREE1, tnMap::TREE6) || InRange(kind, tnMap::SOLID1, tnMap::ROCK2);
}

bool MyGame::IsWaterLike(tnUInt8 kind)
{
    return PutsOutFire(kind) && kind != tnMap::BRIDGE1 && kind != tnMap::BRIDGE2;
}

bool MyGame::PutsOutFire(tnUInt8 kind)
{
    return InRange(kind, tnMap::WATER1, tnMap::WATER9);
}

bool MyGame::Burns(tnUInt8 kind)
{
    return InRange(kind, tnMap::TREE1, tnMap::TREE6) || InRange(kind, tnMap::FLOWER1, tnMap::ROCK1 - 1);
}

bool MyGame::BlowsAway(tnUInt8 kind)
{
    return Burns(kind) || InRange(kind, tnMap::ROCK1, tnMap::ROCK2);
}

bool MyGame::IsPlaceable(tnUInt8 kind)
{
    return kind == tnMap::NOSTATICOBJECT || kind == tnMap::BRIDGE1 || kind == tnMap::BRIDGE2 ||
           InRange(kind, tnMap::FREEWAY1, tnMap::FLOWER6);
}

bool MyGame::IsWalkable(tnUInt8 kind)
{
    return kind < tnMap::TREE1 || InRange(kind, tnMap::FREEWAY1, tnMap::FLOWER6);
}

// --- Pixels and cells ---------------------------------------------------------------

tnMap::MapData* MyGame::FieldCell(tnInt32 column, tnInt32 row)
{
    if (column < 0 || row < 0 || column >= m_iXGrids || row >= m_iYGrids)
        return nullptr;
    return m_kMap.GetMapDataPtr(0, static_cast<tnUInt32>(column), static_cast<tnUInt32>(row));
}

long MyGame::OffsetX(long x, long halfWidth) const
{
    return x - m_rectMainPanel.left - halfWidth;
}

long MyGame::OffsetY(long y, long halfHeight) const
{
    return y - m_rectMainPanel.top - halfHeight;
}

long MyGame::ColumnX(tnInt32 column, long halfWidth) const
{
    return m_rectMainPanel.left + static_cast<long>(column) * m_iGridSize + halfWidth;
}

long MyGame::RowY(tnInt32 row, long halfHeight) const
{
    return m_rectMainPanel.top + static_cast<long>(row) * m_iGridSize + halfHeight;
}

void MyGame::CellUnder(long x, long y, long halfWidth, long halfHeight, tnInt32& column, tnInt32& row) const
{
    column = static_cast<tnInt32>(FloorDivide(OffsetX(x, halfWidth), m_iGridSize));
    row = static_cast<tnInt32>(FloorDivide(OffsetY(y, halfHeight), m_iGridSize));
}

bool MyGame::IsOnCell(long x, long y, long halfWidth, long halfHeight) const
{
    return OffsetX(x, halfWidth) % m_iGridSize == 0 && OffsetY(y, halfHeight) % m_iGridSize == 0;
}

bool MyGame::IsOnField(long x, long y) const
{
    return x >= m_rectMainPanel.left && x <= m_rectMainPanel.right && y >= m_rectMainPanel.top &&
           y <= m_rectMainPanel.bottom;
}

bool MyGame::IsBeyondField(long x, long y, long halfWidth, long halfHeight) const
{
    return x - halfWidth < m_rectMainPanel.left || x - 1 + halfWidth > m_rectMainPanel.right ||
           y - halfHeight < m_rectMainPanel.top || y - 1 + halfHeight > m_rectMainPanel.bottom;
}

// --- Which cell holds what -------------------------------------------------------------

tnMap::MapData* MyGame::HomeCell(skObject& object)
{
    tnABO* sized = &object.GetABO();
    if (object.GetObjectType() == skObject::EXPLOSION && kBombSample < m_kTrapABOList.size())
        sized = &m_kTrapABOList[kBombSample];
    tnInt32 column = 0, row = 0;
    CellUnder(object.GetXPosition(), object.GetYPosition(), sized->GetWidth() / 2, sized->GetHeight() / 2, column,
              row);
    return FieldCell(column, row);
}

void MyGame::Register(skObject& object)
{
    if (tnMap::MapData* cell = HomeCell(object))
        cell->m_pkObject = &object;
}

void MyGame::Unregister(skObject& object)
{
    tnMap::MapData* cell = HomeCell(object);
    if (cell && cell->m_pkObject == &object)
        cell->m_pkObject = nullptr;
}
