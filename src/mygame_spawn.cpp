// Putting fruits, traps and bonuses on the field: a random sample, a random
// free cell, a random life time. Objects are recycled in place wherever the
// caller hands one in, so list entries keep their addresses.
#include "mygame.h"
#include "gamechance.h"

#include "tnlog.h"

#include <cstdlib>

namespace {
// Tries at random that insist on a cell an object may stand on; the tries
// after them take any cell without an object, and when those fail too the
// field is scanned, so a crowded field never hangs the game.
const tnUInt32 kStrictTries = 200;
const tnUInt32 kRelaxedTries = 100;

const tnUInt32 kTornadoSample = 1;
const tnUInt32 kBombSample = skObject::BOMB - skObject::RAIN;
} // namespace

tnUInt32 MyGame::RandomDivisor()
{
    tnUInt32 seconds = GameChance::Seconds();
    return seconds == 0 ? 1 : seconds;
}

tnUInt32 MyGame::DrawCoordinate(tnUInt32 divisor, tnUInt32 count)
{
    return (static_cast<tnUInt32>(GameChance::Random()) / divisor) % count;
}

bool MyGame::ScanForCell(tnInt32 columns, tnInt32 rows, tnInt32 homeOffset, bool placeableOnly, tnUInt32& column,
                         tnUInt32& row)
{
    for (tnInt32 r = 0; r < rows; ++r) {
        for (tnInt32 c = 0; c < columns; ++c) {
            tnMap::MapData* cell = FieldCell(c + homeOffset, r + homeOffset);
            if (cell && !cell->m_pkObject && (!placeableOnly || IsPlaceable(cell->m_iStaticObj))) {
                column = static_cast<tnUInt32>(c);
                row = static_cast<tnUInt32>(r);
                return true;
            }
        }
    }
    return false;
}

bool MyGame::FindSpawnCell(tnInt32 columns, tnInt32 rows, tnInt32 homeOffset, const char* what, tnUInt32& column,
                           tnUInt32& row)
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
        tnMap::MapData* cell =
            FieldCell(static_cast<tnInt32>(column) + homeOffset, static_cast<tnInt32>(row) + homeOffset);
        if (cell && !cell->m_pkObject && (relaxed || IsPlaceable(cell->m_iStaticObj)))
            return true;
    }
    if (ScanForCell(columns, rows, homeOffset, true, column, row) ||
        ScanForCell(columns, rows, homeOffset, false, column, row))
        return true;
    Log("Failed to create %s, no free cell\n", what);
    return false;
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
        return false;
    tnUInt16 sample = vecFruitList[static_cast<tnUInt32>(GameChance::Random()) % vecFruitList.size()];
    if (sample >= m_kTargetABOList.size())
        return false;
    tnABO& abo = m_kTargetABOList[sample];
    long halfWidth = abo.GetWidth() / 2;
    long halfHeight = abo.GetHeight() / 2;

    if (x == -1 || y == -1) {
        tnUInt32 column = 0, row = 0;
        if (!FindSpawnCell(m_iXGrids, m_iYGrids, 0, "a fruit", column, row))
            return false;
        x = ColumnX(static_cast<tnInt32>(column), halfWidth);
        y = RowY(static_cast<tnInt32>(row), halfHeight);
    }
    if (kind == skObject::UNKNOWN)
        kind = static_cast<skObject::ObjectType>(skObject::APPLE1 + sample);

    // Fruits flying out of a basket land later; until then no cell holds them.
    const bool flying = m_bTrapRegenerate && !object;
    skObject* placed = PutObject(flying ? m_kTempTargets : m_kTargets, object, abo, kind, x, y, m_iTargetLife);
    if (putInMap && !flying)
        Register(*placed);
    return true;
}

bool MyGame::CreateObject(skObject* object, skObject::ObjectType kind, long x, long y, bool putInMap)
{
    tnUInt32 sample = 0;
    if (kind == skObject::UNKNOWN) {
        // A level without trap samples has no traps or bonuses.
        if (vecObjectList.size() == 0)
            return false;
        sample = vecObjectList[static_cast<tnUInt32>(GameChance::Random()) % vecObjectList.size()];
    } else {
        if (kind < skObject::RAIN || kind > skObject::EXPLOSION)
            return false;
        sample = static_cast<tnUInt32>(kind - skObject::RAIN);
    }
    if (sample >= m_kTrapABOList.size())
        return false;
    tnABO& abo = m_kTrapABOList[sample];
    long halfWidth = abo.GetWidth() / 2;
    long halfHeight = abo.GetHeight() / 2;

    if (x == -1 || y == -1) {
        // Large sprites keep to the columns and rows where they lie wholly on the field.
        tnInt32 columns = static_cast<tnInt32>(m_iXGrids) - (2 * halfWidth) / m_iGridSize + 1;
        tnInt32 rows = static_cast<tnInt32>(m_iYGrids) - (2 * halfHeight) / m_iGridSize + 1;
        // An explosion belongs to the cell under its centre, a bomb's cell:
        // that is the cell that must be free.
        tnInt32 homeOffset = 0;
        if (sample == skObject::EXPLOSION - skObject::RAIN && kBombSample < m_kTrapABOList.size())
            homeOffset = (halfWidth - m_kTrapABOList[kBombSample].GetWidth() / 2) / m_iGridSize;
        tnUInt32 column = 0, row = 0;
        if (!FindSpawnCell(columns, rows, homeOffset, "an object", column, row))
            return false;
        x = ColumnX(static_cast<tnInt32>(column), halfWidth);
        y = RowY(static_cast<tnInt32>(row), halfHeight);
    }
    if (kind == skObject::UNKNOWN)
        kind = static_cast<skObject::ObjectType>(skObject::RAIN + sample);

    skObject* placed = PutObject(m_kTraps, object, abo, kind, x, y, m_iTrapLife);
    // Tornados wander; the trap update works out what they hit.
    if (putInMap && sample != kTornadoSample)
        Register(*placed);

    if (kind == skObject::FIRE)
        PlayGameSound(SoundFire, IfSoundOn);
    else if (kind == skObject::RAIN)
        PlayGameSound(SoundRain, IfSoundOn);
    else if (kind == skObject::TORNADO)
        PlayGameSound(SoundTornado, IfSoundOn);
    return true;
}
