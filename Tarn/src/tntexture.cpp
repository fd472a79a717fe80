#include "tntexture.h"

#include "tnscreen.h"

#include <cmath>
#include <vector>

tnUInt32 tnTexture::s_iNextNumber = 0;
tnUInt32 tnTexture::s_iActiveNumber = tnTexture::NoNumber;

namespace {

const tnUInt32 kMaxTextureSide = 4096;

tnUInt32 PowerOfTwo(tnUInt32 value)
{
    tnUInt32 power = 1;
    while (power < value)
        power <<= 1;
    return power;
}

} // namespace

tnTexture::tnTexture()
    : m_pkTexture(nullptr), m_iNumber(NoNumber), m_iWidth(0), m_iHeight(0), m_bAlpha(false)
{
}

tnTexture::~tnTexture()
{
    CleanUp();
    m_iNumber = NoNumber;
}

void tnTexture::CleanUp()
{
    // A texture that goes away cannot stay "already active": the next one
    // made with this number must be bound again.
    if (m_iNumber != NoNumber && m_iNumber == s_iActiveNumber)
        s_iActiveNumber = NoNumber;
    if (m_pkTexture) {
        m_pkTexture->Release();
        m_pkTexture = nullptr;
    }
    m_iWidth = 0;
    m_iHeight = 0;
    m_bAlpha = false;
}

tnError32 tnTexture::CreateFromFile(const char* fileName, bool transparent, tnUInt32 colourKey, RECT* source,
                                    POINT* destination, bool frameSheet)
{
    tnSurface surface;
    if (surface.CreateFromFile(fileName, transparent, colourKey) != tnOK)
        return tnErrorCreateTexture;
    return Create(&surface, source, destination, frameSheet);
}

tnError32 tnTexture::Create(tnSurface* surface, RECT* source, POINT* destination, bool frameSheet)
{
    bool heldTexture = m_pkTexture != nullptr;
    CleanUp();
    if (!surface || !surface->GetSurface())
        return tnErrorCreateTexture;
    RECT whole = {0, 0, static_cast<LONG>(surface->GetWidth()), static_cast<LONG>(surface->GetHeight())};
    POINT origin = {0, 0};
    tnError32 result = Build(*surface, source ? *source : whole, destination ? *destination : origin, frameSheet);
    if (result == tnOK && !heldTexture)
        m_iNumber = s_iNextNumber++;
    return result;
}

tnError32 tnTexture::Build(tnSurface& surface, const RECT& source, POINT destination, bool frameSheet)
{
    IDirect3DDevice8* device = tnScreen::GetSingleton()->GetDevice();
    LONG frameWidth = source.right - source.left;
    LONG frameHeight = source.bottom - source.top;
    LONG surfaceWidth = static_cast<LONG>(surface.GetWidth());
    LONG surfaceHeight = static_cast<LONG>(surface.GetHeight());
    // A frame larger than the bitmap (or an empty one) would make an empty
    // texture that later divides by zero.
    if (!device || frameWidth <= 0 || frameHeight <= 0 || frameWidth > surfaceWidth || frameHeight > surfaceHeight ||
        destination.x < 0 || destination.y < 0)
        return tnErrorCreateTexture;

    std::vector<RECT> rects;
    std::vector<POINT> points;
    tnUInt32 width = static_cast<tnUInt32>(frameWidth + destination.x);
    tnUInt32 height = static_cast<tnUInt32>(frameHeight + destination.y);
    if (!frameSheet) {
        rects.push_back(source);
        points.push_back(destination);
    } else {
        // Frames start after a border of (left, top) pixels and are
        // separated by borders of the same size.
        LONG columns = surfaceWidth / frameWidth;
        LONG rows = surfaceHeight / frameHeight;
        width = PowerOfTwo(static_cast<tnUInt32>(columns * frameWidth));
        height = PowerOfTwo(static_cast<tnUInt32>(rows * frameHeight));
        for (LONG r = 0; r < rows; ++r) {
            for (LONG c = 0; c < columns; ++c) {
                LONG left = source.left + c * (frameWidth + source.left);
                LONG top = source.top + r * (frameHeight + source.top);
                rects.push_back({left, top, left + frameWidth, top + frameHeight});
                points.push_back({c * frameWidth, r * frameHeight});
            }
        }
    }
    if (width > kMaxTextureSide || height > kMaxTextureSide)
        return tnErrorCreateTexture;
    if (FAILED(device->CreateTexture(width, height, 1, 0, surface.GetFormat(), D3DPOOL_MANAGED, &m_pkTexture))) {
        m_pkTexture = nullptr;
        return tnErrorCreateTexture;
    }
    IDirect3DSurface8* level = nullptr;
    if (SUCCEEDED(m_pkTexture->GetSurfaceLevel(0, &level))) {
        device->CopyRects(surface.GetSurface(), rects.data(), static_cast<UINT>(rects.size()), level, points.data());
        level->Release();
    }
    m_iWidth = width;
    m_iHeight = height;
    m_bAlpha = GetFormatABits(surface.GetFormat()) > 0;
    return tnOK;
}

void tnTexture::SetActiveTexture()
{
    IDirect3DDevice8* device = tnScreen::GetSingleton()->GetDevice();
    if (!m_pkTexture || !device)
        return;
    // The number saves a bind when this texture is the last one made active;
    // the device is asked as well, since the game unbinds stage 0 directly
    // and a texture still "active" by number would then draw untextured.
    IDirect3DBaseTexture8* bound = nullptr;
    device->GetTexture(0, &bound);
    if (bound)
        bound->Release();
    if (m_iNumber == s_iActiveNumber && bound == m_pkTexture)
        return;
    device->SetTexture(0, m_pkTexture);
    s_iActiveNumber = m_iNumber;
}

tnError32 tnTexture::Render(tnInt32 x, tnInt32 y, tnInt32 sourceX, tnInt32 sourceY, tnInt32 width, tnInt32 height,
                            tnReal32 scaleX, tnReal32 scaleY, tnUInt32 colour, tnReal32 angle)
{
    IDirect3DDevice8* device = tnScreen::GetSingleton()->GetDevice();
    if (!m_pkTexture || m_iWidth == 0 || m_iHeight == 0)
        return tnOK;
    if (!device)
        return tnErrorDrawPrimitive;
    tnReal32 hw = static_cast<tnReal32>(width / 2);
    tnReal32 hh = static_cast<tnReal32>(height / 2);
    if (scaleX != 1.0f)
        hw *= scaleX;
    if (scaleY != 1.0f)
        hh *= scaleY;
    tnReal32 offsets[4][2] = {{-hw, -hh}, {hw, -hh}, {-hw, hh}, {hw, hh}};
    if (angle != 0.0f) {
        tnReal32 theta = angle * 0.0174f;
        tnReal32 c = std::cos(theta), s = std::sin(theta);
        for (tnReal32* offset : offsets) {
            tnReal32 px = offset[0], py = offset[1];
            offset[0] = px * c - py * s;
            offset[1] = px * s + py * c;
        }
    }
    tnReal32 uLeft = static_cast<tnReal32>(sourceX) / m_iWidth;
    tnReal32 vTop = static_cast<tnReal32>(sourceY) / m_iHeight;
    tnReal32 uRight = static_cast<tnReal32>(sourceX + width) / m_iWidth;
    tnReal32 vBottom = static_cast<tnReal32>(sourceY + height) / m_iHeight;
    const tnReal32 uv[4][2] = {{uLeft, vTop}, {uRight, vTop}, {uLeft, vBottom}, {uRight, vBottom}};
    tnVertex quad[4];
    for (int i = 0; i < 4; ++i)
        quad[i] = {x + offsets[i][0], y + offsets[i][1], 0.0f, 1.0f, colour, uv[i][0], uv[i][1]};
    device->SetVertexShader(tnVertexFVF);
    if (FAILED(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(tnVertex))))
        return tnErrorDrawPrimitive;
    return tnOK;
}
