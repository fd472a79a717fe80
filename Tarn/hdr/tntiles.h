#ifndef TNTILES_H
#define TNTILES_H

#include "d3d8.h"
#include "tnerror.h"
#include "tnvector.h"

class tnTexture;

// The tile set a map draws from: textures, each cut into equal tiles
// counted row by row from the top-left one.
class tnTiles {
public:
    tnTiles();
    ~tnTiles();
    tnTiles(const tnTiles&) = delete;
    tnTiles& operator=(const tnTiles&) = delete;

    void SetDevice(IDirect3DDevice8* device) { m_pkDevice = device; }
    // A tile size of 0 takes the texture's size. True when the texture is
    // in the set (already or now); false for none, or one without a size.
    bool AddTexture(tnTexture* texture, tnUInt32 tileWidth, tnUInt32 tileHeight);
    tnUInt32 GetTileWidth(tnUInt16 index) const;
    tnUInt32 GetTileHeight(tnUInt16 index) const;
    // Number of tiles in a texture; 0 beyond the list.
    tnUInt32 GetNum(tnUInt16 index) const;
    tnUInt32 GetTextureCount() const { return m_vTextures.size(); }
    void SetTransparent(bool transparent);
    bool RenderTile(tnUInt16 textureIndex, tnUInt16 tileIndex, tnInt32 x, tnInt32 y, tnUInt32 colour,
                    tnReal32 scaleX, tnReal32 scaleY, tnReal32 angle);
    void CleanUp();

private:
    IDirect3DDevice8* m_pkDevice;
    tnVector<tnTexture*> m_vTextures; // not owned
    tnVector<tnUInt32> m_vTileWidths;
    tnVector<tnUInt32> m_vTileHeights;
    tnVector<tnUInt32> m_vTilesPerRow;
};

#endif
