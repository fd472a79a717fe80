#ifndef TNSURFACE_H
#define TNSURFACE_H

#include "d3d8.h"
#include "tnerror.h"
#include "tnrgbaimage.h"

// A Direct3D image surface made from a bitmap, in the back buffer's format
// (or one with alpha for colour-keyed pictures): pixels of the key colour
// get alpha 0, all others 255. Copied to the back buffer unscaled.
class tnSurface {
public:
    tnSurface();
    ~tnSurface();
    tnSurface(const tnSurface&) = delete;
    tnSurface& operator=(const tnSurface&) = delete;

    // The surface holds the pixels from then on: the image is not kept.
    // tnErrorNoImage for none, tnErrorCreateSurface when no surface can be
    // made.
    tnError32 CreateFromMemory(tnRGBAImage* image, bool transparent, tnUInt32 colourKey);
    // The same from a bitmap file; tnNotOK when the file cannot be read.
    tnError32 CreateFromFile(const char* fileName, bool transparent, tnUInt32 colourKey);
    // Copies the source rectangle (all when null) to the back buffer at the
    // destination point (its own place when null).
    tnError32 Render(POINT* destination, RECT* source);

    tnUInt32 GetWidth() const { return m_iWidth; }
    tnUInt32 GetHeight() const { return m_iHeight; }
    D3DFORMAT GetFormat() const { return m_eFormat; }
    IDirect3DSurface8* GetSurface() const { return m_pkSurface; }
    void CleanUp();

private:
    tnError32 Build(const tnRGBAImage& image, bool transparent, tnUInt32 colourKey);
    bool MakeSurface(IDirect3DDevice8* device, const tnRGBAImage& image, bool transparent);
    void Fill(const tnRGBAImage& image, bool transparent, tnUInt32 colourKey);

    IDirect3DSurface8* m_pkSurface;
    D3DFORMAT m_eFormat;
    tnUInt32 m_iWidth;
    tnUInt32 m_iHeight;
};

#endif
