#ifndef TNTEXTURE_H
#define TNTEXTURE_H

#include "d3d8.h"
#include "tnerror.h"
#include "tnsurface.h"

// A Direct3D texture made from a surface, drawn as a screen-space quad
// placed by its centre, scaled, tinted and rotated. A frame sheet (frames
// separated by a border) is repacked into a power-of-two texture with the
// frames side by side.
class tnTexture {
public:
    static constexpr tnUInt32 NoNumber = 0xFFFFFFFFu;

    tnTexture();
    ~tnTexture();
    tnTexture(const tnTexture&) = delete;
    tnTexture& operator=(const tnTexture&) = delete;

    // tnErrorCreateTexture when the bitmap cannot be read or the texture made.
    tnError32 CreateFromFile(const char* fileName, bool transparent, tnUInt32 colourKey, RECT* source,
                             POINT* destination, bool frameSheet);
    tnError32 Create(tnSurface* surface, RECT* source, POINT* destination, bool frameSheet);

    // One quad of the source rectangle centred at (x, y); the texture must
    // have been made active. Draws nothing for an object without a texture.
    tnError32 Render(tnInt32 x, tnInt32 y, tnInt32 sourceX, tnInt32 sourceY, tnInt32 width, tnInt32 height,
                     tnReal32 scaleX, tnReal32 scaleY, tnUInt32 colour, tnReal32 angle);
    // Binds the texture on stage 0 unless it is bound already.
    void SetActiveTexture();

    IDirect3DTexture8* GetTexture() const { return m_pkTexture; }
    // Stores the pointer as it is (the caller handles references).
    void SetTexture(IDirect3DTexture8* texture) { m_pkTexture = texture; }
    tnUInt32 GetWidth() const { return m_iWidth; }
    tnUInt32 GetHeight() const { return m_iHeight; }
    bool HasAlpha() const { return m_bAlpha; }
    tnUInt32 GetNumber() const { return m_iNumber; }
    static tnUInt32 GetActiveNumber() { return s_iActiveNumber; }
    void CleanUp();

private:
    tnError32 Build(tnSurface& surface, const RECT& source, POINT destination, bool frameSheet);

    IDirect3DTexture8* m_pkTexture;
    tnUInt32 m_iNumber; // unique per object, from its first successful creation
    tnUInt32 m_iWidth;
    tnUInt32 m_iHeight;
    bool m_bAlpha;

    static tnUInt32 s_iNextNumber;
    static tnUInt32 s_iActiveNumber; // number of the texture last made active
};

#endif
