// tnMap and tnTiles: the file round trip and its refusals, cells, tiles and
// what Render draws.
#include "graphicsscreen.h"
#include "tempgamedir.h"
#include "tnmap.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class Maps : public ::testing::Test {
protected:
    Maps()
    {
        screen.Start(window.Handle());
        path = TempGameDir::UniquePath("map_test.dat");
        sheet = TempGameDir::UniquePath("map_tiles.bmp");
        // 128 x 64 texels of 32 x 32 tiles.
        WriteBitmap(sheet, 128, 64, [](int x, int y) { return static_cast<std::uint32_t>(((x / 32) + 4 * (y / 32) + 1) * 0x20) << 8; });
        tiles.CreateFromFile(sheet.c_str(), true, 0xFF00FF, nullptr, nullptr, false);
    }
    ~Maps() override
    {
        std::remove(path.c_str());
        std::remove(sheet.c_str());
    }

    // A 3 x 2 map of one layer: cell (x, y) has tile x + 3y, static kind
    // x + 3y (so cell (0, 0) is empty and never drawn).
    void Fill(tnMap& map)
    {
        ASSERT_TRUE(map.Create(screen.GetDevice(), 1, 3, 2));
        for (tnUInt32 y = 0; y < 2; ++y)
            for (tnUInt32 x = 0; x < 3; ++x)
                map.SetMapData(0, x, y, {0, static_cast<tnUInt8>(x + 3 * y), static_cast<tnUInt8>(x + 3 * y), 0, nullptr});
    }

    GraphicsTestWindow window;
    GraphicsScreen screen;
    tnTexture tiles;
    std::string path;
    std::string sheet;
};

} // namespace

TEST_F(Maps, ARoundTripKeepsEveryFieldAndHandsBackTheStreamPosition)
{
    tnMap map;
    Fill(map);
    EXPECT_EQ(map.GetLayer(0) + 5, map.GetMapDataPtr(0, 2, 1)); // cell (0, 2, 1) is the sixth
    int object = 0;
    map.SetObject(0, 1, 1, &object);
    ASSERT_TRUE(map.Save(path.c_str(), 7, "Orchard", "Pick the apples before the rain."));
    EXPECT_STREQ("Orchard", map.GetTitle());
    std::string bytes = ReadAll(path);
    ASSERT_EQ(389u + 8u * 6u, bytes.size());
    EXPECT_EQ(7, bytes[0]);
    EXPECT_EQ(1, bytes[377]);
    EXPECT_EQ(3, bytes[381]);
    EXPECT_EQ(2, bytes[385]);
    EXPECT_EQ(std::string("\0\x04\x04\0\0\0\0\0", 8), bytes.substr(389 + 4 * 8, 8)); // no pointer on disk

    // The game part that follows the map is the caller's to read.
    WriteAll(path, bytes + "GAME");
    tnMap loaded;
    long position = 0;
    ASSERT_TRUE(loaded.Load(screen.GetDevice(), path.c_str(), position, true));
    EXPECT_EQ(389 + 8 * 6, position);
    EXPECT_EQ(7, loaded.GetFlag());
    EXPECT_STREQ("Orchard", loaded.GetTitle());
    EXPECT_STREQ("Pick the apples before the rain.", loaded.GetText());
    EXPECT_EQ(3u, loaded.GetWidth());
    EXPECT_EQ(2u, loaded.GetHeight());
    const tnMap::MapData* cell = loaded.GetMapDataPtr(0, 2, 1);
    ASSERT_NE(nullptr, cell);
    EXPECT_EQ(5, cell->m_iTileIndex);
    EXPECT_EQ(5, cell->m_iStaticObj);
    EXPECT_EQ(nullptr, loaded.GetMapDataPtr(0, 1, 1)->m_pkObject);
    EXPECT_EQ(nullptr, loaded.GetMapDataPtr(0, 3, 0));
    EXPECT_EQ(nullptr, loaded.GetLayer(1));

    // Reading into the existing cells works for a file of the same shape.
    loaded.GetMapDataPtr(0, 0, 0)->m_iStaticObj = 9;
    ASSERT_TRUE(loaded.Load(screen.GetDevice(), path.c_str(), position, false));
    EXPECT_EQ(0, loaded.GetMapDataPtr(0, 0, 0)->m_iStaticObj);
}

TEST_F(Maps, BadFilesChangeNothing)
{
    tnMap map;
    Fill(map);
    ASSERT_TRUE(map.Save(path.c_str(), 1, "Kept", "Kept text"));
    std::string good = ReadAll(path);
    long position = 123;

    auto refuses = [&](const std::string& bytes, bool create) {
        WriteAll(path, bytes);
        return !map.Load(screen.GetDevice(), path.c_str(), position, create);
    };
    EXPECT_TRUE(refuses("", true));
    EXPECT_TRUE(refuses(good.substr(0, 100), true));
    EXPECT_TRUE(refuses(good.substr(0, good.size() - 1), true)); // one cell byte short
    std::string huge = good;
    huge[385] = '\xFF';
    huge[386] = '\xFF';
    huge[387] = '\xFF';
    huge[388] = '\x7F'; // height 2^31: no allocation bomb
    EXPECT_TRUE(refuses(huge, true));
    // 2977518503 x 21398 x 289529 wraps around 2^64 to 10, and the file
    // holds 10 cells: the counts are refused, not taken for a 10-cell map.
    std::string wrapping = good.substr(0, 377);
    for (std::uint32_t count : {2977518503u, 21398u, 289529u})
        for (int shift = 0; shift < 32; shift += 8)
            wrapping += static_cast<char>(count >> shift);
    EXPECT_TRUE(refuses(wrapping + std::string(10 * 8, '\0'), true));
    tnMap wrapped;
    EXPECT_FALSE(wrapped.Create(screen.GetDevice(), 2977518503u, 21398u, 289529u));
    std::string wider = good;
    wider[381] = 2; // 2 x 2 fits the bytes, but not this 3 x 2 map
    EXPECT_TRUE(refuses(wider, false));
    EXPECT_FALSE(map.Load(screen.GetDevice(), "missing.dat", position, true));
    EXPECT_EQ(123, position);
    EXPECT_EQ(0, map.GetFlag()); // Save writes the flag without keeping it
    EXPECT_STREQ("Kept", map.GetTitle());
    EXPECT_EQ(3u, map.GetWidth());
    EXPECT_EQ(5, map.GetMapDataPtr(0, 2, 1)->m_iStaticObj);
    // The same bytes with create true make a map of the new shape.
    WriteAll(path, wider);
    ASSERT_TRUE(map.Load(screen.GetDevice(), path.c_str(), position, true));
    EXPECT_EQ(2u, map.GetWidth());
}

TEST_F(Maps, TilesAreCountedAndAddedOnce)
{
    tnMap map;
    EXPECT_FALSE(map.AddTexture(&tiles, 32, 32)); // no tile set before Create or Load
    Fill(map);
    EXPECT_TRUE(map.AddTexture(&tiles, 32, 32));
    EXPECT_TRUE(map.AddTexture(&tiles, 32, 32));
    tnTiles* set = map.GetTiles();
    EXPECT_EQ(1u, set->GetTextureCount());
    EXPECT_EQ(32u, set->GetTileWidth(0));
    EXPECT_EQ(0u, set->GetTileWidth(1));
    EXPECT_EQ(8u, set->GetNum(0));
    EXPECT_EQ(0u, set->GetNum(3));
    tnTexture never;
    EXPECT_FALSE(set->AddTexture(&never, 0, 0)); // nothing to cut: refused, not a division by zero
    EXPECT_FALSE(set->AddTexture(nullptr, 32, 32));
    EXPECT_FALSE(set->RenderTile(1, 0, 0, 0, 0xFFFFFFFF, 1, 1, 0));

    // Tile 5 of a 128-texel-wide texture comes from (32, 32).
    RecordingDevice* device = screen.Record();
    ASSERT_TRUE(set->RenderTile(0, 5, 100, 100, 0xFFFFFFFF, 1.0f, 1.0f, 0.0f));
    ASSERT_EQ(1u, device->draws.size());
    EXPECT_FLOAT_EQ(32.0f / 128.0f, device->draws[0][0].u);
    EXPECT_FLOAT_EQ(32.0f / 64.0f, device->draws[0][0].v);

    int object = 0;
    map.SetObject(0, 2, 1, &object);
    map.ClearObjectList();
    EXPECT_EQ(nullptr, map.GetMapDataPtr(0, 2, 1)->m_pkObject);
    EXPECT_EQ(5, map.GetMapDataPtr(0, 2, 1)->m_iTileIndex);
    EXPECT_EQ(5, map.GetMapDataPtr(0, 2, 1)->m_iStaticObj);
}

TEST_F(Maps, RenderDrawsOccupiedCellsOnlyAndNothingPastTheMap)
{
    tnMap map;
    Fill(map);
    ASSERT_TRUE(map.AddTexture(&tiles, 32, 32));
    RecordingDevice* device = screen.Record();
    screen.Clear(0xFF000000, nullptr);
    // Rows and columns beyond the 3 x 2 map: five cells with a kind are drawn.
    ASSERT_TRUE(map.Render(144, 16, 864, 736, 0, 0, 23, 27, 0xFFFFFFFF, 1.0f, 1.0f));
    ASSERT_EQ(5u, device->draws.size());
    // Cell (1, 0) centred at (144 + 32 + 16, 16 + 16).
    EXPECT_FLOAT_EQ(192.0f - 16.0f, device->draws[0][0].x);
    EXPECT_FLOAT_EQ(32.0f - 16.0f, device->draws[0][0].y);
    std::vector<DWORD> frame = GraphicsTestWindow::Frame();
    EXPECT_EQ(0u, GraphicsTestWindow::At(frame, 160, 32));       // cell (0, 0): no kind
    EXPECT_EQ(0x004000u, GraphicsTestWindow::At(frame, 192, 32)); // tile 1
    EXPECT_EQ(0x00C000u, GraphicsTestWindow::At(frame, 224, 64)); // tile 5
    EXPECT_EQ(0u, GraphicsTestWindow::At(frame, 256, 32));        // past the right edge

    tnMap empty;
    EXPECT_FALSE(empty.Render(0, 0, 10, 10, 0, 0, 1, 1, 0xFFFFFFFF, 1.0f, 1.0f));
}

TEST_F(Maps, TheBackgroundIsLoadedOncePerName)
{
    tnMap map;
    map.SetBackground(sheet.c_str());
    EXPECT_STREQ(sheet.c_str(), map.GetBackgroundName());
    ASSERT_NE(nullptr, map.GetBackground()->GetTexture());
    IDirect3DTexture8* first = map.GetBackground()->GetTexture();
    map.SetBackground(sheet.c_str());
    EXPECT_EQ(first, map.GetBackground()->GetTexture());
    map.SetBackground("missing.bmp");
    EXPECT_EQ(nullptr, map.GetBackground()->GetTexture());
    map.CleanUp();
    EXPECT_STREQ("", map.GetBackgroundName());
    EXPECT_STREQ("", map.GetTitle());
}
