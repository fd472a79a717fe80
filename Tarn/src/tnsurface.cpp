#include "tnsurface.h"

#include "tnscreen.h"

namespace {

// Where an 8-bit channel goes in a pixel of a surface format: dropped to
// the mask's width and shifted into place. Worked out once per picture, not
// once per pixel.
struct ChannelPlace {
    tnUInt32 mask = 0;
    tnUInt32 shift = 0;
    tnUInt32 drop = 0; // low bits a narrower channel cannot hold

    explicit ChannelPlace(tnUInt32 channelMask) : mask(channelMask)
    {
        if (!mask)
            return;
        while (!((mask >> shift) & 1u))
            ++shift;
        tnUInt32 bits = 0;
        while (shift + bits < 32 && ((mask >> (shift + bits)) & 1u))
            ++bits;
        if (bits < 8)
            drop = 8 - bits;
    }
    tnUInt32 Pack(tnUInt32 value) const { return ((value >> drop) << shift) & mask; }
};

} // namespace

tnSurface::tnSurface()
    : m_pkSurface(nullptr), m_eFormat(D3DFMT_UNKNOWN), m_iWidth(0), m_iHeight(0)
{
}

tnSurface::~tnSurface()
{
    CleanUp();
}

void tnSurface::CleanUp()
{
    if (m_pkSurface) {
        m_pkSurface->Release();
        m_pkSurface = nullptr;
    }
    m_eFormat = D3DFMT_UNKNOWN;
    m_iWidth = 0;
    m_iHeight = 0;
}

tnError32 tnSurface::CreateFromMemory(tnRGBAImage* image, bool transparent, tnUInt32 colourKey)
{
    if (!image)
        return tnErrorNoImage;
    return Build(*image, transparent, colourKey);
}

tnError32 tnSurface::CreateFromFile(const char* fileName, bool transparent, tnUInt32 colourKey)
{
    tnRGBAImage image;
    if (image.LoadFromBitmap(fileName) != tnOK)
        return tnNotOK;
    return Build(image, transparent, colourKey);
}

bool tnSurface::MakeSurface(IDirect3DDevice8* device, const tnRGBAImage& image, bool transparent)
{
    D3DFORMAT backBuffer = tnScreen::GetSingleton()->GetBackBufferFormat();
    D3DFORMAT candidates[3] = {backBuffer, D3DFMT_UNKNOWN, D3DFMT_UNKNOWN};
    if (transparent && GetBitsPerPixel(backBuffer) == 32) {
        candidates[0] = D3DFMT_A8R8G8B8;
        candidates[1] = backBuffer;
    } else if (transparent && GetBitsPerPixel(backBuffer) == 16) {
        candidates[0] = D3DFMT_A1R5G5B5;
        candidates[1] = D3DFMT_A4R4G4B4;
        candidates[2] = backBuffer;
    }
    for (D3DFORMAT format : candidates) {
        if (format == D3DFMT_UNKNOWN)
            break;
        if (SUCCEEDED(device->CreateImageSurface(image.GetWidth(), image.GetHeight(), format, &m_pkSurface))) {
            m_eFormat = format;
            return true;
        }
        m_pkSurface = nullptr;
    }
    return false;
}

void tnSurface::Fill(const tnRGBAImage& image, bool transparent, tnUInt32 colourKey)
{
    D3DLOCKED_RECT locked = {};
    if (FAILED(m_pkSurface->LockRect(&locked, nullptr, 0)))
        return;
    const tnUInt32 bytes = (GetFormatXBits(m_eFormat) + GetFormatABits(m_eFormat) + GetFormatRBits(m_eFormat) +
                            GetFormatGBits(m_eFormat) + GetFormatBBits(m_eFormat)) / 8;
    const ChannelPlace red(GetFormatRMask(m_eFormat)), green(GetFormatGMask(m_eFormat)),
        blue(GetFormatBMask(m_eFormat));
    // A keyed pixel's alpha of 0 packs to nothing; every other pixel is opaque.
    const tnUInt32 opaque = ChannelPlace(GetFormatAMask(m_eFormat)).Pack(255);
    const tnUInt32 key = colourKey & 0xFFFFFF;
    const tnUInt32* pixels = image.GetImageBuffer();
    const tnUInt32 width = image.GetWidth();
    for (tnUInt32 y = 0; y < image.GetHeight(); ++y) {
        tnUInt8* row = static_cast<tnUInt8*>(locked.pBits) + static_cast<std::size_t>(y) * locked.Pitch;
        const tnUInt32* source = pixels ? pixels + static_cast<std::size_t>(y) * width : nullptr;
        for (tnUInt32 x = 0; x < width; ++x) {
            tnUInt32 rgb = source ? source[x] & 0xFFFFFF : 0;
            tnUInt32 packed = (transparent && rgb == key ? 0 : opaque) | red.Pack(rgb & 0xFF) |
                              green.Pack((rgb >> 8) & 0xFF) | blue.Pack(rgb >> 16);
            for (tnUInt32 b = 0; b < bytes; ++b)
                row[x * bytes + b] = static_cast<tnUInt8>(packed >> (8 * b));
        }
    }
    m_pkSurface->UnlockRect();
}

tnError32 tnSurface::Build(const tnRGBAImage& image, bool transparent, tnUInt32 colourKey)
{
    CleanUp();
    IDirect3DDevice8* device = tnScreen::GetSingleton()->GetDevice();
    if (!device || !MakeSurface(device, image, transparent))
        return tnErrorCreateSurface;
    Fill(image, transparent, colourKey);
    m_iWidth = image.GetWidth();
    m_iHeight = image.GetHeight();
    return tnOK;
}

tnError32 tnSurface::Render(POINT* destination, RECT* source)
{
    IDirect3DDevice8* device = tnScreen::GetSingleton()->GetDevice();
    if (!m_pkSurface || !device)
        return tnOK;
    IDirect3DSurface8* backBuffer = nullptr;
    if (SUCCEEDED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
        device->CopyRects(m_pkSurface, source, 1, backBuffer, destination);
        backBuffer->Release();
    }
    return tnOK;
}
