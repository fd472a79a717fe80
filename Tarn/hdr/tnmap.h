#ifndef TNMAP_H
#define TNMAP_H

#include "d3d8.h"
#include "tnerror.h"
#include "tntexture.h"
#include "tntiles.h"

#include <cstddef>

// The level's playing field: layers of cells, each naming a tile and the
// static object standing there, plus the level's title, text and
// background picture. Reads and writes the map part of a level file:
//   flag (1 byte), title (40), text (256), background file name (80),
//   layers, width, height (unsigned 32-bit little-endian),
//   then layers x height x width cells of 8 bytes (tile set, tile, static
//   object, padding, 4 zero bytes), layer by layer, row by row.
class tnMap {
public:
    static constexpr tnUInt32 TitleSize = 40;
    static constexpr tnUInt32 TextSize = 256;
    static constexpr tnUInt32 NameSize = 80;
    static constexpr tnUInt32 HeaderSize = 1 + TitleSize + TextSize + NameSize + 12; // 389
    static constexpr tnUInt32 CellSize = 8;                                          // in the file

    // Static objects, one byte per cell; only cells with a kind are drawn.
    enum StaticObject : tnUInt8 {
        NOSTATICOBJECT = 0,
        WATER1 = 1,
        WATER2 = 2,
        WATER3 = 3,
        BRIDGE1 = 4,
        BRIDGE2 = 5,
        WATER4 = 6,
        WATER9 = 11,
        TREE1 = 12,
        TREE6 = 17,
        FREEWAY1 = 18,
        FREEWAY10 = 27,
        FLOWER1 = 28,
        FLOWER6 = 33,
        SOLID1 = 34,
        COW = 38,
        TIGER = 39,
        ROCK1 = 42,
        ROCK2 = 43
    };

    struct MapData {
        tnUInt8 m_iTileSet;   // texture of the tile set
        tnUInt8 m_iTileIndex; // tile within it
        tnUInt8 m_iStaticObj; // a StaticObject value
        tnUInt8 m_iPadding;
        void* m_pkObject; // the game object in the cell, set by the game
    };

    tnMap();
    ~tnMap();
    tnMap(const tnMap&) = delete;
    tnMap& operator=(const tnMap&) = delete;

    void CleanUp();
    // New empty cells and tile set; false when the cells cannot be had.
    bool Create(IDirect3DDevice8* device, tnUInt32 layers, tnUInt32 width, tnUInt32 height);
    // Reads the map part of a file; streamPos gets the offset after it. The
    // file is checked whole before anything changes: false for a missing,
    // short or oversized file, or (create false) one whose layers, width or
    // height differ from this map's.
    bool Load(IDirect3DDevice8* device, const char* fileName, long& streamPos, bool create);
    // The shape a map file's bytes declare and where its map part ends (the
    // game section follows); false when the bytes cannot hold the header or
    // the cells it declares.
    static bool ReadShape(const unsigned char* bytes, std::size_t size, tnUInt32& layers, tnUInt32& width,
                          tnUInt32& height, std::size_t& end);
    bool Save(const char* fileName, tnUInt8 flag, const char* title, const char* text);
    bool AddTexture(tnTexture* texture, tnUInt32 tileWidth, tnUInt32 tileHeight);
    void SetBackground(const char* fileName);
    void SetBackground(const char* name, tnSurface* surface);

    // Null outside the map.
    MapData* GetMapDataPtr(tnUInt32 layer, tnUInt32 x, tnUInt32 y);
    void SetMapData(tnUInt32 layer, tnUInt32 x, tnUInt32 y, const MapData& data);
    void SetObject(tnUInt32 layer, tnUInt32 x, tnUInt32 y, void* object);
    void ClearObjectList();
    MapData* GetLayer(tnUInt32 layer);
    void SetLayer(tnUInt32 layer, const MapData* cells);

    const char* GetTitle() const { return m_strTitle; }
    void SetTitle(const char* title);
    const char* GetText() const { return m_strText; }
    void SetText(const char* text);
    const char* GetBackgroundName() const { return m_strBackground; }
    void SetBackgroundName(const char* name);
    tnTexture* GetBackground() { return &m_kBackground; }
    tnUInt8 GetFlag() const { return m_iFlag; }
    bool SetTiles(tnTiles* tiles);
    tnTiles* GetTiles() const { return m_pkTiles; }
    tnUInt32 GetWidth() const { return m_iWidth; }
    tnUInt32 GetHeight() const { return m_iHeight; }
    tnUInt32 GetLayers() const { return m_iLayers; }

    bool Render(tnInt32 left, tnInt32 top, tnUInt32 width, tnUInt32 height, tnUInt32 scrollX, tnUInt32 scrollY,
                tnUInt32 rows, tnUInt32 columns, tnUInt32 colour, tnReal32 scaleX, tnReal32 scaleY,
                tnReal32 angle = 0.0f);

private:
    void FreeCells();
    void RenderBackground(tnInt32 left, tnInt32 top, tnUInt32 width, tnUInt32 height, tnUInt32 scrollX,
                          tnUInt32 scrollY, tnReal32 scaleX, tnReal32 scaleY, tnReal32 angle);
    void RenderLayer(tnUInt32 layer, tnInt32 left, tnInt32 top, tnUInt32 scrollX, tnUInt32 scrollY, tnUInt32 rows,
                     tnUInt32 columns, tnUInt32 colour, tnReal32 scaleX, tnReal32 scaleY);

    tnUInt32 m_iWidth;
    tnUInt32 m_iHeight;
    tnUInt32 m_iLayers;
    MapData* m_pkCells; // owned, layers x height x width
    tnTiles* m_pkTiles; // owned
    tnTexture m_kBackground;
    tnUInt8 m_iFlag;
    char m_strTitle[TitleSize];
    char m_strText[TextSize];
    char m_strBackground[NameSize];
};

#endif
