// Putting fruits, traps and bonuses on the field: a random sample, a random
// free cell, a random life time. Objects are recycled in place wherever the
// caller hands one in, so list entries keep their addresses.
#include "mygame.h"

#include "tnlog.h"
#include "tntimer.h"

#include <cstdlib>

namespace {
// Tries at random that insist on a cell an object may stand on; the tries
// after them take any cell without an object, and when those fail too the
// field is scanned, so a crowded field never hangs the game.
const tnUInt32 kStrictTries = 200;
const tnUInt32 kRelaxedTries = 100;

const tnUInt32 kTornadoSample = 1;

// Open ground, bridges, paths and flowers.
bool IsPlaceable(tnUInt8 staticObject)
{
    return staticObject == tnMap::NOSTATICOBJECT || staticObject == tnMap::BRIDGE1 ||
           staticObject == tnMap::BRIDGE2 || (staticObject >= tnMap::FREEWAY1 && staticObject <= tnMap::FLOWER6);
}
} // namespace

tnUInt32 MyGame::RandomDivisor()
{
    g_kTimer.UpdateLocalTime();
    tnUInt32 seconds = g_kTimer.GetSeconds();
    return seconds == 0 ? 1 : seconds;
}

tnUInt32 MyGame::DrawCoordinate(tnUInt32 divisor, tnUInt32 count)
{
    return (static_cast<tnUInt32>(std::rand()) / divisor) % count;
}

bool MyGame::ScanForCell(tnInt32 columns, tnInt32 rows, bool placeableOnly, tnUInt32& column, tnUInt32& row)
{
    for (tnInt32 r = 0; r < rows; ++r) {
        for (tnInt32 c = 0; c < columns; ++c) {
            tnMap::MapData* cell = m_kMap.GetMapDataPtr(0, c, r);
            if (cell && !cell->m_pkObject && (!placeableOnly || IsPlaceable(cell->m_iStaticObj))) {
                column = static_cast<tnUInt32>(c);
                row = static_cast<tnUInt32>(r);
                return true;
            }
        }
    }
    return false;
}

bool MyGame::FindSpawnCell(tnInt32 columns, tnInt32 rows, const char* what, tnUInt32& column, tnUInt32& row)
{
    // A sprite larger than the field fits nowhere.
    if (columns < 1 || rows < 1)
        return false;
    const tnUInt32 divisor = RandomDivisor();
    for (tnUInt32 tries = 1; tries <= kStrictTries + kRelaxedTries; ++tries) {
        const bool relaxed = tries > kStrictTries;
        if (relaxed)
            Log("Failed to create %s, timeout\n", what);
        column = DrawCoordinate(divisor, static_cast<tnUInt32>(columns));
        row = DrawCoordinate(divisor, static_cast<tnUInt32>(rows));
        tnMap::MapData* cell = m_kMap.GetMapDataPtr(0, column, row);
        if (cell && !cell->m_pkObject && (relaxed || IsPlaceable(cell->m_iStaticObj)))
            return true;
    }
    if (ScanForCell(columns, rows, true, column, row) || ScanForCell(columns, rows, false, column, row))
        return true;
    Log("Failed to create %s, no free cell\n", what);
    return false;
}

void MyGame::RegisterInCell(long x, long y, long halfWidth, long halfHeight, skObject* object)
{
    long dx = x - m_rectMainPanel.left - halfWidth;
    long dy = y - m_rectMainPanel.top - halfHeight;
    if (dx < 0 || dy < 0)
        return; // off the field: no cell to hold it
    m_kMap.SetObject(0, static_cast<tnUInt32>(dx / m_iGridSize), static_cast<tnUInt32>(dy / m_iGridSize), object);
}

skObject* MyGame::PutObject(tnSingleList<skObject>& list, skObject* object, tnABO& abo, skObject::ObjectType kind,
                            long x, long y, tnUInt16 life)
{
    // A life shorter than the margin must not reach -1, which means "for ever".
    long minLife = life > m_iMarginLife ? static_cast<long>(life) - m_iMarginLife : 0;
    long maxLife = static_cast<long>(life) + m_iMarginLife;
    if (object) {
        object->Create(abo, kind, x, y, minLife, maxLife);
        return object;
    }
    list.AppendItem(skObject(abo, kind, x, y, minLife, maxLife));
    return &list.GetTail()->data;
}

bool MyGame::CreateFruit(skObject* object, skObject::ObjectType kind, long x, long y, bool putInMap)
{
    // A level without fruit samples has no fruits.
    if (vecFruitList.size() == 0)
        return true;
    tnUInt16 sample = vecFruitList[static_cast<tnUInt32>(std::rand()) % vecFruitList.size()];
    if (sample >= m_kTargetABOList.size())
        return true;
    tnABO& abo = m_kTargetABOList[sample];
    long halfWidth = abo.GetWidth() / 2;
    long halfHeight = abo.GetHeight() / 2;

    if (x == -1 || y == -1) {
        tnUInt32 column = 0, row = 0;
        if (!FindSpawnCell(m_iXGrids, m_iYGrids, "a fruit", column, row))
            return true;
        x = m_rectMainPanel.left + static_cast<long>(column * m_iGridSize) + halfWidth;
        y = m_rectMainPanel.top + static_cast<long>(row * m_iGridSize) + halfHeight;
    }
    if (kind == skObject::UNKNOWN)
        kind = static_cast<skObject::ObjectType>(skObject::APPLE1 + sample);

    // Fruits flying out of a basket land later; until then no cell holds them.
    const bool flying = m_bTrapRegenerate && !object;
    skObject* placed = PutObject(flying ? m_kTempTargets : m_kTargets, object, abo, kind, x, y, m_iTargetLife);
    if (putInMap && !flying)
        RegisterInCell(x, y, halfWidth, halfHeight, placed);
    return true;
}

bool MyGame::CreateObject(skObject* object, skObject::ObjectType kind, long x, long y, bool putInMap)
{
    tnUInt32 sample = 0;
    if (kind == skObject::UNKNOWN) {
        // A level without trap samples has no traps or bonuses.
        if (vecObjectList.size() == 0)
            return true;
        sample = vecObjectList[static_cast<tnUInt32>(std::rand()) % vecObjectList.size()];
    } else {
        if (kind < skObject::RAIN || kind > skObject::EXPLOSION)
            return true;
        sample = static_cast<tnUInt32>(kind - skObject::RAIN);
    }
    if (sample >= m_kTrapABOList.size())
        return true;
    tnABO& abo = m_kTrapABOList[sample];
    long halfWidth = abo.GetWidth() / 2;
    long halfHeight = abo.GetHeight() / 2;

    if (x == -1 || y == -1) {
        // Large sprites keep to the columns and rows where they lie wholly on the field.
        tnInt32 columns = static_cast<tnInt32>(m_iXGrids) - (2 * halfWidth) / m_iGridSize + 1;
        tnInt32 rows = static_cast<tnInt32>(m_iYGrids) - (2 * halfHeight) / m_iGridSize + 1;
        tnUInt32 column = 0, row = 0;
        if (!FindSpawnCell(columns, rows, "an object", column, row))
            return true;
        x = m_rectMainPanel.left + static_cast<long>(column * m_iGridSize) + halfWidth;
        y = m_rectMainPanel.top + static_cast<long>(row * m_iGridSize) + halfHeight;
    }
    if (kind == skObject::UNKNOWN)
        kind = static_cast<skObject::ObjectType>(skObject::RAIN + sample);

    skObject* placed = PutObject(m_kTraps, object, abo, kind, x, y, m_iTrapLife);
    // Tornados wander; the trap update works out what they hit.
    if (putInMap && sample != kTornadoSample) {
        long cellHalfWidth = halfWidth, cellHalfHeight = halfHeight;
        const tnUInt32 bombSample = skObject::BOMB - skObject::RAIN;
        if (object && kind == skObject::EXPLOSION && bombSample < m_kTrapABOList.size()) {
            // An explosion takes the place of its bomb, centred where the
            // bomb was, and belongs to the bomb's cell.
            cellHalfWidth = m_kTrapABOList[bombSample].GetWidth() / 2;
            cellHalfHeight = m_kTrapABOList[bombSample].GetHeight() / 2;
        }
        RegisterInCell(x, y, cellHalfWidth, cellHalfHeight, placed);
    }

    if (kind == skObject::FIRE)
        PlayGameSound(SoundFire, false);
    else if (kind == skObject::RAIN)
        PlayGameSound(SoundRain, false);
    else if (kind == skObject::TORNADO)
        PlayGameSound(SoundTornado, false);
    return true;
}
