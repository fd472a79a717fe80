// The map part of a level file, read by tnMap::Load into a new map and
// again into a map of its own shape.
#include "fuzzfolder.h"
#include "fuzzscreen.h"
#include "tnmap.h"

#include <cstring>

namespace {

// Every cell the map claims is read: the sanitizers see any that is not
// inside its cells.
void ReadEveryCell(tnMap& map)
{
    for (tnUInt32 layer = 0; layer < map.GetLayers(); ++layer)
        for (tnUInt32 y = 0; y < map.GetHeight(); ++y)
            for (tnUInt32 x = 0; x < map.GetWidth(); ++x)
                if (const tnMap::MapData* cell = map.GetMapDataPtr(layer, x, y))
                    fuzzfolder::Keep(cell->m_iTileSet + cell->m_iTileIndex + cell->m_iStaticObj);
}

void CheckTerminated(const tnMap& map)
{
    if (strnlen(map.GetTitle(), tnMap::TitleSize) == tnMap::TitleSize ||
        strnlen(map.GetText(), tnMap::TextSize) == tnMap::TextSize ||
        strnlen(map.GetBackgroundName(), tnMap::NameSize) == tnMap::NameSize)
        fuzzfolder::Fail("a text field of the map is not terminated");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MakeScreenWithoutDevice();
    const std::string path = fuzzfolder::Write("input.map", data, size);
    tnMap map;
    long streamPos = -1;
    if (!map.Load(nullptr, path.c_str(), streamPos, true)) {
        if (streamPos != -1 || map.GetLayers() != 0 || map.GetWidth() != 0 || map.GetHeight() != 0)
            fuzzfolder::Fail("a refused map changed the map");
        return 0;
    }
    std::uint64_t cells = 0;
    if (__builtin_mul_overflow(static_cast<std::uint64_t>(map.GetLayers()) * map.GetWidth(), map.GetHeight(), &cells))
        fuzzfolder::Fail("the map's layers x width x height overflows");
    if (streamPos < static_cast<long>(tnMap::HeaderSize) || static_cast<std::uint64_t>(streamPos) > size ||
        static_cast<std::uint64_t>(streamPos) != tnMap::HeaderSize + cells * tnMap::CellSize)
        fuzzfolder::Fail("the offset after the map does not match its cells");
    CheckTerminated(map);
    // A count of 0 makes a map without cells, whatever the other counts say.
    if (cells == 0 && map.GetMapDataPtr(0, 0, 0))
        fuzzfolder::Fail("a map without cells hands out a cell");
    if (cells != 0)
        ReadEveryCell(map);

    // The next level is read into the cells the first one made.
    long again = -1;
    if (!map.Load(nullptr, path.c_str(), again, false) || again != streamPos)
        fuzzfolder::Fail("a map does not load again into its own shape");
    return 0;
}
