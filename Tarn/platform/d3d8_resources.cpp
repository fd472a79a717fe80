// Pixels in Direct3D formats, and the SDL textures that show them.
#include "draw_list.h"
#include "sdl_display.h"
#include "sdl_graphics.h"

#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <cstring>
#include <new>
#include <set>

namespace {

// Never destroyed: stores that outlive main's statics still unregister safely.
std::set<platform::PixelStore*>& LiveStores()
{
    static std::set<platform::PixelStore*>* stores = new std::set<platform::PixelStore*>();
    return *stores;
}

// Scratch for converting a store to ARGB before an upload; reused, so
// refreshing textures allocates nothing once it has grown (up to a size).
const std::size_t kKeptConversionPixels = 256 * 256;

// Pixels dropped after an upload since memory was last given back, and
// how much of them makes that worth doing.
bool g_bMemoryFreed = false;
const std::size_t kWorthReturning = 64 * 1024;
std::vector<Uint32>& ConversionBuffer()
{
    static std::vector<Uint32> buffer;
    return buffer;
}

Uint32 Widen(Uint32 value, int bits)
{
    // Repeat the top bits so that full scale stays full scale (31 -> 255).
    switch (bits) {
    case 1: return value ? 255u : 0u;
    case 4: return value * 17u;
    case 5: return (value << 3) | (value >> 2);
    case 6: return (value << 2) | (value >> 4);
    default: return value;
    }
}

Uint32 Pack(Uint32 a, Uint32 r, Uint32 g, Uint32 b)
{
    return (a << 24) | (r << 16) | (g << 8) | b;
}

} // namespace

namespace platform {

int FormatBytes(D3DFORMAT format)
{
    switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
        return 4;
    case D3DFMT_R8G8B8:
        return 3;
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
    case D3DFMT_A4R4G4B4:
    case D3DFMT_X4R4G4B4:
    case D3DFMT_A8R3G3B2:
        return 2;
    case D3DFMT_R3G3B2:
    case D3DFMT_A8:
        return 1;
    default:
        return 0;
    }
}

Uint32 DecodePixel(D3DFORMAT format, const Uint8* p)
{
    Uint32 v = p[0];
    if (FormatBytes(format) >= 2)
        v |= static_cast<Uint32>(p[1]) << 8;
    if (FormatBytes(format) >= 3)
        v |= static_cast<Uint32>(p[2]) << 16;
    if (FormatBytes(format) == 4)
        v |= static_cast<Uint32>(p[3]) << 24;
    switch (format) {
    case D3DFMT_A8R8G8B8: return v;
    case D3DFMT_X8R8G8B8:
    case D3DFMT_R8G8B8: return v | 0xFF000000u;
    case D3DFMT_R5G6B5:
        return Pack(255, Widen(v >> 11, 5), Widen((v >> 5) & 63, 6), Widen(v & 31, 5));
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5: {
        Uint32 a = format == D3DFMT_A1R5G5B5 ? Widen(v >> 15, 1) : 255u;
        return Pack(a, Widen((v >> 10) & 31, 5), Widen((v >> 5) & 31, 5), Widen(v & 31, 5));
    }
    case D3DFMT_A4R4G4B4:
    case D3DFMT_X4R4G4B4: {
        Uint32 a = format == D3DFMT_A4R4G4B4 ? Widen(v >> 12, 4) : 255u;
        return Pack(a, Widen((v >> 8) & 15, 4), Widen((v >> 4) & 15, 4), Widen(v & 15, 4));
    }
    case D3DFMT_R3G3B2:
    case D3DFMT_A8R3G3B2: {
        Uint32 a = format == D3DFMT_A8R3G3B2 ? (v >> 8) : 255u;
        return Pack(a, ((v >> 5) & 7) * 255 / 7, ((v >> 2) & 7) * 255 / 7, (v & 3) * 85);
    }
    case D3DFMT_A8: return Pack(v, 0, 0, 0);
    default: return 0;
    }
}

Uint32 RendererGeneration()
{
    const Display& display = GetDisplay();
    if (!display.window || !display.renderer)
        return 0;
    return SDL_GetWindowID(display.window);
}

PixelStore::PixelStore(D3DFORMAT format, int width, int height, int bytes)
    : m_eFormat(format), m_iWidth(width), m_iHeight(height), m_iBytes(bytes),
      m_iPitch(((width * bytes) + 3) & ~3), m_vBytes(), m_pkTexture(nullptr), m_iGeneration(0), m_bDirty(true),
      m_bPaddingClear(false)
{
}

PixelStore* PixelStore::Create(D3DFORMAT format, int width, int height)
{
    int bytes = FormatBytes(format);
    if (bytes == 0 || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return nullptr;
    PixelStore* store = new (std::nothrow) PixelStore(format, width, height, bytes);
    if (!store)
        return nullptr;
    try {
        store->m_vBytes.assign(static_cast<std::size_t>(store->m_iPitch) * height, 0);
    } catch (const std::bad_alloc&) {
        delete store;
        return nullptr;
    }
    LiveStores().insert(store);
    return store;
}

PixelStore::~PixelStore()
{
    DrawList::StoreChanging(*this);
    LiveStores().erase(this);
    ReleaseTexture();
}

void PixelStore::ReleaseTexture()
{
    // A texture of a renderer that is gone was freed with it.
    if (m_pkTexture && m_iGeneration == RendererGeneration())
        SDL_DestroyTexture(m_pkTexture);
    m_pkTexture = nullptr;
    m_iGeneration = 0;
}

SDL_Texture* PixelStore::Texture()
{
    Uint32 generation = RendererGeneration();
    if (generation == 0)
        return nullptr;
    if (m_pkTexture && m_iGeneration != generation)
        ReleaseTexture();
    if (!m_pkTexture) {
        // The software renderer's streaming textures can be read back, so
        // the pixels need not be kept twice (see ReleaseBytes).
        int access = GetDisplay().softwareRenderer ? SDL_TEXTUREACCESS_STREAMING : SDL_TEXTUREACCESS_STATIC;
        m_pkTexture = SDL_CreateTexture(GetDisplay().renderer, SDL_PIXELFORMAT_ARGB8888, access, m_iWidth, m_iHeight);
        if (!m_pkTexture)
            return nullptr;
        m_iGeneration = generation;
        // Sprites sit on exact texels: no filtering between frames of a sheet.
        SDL_SetTextureScaleMode(m_pkTexture, SDL_ScaleModeNearest);
        SDL_SetTextureBlendMode(m_pkTexture, SDL_BLENDMODE_BLEND);
        m_bDirty = true;
    }
    if (m_bDirty) {
        Upload();
        m_bDirty = false;
        ReleaseBytes();
    }
    return m_pkTexture;
}

void PixelStore::Upload()
{
    EnsureBytes();
    m_bPaddingClear = false;
    if (m_eFormat == D3DFMT_A8R8G8B8) {
        SDL_UpdateTexture(m_pkTexture, nullptr, m_vBytes.data(), m_iPitch);
        return;
    }
    std::vector<Uint32>& argb = ConversionBuffer();
    argb.resize(static_cast<std::size_t>(m_iWidth) * m_iHeight);
    bool padding = false; // the unused byte of X8R8G8B8 is 0 everywhere
    for (int y = 0; y < m_iHeight; ++y) {
        const Uint8* row = Row(y);
        Uint32* out = &argb[static_cast<std::size_t>(y) * m_iWidth];
        for (int x = 0; x < m_iWidth; ++x) {
            out[x] = DecodePixel(m_eFormat, row + x * m_iBytes);
            padding = padding || (m_eFormat == D3DFMT_X8R8G8B8 && row[x * 4 + 3] != 0);
        }
    }
    m_bPaddingClear = m_eFormat == D3DFMT_X8R8G8B8 && !padding;
    SDL_UpdateTexture(m_pkTexture, nullptr, argb.data(), m_iWidth * 4);
    // A big picture converted once (a level's background) must not keep
    // its scratch copy for the rest of the run.
    if (argb.size() > kKeptConversionPixels)
        std::vector<Uint32>().swap(argb);
}

bool PixelStore::CanReadBack() const
{
    // Only the software renderer's textures are plain memory that a lock
    // shows as it is; the formats are those the texture holds unchanged.
    return GetDisplay().softwareRenderer && m_pkTexture && m_iGeneration == RendererGeneration() &&
           (m_eFormat == D3DFMT_A8R8G8B8 || m_bPaddingClear);
}

void PixelStore::ReleaseBytes()
{
    if (!CanReadBack())
        return;
    g_bMemoryFreed = g_bMemoryFreed || m_vBytes.size() >= kWorthReturning;
    std::vector<Uint8>().swap(m_vBytes);
}

void PixelStore::ReturnFreedMemory()
{
    if (!g_bMemoryFreed)
        return;
    g_bMemoryFreed = false;
#ifdef __GLIBC__
    // Pictures were just made into textures: what loading them used and
    // their copies in memory are free now, and go back to the system
    // instead of staying in the process for the rest of the run.
    malloc_trim(0);
#endif
}

void PixelStore::EnsureBytes() const
{
    if (!m_vBytes.empty())
        return;
    m_vBytes.assign(static_cast<std::size_t>(m_iPitch) * m_iHeight, 0);
    void* pixels = nullptr;
    int pitch = 0;
    // A texture of a renderer that is gone cannot be read (KeepAllPixels
    // takes the pixels back before that happens).
    if (!m_pkTexture || m_iGeneration != RendererGeneration() ||
        SDL_LockTexture(m_pkTexture, nullptr, &pixels, &pitch) != 0)
        return;
    const std::size_t rowBytes = static_cast<std::size_t>(m_iWidth) * 4;
    for (int y = 0; y < m_iHeight; ++y) {
        Uint8* row = m_vBytes.data() + static_cast<std::size_t>(y) * m_iPitch;
        std::memcpy(row, static_cast<const Uint8*>(pixels) + static_cast<std::size_t>(y) * pitch, rowBytes);
        for (int x = 0; m_eFormat == D3DFMT_X8R8G8B8 && x < m_iWidth; ++x)
            row[x * 4 + 3] = 0;
    }
    SDL_UnlockTexture(m_pkTexture);
}

std::size_t PixelStore::BytesHeld()
{
    std::size_t held = 0;
    for (const PixelStore* store : LiveStores())
        held += store->m_vBytes.size();
    return held;
}

void PixelStore::KeepAllPixels()
{
    for (PixelStore* store : LiveStores())
        store->EnsureBytes();
}

void PixelStore::BeforeChange() const
{
    DrawList::StoreChanging(*this);
}

void PixelStore::MarkAllDirty()
{
    for (PixelStore* store : LiveStores())
        store->MarkDirty();
}

namespace {
// The part of rect (moved to `at`) that lies inside both stores' bounds.
bool ClipCopy(RECT& rect, POINT& at, int sourceWidth, int sourceHeight, int targetWidth, int targetHeight)
{
    if (rect.left < 0) { at.x -= rect.left; rect.left = 0; }
    if (rect.top < 0) { at.y -= rect.top; rect.top = 0; }
    if (at.x < 0) { rect.left -= at.x; at.x = 0; }
    if (at.y < 0) { rect.top -= at.y; at.y = 0; }
    rect.right = std::min<LONG>(rect.right, sourceWidth);
    rect.bottom = std::min<LONG>(rect.bottom, sourceHeight);
    rect.right = std::min<LONG>(rect.right, rect.left + (targetWidth - at.x));
    rect.bottom = std::min<LONG>(rect.bottom, rect.top + (targetHeight - at.y));
    return rect.right > rect.left && rect.bottom > rect.top;
}
} // namespace

bool CopyStoreRect(const PixelStore& source, const RECT& wanted, PixelStore& target, POINT at)
{
    if (source.Format() != target.Format())
        return false;
    RECT rect = wanted;
    if (!ClipCopy(rect, at, source.Width(), source.Height(), target.Width(), target.Height()))
        return true;
    target.BeforeChange();
    std::size_t bytes = static_cast<std::size_t>(rect.right - rect.left) * source.BytesPerPixel();
    for (LONG y = rect.top; y < rect.bottom; ++y) {
        const Uint8* from = source.Row(y) + rect.left * source.BytesPerPixel();
        Uint8* to = target.Row(at.y + (y - rect.top)) + at.x * target.BytesPerPixel();
        std::copy(from, from + bytes, to);
    }
    target.MarkDirty();
    return true;
}

void BlitStore(PixelStore& source, const RECT& wanted, POINT at, DrawList& into)
{
    const Display& display = GetDisplay();
    RECT rect = wanted;
    if (!ClipCopy(rect, at, source.Width(), source.Height(), display.width, display.height))
        return;
    SDL_Rect from = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    SDL_FRect to = {static_cast<float>(at.x), static_cast<float>(at.y), static_cast<float>(from.w),
                    static_cast<float>(from.h)};
    // A copy replaces the pixels, as CopyRects does: no blending.
    into.Copy(source, from, to, {255, 255, 255, 255}, SDL_BLENDMODE_NONE, SDL_ScaleModeNearest);
}

} // namespace platform

// --- Surfaces and textures ---------------------------------------------------
namespace platform {

namespace {

void Describe(D3DSURFACE_DESC* desc, D3DFORMAT format, UINT width, UINT height, UINT size, D3DPOOL pool,
              DWORD usage)
{
    *desc = {};
    desc->Format = format;
    desc->Type = D3DRTYPE_SURFACE;
    desc->Usage = usage;
    desc->Pool = pool;
    desc->Size = size;
    desc->MultiSampleType = D3DMULTISAMPLE_NONE;
    desc->Width = width;
    desc->Height = height;
}

HRESULT LockStore(PixelStore* store, D3DLOCKED_RECT* locked, const RECT* rect)
{
    if (!store || !locked)
        return D3DERR_INVALIDCALL;
    RECT whole = {0, 0, store->Width(), store->Height()};
    const RECT& area = rect ? *rect : whole;
    if (area.left < 0 || area.top < 0 || area.right > whole.right || area.bottom > whole.bottom ||
        area.left >= area.right || area.top >= area.bottom)
        return D3DERR_INVALIDCALL;
    store->BeforeChange();
    locked->Pitch = store->Pitch();
    locked->pBits = store->Row(area.top) + area.left * store->BytesPerPixel();
    return D3D_OK;
}

} // namespace

SurfaceImpl* SurfaceImpl::ForImage(PixelStore* store)
{
    SurfaceImpl* surface = new SurfaceImpl();
    surface->m_pkStore = store;
    surface->m_bOwnsStore = true;
    surface->m_eFormat = store->Format();
    surface->m_iWidth = static_cast<UINT>(store->Width());
    surface->m_iHeight = static_cast<UINT>(store->Height());
    return surface;
}

SurfaceImpl* SurfaceImpl::ForTextureLevel(TextureImpl* texture)
{
    SurfaceImpl* surface = ForImage(texture->Store());
    surface->m_bOwnsStore = false;
    surface->m_pkTexture = texture;
    texture->AddRef();
    return surface;
}

SurfaceImpl* SurfaceImpl::ForBackBuffer(D3DFORMAT format, UINT width, UINT height)
{
    SurfaceImpl* surface = new SurfaceImpl();
    surface->m_bBackBuffer = true;
    surface->m_eFormat = format;
    surface->m_iWidth = width;
    surface->m_iHeight = height;
    return surface;
}

SurfaceImpl::~SurfaceImpl()
{
    if (m_bOwnsStore)
        delete m_pkStore;
    if (m_pkTexture)
        m_pkTexture->Release();
}

HRESULT SurfaceImpl::GetDesc(D3DSURFACE_DESC* desc)
{
    if (!desc)
        return D3DERR_INVALIDCALL;
    DWORD usage = m_bBackBuffer ? D3DUSAGE_RENDERTARGET : 0;
    D3DPOOL pool = m_pkTexture ? m_pkTexture->Pool() : (m_bBackBuffer ? D3DPOOL_DEFAULT : D3DPOOL_SYSTEMMEM);
    Describe(desc, m_eFormat, m_iWidth, m_iHeight, m_pkStore ? m_pkStore->Size() : m_iWidth * m_iHeight * 4, pool,
             usage);
    return D3D_OK;
}

HRESULT SurfaceImpl::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD)
{
    // The back buffer is not lockable (no D3DPRESENTFLAG_LOCKABLE_BACKBUFFER).
    if (m_bLocked || m_bBackBuffer)
        return D3DERR_INVALIDCALL;
    HRESULT result = LockStore(m_pkStore, locked, rect);
    m_bLocked = SUCCEEDED(result);
    return result;
}

HRESULT SurfaceImpl::UnlockRect()
{
    if (!m_bLocked)
        return D3DERR_INVALIDCALL;
    m_bLocked = false;
    m_pkStore->MarkDirty();
    return D3D_OK;
}

TextureImpl* TextureImpl::Create(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool)
{
    if (width > 4096 || height > 4096)
        return nullptr;
    PixelStore* store = PixelStore::Create(format, static_cast<int>(width), static_cast<int>(height));
    if (!store)
        return nullptr;
    TextureImpl* texture = new TextureImpl();
    texture->m_pkStore = store;
    texture->m_ePool = pool;
    return texture;
}

TextureImpl::~TextureImpl()
{
    delete m_pkStore;
}

HRESULT TextureImpl::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc)
{
    if (level != 0 || !desc)
        return D3DERR_INVALIDCALL;
    Describe(desc, m_pkStore->Format(), static_cast<UINT>(m_pkStore->Width()), static_cast<UINT>(m_pkStore->Height()),
             m_pkStore->Size(), m_ePool, 0);
    return D3D_OK;
}

HRESULT TextureImpl::GetSurfaceLevel(UINT level, IDirect3DSurface8** surface)
{
    if (level != 0 || !surface)
        return D3DERR_INVALIDCALL;
    *surface = SurfaceImpl::ForTextureLevel(this);
    return D3D_OK;
}

HRESULT TextureImpl::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD)
{
    if (level != 0)
        return D3DERR_INVALIDCALL;
    return LockStore(m_pkStore, locked, rect);
}

HRESULT TextureImpl::UnlockRect(UINT level)
{
    if (level != 0)
        return D3DERR_INVALIDCALL;
    m_pkStore->MarkDirty();
    return D3D_OK;
}

} // namespace platform
