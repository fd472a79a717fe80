#ifndef PLATFORM_SDL_GRAPHICS_H
#define PLATFORM_SDL_GRAPHICS_H

// Internal to the platform layer: pixels held in Direct3D formats and the
// SDL textures that show them, shared by the device, its surfaces and
// textures, and the font.

#include "d3d8.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace platform {

// Bytes per pixel of a colour format the stand-in can hold; 0 otherwise.
int FormatBytes(D3DFORMAT format);
// One stored pixel as ARGB (formats without alpha read as opaque).
Uint32 DecodePixel(D3DFORMAT format, const Uint8* pixel);

// Identifies the renderer that SDL textures were made on: the SDL id of the
// window that owns it (ids are never reused), 0 when there is none. A
// texture made for another generation died with its renderer.
Uint32 RendererGeneration();

// Pixels in a Direct3D format kept in memory (lock, copy and reset all work
// on them) plus an SDL texture that is refreshed from them when drawn after
// a change. Keeping the pixels is what lets managed textures survive a
// device reset: the SDL texture is simply filled again.
class PixelStore {
public:
    static const int kMaxSide = 8192;

    // Null for an unsupported format or size.
    static PixelStore* Create(D3DFORMAT format, int width, int height);
    ~PixelStore();
    PixelStore(const PixelStore&) = delete;
    PixelStore& operator=(const PixelStore&) = delete;

    D3DFORMAT Format() const { return m_eFormat; }
    int Width() const { return m_iWidth; }
    int Height() const { return m_iHeight; }
    int Pitch() const { return m_iPitch; }
    int BytesPerPixel() const { return m_iBytes; }
    Uint8* Row(int y)
    {
        EnsureBytes();
        return m_vBytes.data() + static_cast<std::size_t>(y) * m_iPitch;
    }
    const Uint8* Row(int y) const
    {
        EnsureBytes();
        return m_vBytes.data() + static_cast<std::size_t>(y) * m_iPitch;
    }
    Uint32 Size() const { return static_cast<Uint32>(m_iPitch) * static_cast<Uint32>(m_iHeight); }
    // False while the pixels live only in the texture (see ReleaseBytes).
    bool HoldsBytes() const { return !m_vBytes.empty(); }

    // The pixels are about to change: drawing that still means the old ones
    // is done first.
    void BeforeChange() const;
    // The pixels changed: the SDL texture is refreshed before its next use.
    void MarkDirty() { m_bDirty = true; }
    // The SDL texture with the current pixels; null without a renderer.
    SDL_Texture* Texture();

    // Every store refreshes its texture on next use (the renderer lost them).
    static void MarkAllDirty();
    // Every store takes its pixels back from its texture: the renderer is
    // about to go, and its textures with it.
    static void KeepAllPixels();
    // Gives memory freed by dropped pixels back to the system (after a
    // frame that made new textures, such as the first of a level).
    static void ReturnFreedMemory();
    // Bytes of pixels all stores hold in memory.
    static std::size_t BytesHeld();

private:
    PixelStore(D3DFORMAT format, int width, int height, int bytes);
    void ReleaseTexture();
    void Upload();
    // Once shown, the pixels live in the texture alone where it can be read
    // back; they come back into memory when next needed.
    bool CanReadBack() const;
    void ReleaseBytes();
    void EnsureBytes() const;

    D3DFORMAT m_eFormat;
    int m_iWidth;
    int m_iHeight;
    int m_iBytes;
    int m_iPitch;
    mutable std::vector<Uint8> m_vBytes; // empty while only the texture holds them
    SDL_Texture* m_pkTexture;
    Uint32 m_iGeneration;
    bool m_bDirty;
    bool m_bPaddingClear; // X8R8G8B8 whose unused bytes were all 0 at the upload
};

// Copies rectangles between stores of the same format (clipped to both).
bool CopyStoreRect(const PixelStore& source, const RECT& rect, PixelStore& target, POINT at);

class DrawList;
// Adds a copy of a store's rectangle, unscaled and unblended, to a frame.
void BlitStore(PixelStore& source, const RECT& rect, POINT at, DrawList& into);

// Reference counting shared by every Direct3D object of the stand-in.
template <class Interface>
class RefCounted : public Interface {
public:
    DWORD AddRef() override { return ++m_iReferences; }
    DWORD Release() override
    {
        DWORD left = --m_iReferences;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    DWORD m_iReferences = 1;
};

class TextureImpl;

// An image surface (owns its pixels), a texture's level 0 (shares the
// texture's pixels and keeps the texture alive) or the device's back buffer
// (no pixels of its own: it is the display's render target).
class SurfaceImpl : public RefCounted<IDirect3DSurface8> {
public:
    static SurfaceImpl* ForImage(PixelStore* store);
    static SurfaceImpl* ForTextureLevel(TextureImpl* texture);
    static SurfaceImpl* ForBackBuffer(D3DFORMAT format, UINT width, UINT height);

    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect() override;

    PixelStore* Store() const { return m_pkStore; }
    bool IsBackBuffer() const { return m_bBackBuffer; }
    UINT Width() const { return m_iWidth; }
    UINT Height() const { return m_iHeight; }

private:
    SurfaceImpl() = default;
    ~SurfaceImpl() override;

    PixelStore* m_pkStore = nullptr;
    bool m_bOwnsStore = false;
    TextureImpl* m_pkTexture = nullptr;
    bool m_bBackBuffer = false;
    D3DFORMAT m_eFormat = D3DFMT_UNKNOWN;
    UINT m_iWidth = 0;
    UINT m_iHeight = 0;
    bool m_bLocked = false;
};

class TextureImpl : public RefCounted<IDirect3DTexture8> {
public:
    // Null for an unsupported format or size.
    static TextureImpl* Create(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool);

    D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
    DWORD GetLevelCount() override { return 1; }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface8** surface) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;

    PixelStore* Store() const { return m_pkStore; }
    D3DPOOL Pool() const { return m_ePool; }

private:
    TextureImpl() = default;
    ~TextureImpl() override;

    PixelStore* m_pkStore = nullptr;
    D3DPOOL m_ePool = D3DPOOL_MANAGED;
};

} // namespace platform

#endif
