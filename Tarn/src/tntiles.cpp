#include "tntiles.h"

#include "tntexture.h"

tnTiles::tnTiles()
    : m_pkDevice(nullptr)
{
}

tnTiles::~tnTiles()
{
    CleanUp();
}

void tnTiles::CleanUp()
{
    m_pkDevice = nullptr;
    m_vTextures.clear();
    m_vTileWidths.clear();
    m_vTileHeights.clear();
    m_vTilesPerRow.clear();
}

bool tnTiles::AddTexture(tnTexture* texture, tnUInt32 tileWidth, tnUInt32 tileHeight)
{
    if (!texture)
        return false;
    for (tnUInt32 i = 0; i < m_vTextures.size(); ++i) {
        if (m_vTextures[i] == texture)
            return true;
    }
    tnUInt32 width = tileWidth ? tileWidth : texture->GetWidth();
    tnUInt32 height = tileHeight ? tileHeight : texture->GetHeight();
    // A texture that was never made has no size to cut into tiles.
    if (width == 0 || height == 0)
        return false;
    m_vTextures.push_back(texture);
    m_vTileWidths.push_back(width);
    m_vTileHeights.push_back(height);
    m_vTilesPerRow.push_back(texture->GetWidth() / width);
    return true;
}

tnUInt32 tnTiles::GetTileWidth(tnUInt16 index) const
{
    return index < m_vTileWidths.size() ? m_vTileWidths[index] : 0;
}

tnUInt32 tnTiles::GetTileHeight(tnUInt16 index) const
{
    return index < m_vTileHeights.size() ? m_vTileHeights[index] : 0;
}

tnUInt32 tnTiles::GetNum(tnUInt16 index) const
{
    if (index >= m_vTextures.size() || m_vTileHeights[index] == 0)
        return 0;
    return (m_vTextures[index]->GetHeight() / m_vTileHeights[index]) * m_vTilesPerRow[index];
}

void tnTiles::SetTransparent(bool transparent)
{
    if (m_pkDevice)
        m_pkDevice->SetRenderState(D3DRS_ALPHATESTENABLE, transparent ? TRUE : FALSE);
}

bool tnTiles::RenderTile(tnUInt16 textureIndex, tnUInt16 tileIndex, tnInt32 x, tnInt32 y, tnUInt32 colour,
                         tnReal32 scaleX, tnReal32 scaleY, tnReal32 angle)
{
    if (textureIndex >= m_vTextures.size() || m_vTilesPerRow[textureIndex] == 0)
        return false;
    tnUInt32 perRow = m_vTilesPerRow[textureIndex];
    tnUInt32 width = m_vTileWidths[textureIndex];
    tnUInt32 height = m_vTileHeights[textureIndex];
    tnTexture* texture = m_vTextures[textureIndex];
    texture->SetActiveTexture();
    texture->Render(x, y, static_cast<tnInt32>((tileIndex % perRow) * width),
                    static_cast<tnInt32>((tileIndex / perRow) * height), static_cast<tnInt32>(width),
                    static_cast<tnInt32>(height), scaleX, scaleY, colour, angle);
    return true;
}
