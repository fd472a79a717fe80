#include "tnrgbaimage.h"

#include "wingdi.h"

#include <algorithm>
#include <cstddef>
#include <new>

tnRGBAImage::tnRGBAImage()
    : m_iWidth(0), m_iHeight(0), m_pkPixels(nullptr), m_iPixelCount(0)
{
}

tnRGBAImage::tnRGBAImage(const tnRGBAImage& other)
    : tnRGBAImage()
{
    *this = other;
}

tnRGBAImage& tnRGBAImage::operator=(const tnRGBAImage& other)
{
    if (this != &other) {
        m_iWidth = other.m_iWidth;
        m_iHeight = other.m_iHeight;
        SetImageBuffer(other.m_pkPixels);
    }
    return *this;
}

tnRGBAImage::~tnRGBAImage()
{
    CleanUp();
}

void tnRGBAImage::CleanUp()
{
    delete[] m_pkPixels;
    m_pkPixels = nullptr;
    m_iPixelCount = 0;
    m_iWidth = 0;
    m_iHeight = 0;
}

tnUInt32 tnRGBAImage::GetPixel(tnUInt32 x, tnUInt32 y) const
{
    if (x >= m_iWidth || y >= m_iHeight || !m_pkPixels)
        return 0;
    const std::size_t at = x + static_cast<std::size_t>(y) * m_iWidth;
    return at < m_iPixelCount ? m_pkPixels[at] : 0;
}

const tnUInt32* tnRGBAImage::GetImageBuffer() const
{
    const std::size_t size = static_cast<std::size_t>(m_iWidth) * m_iHeight;
    return size == m_iPixelCount ? m_pkPixels : nullptr;
}

void tnRGBAImage::SetImageBuffer(const tnUInt32* pixels)
{
    tnUInt32 count = m_iWidth * m_iHeight;
    if (count != m_iPixelCount) {
        delete[] m_pkPixels;
        m_pkPixels = count ? new (std::nothrow) tnUInt32[count]() : nullptr;
        m_iPixelCount = m_pkPixels ? count : 0;
    }
    if (m_pkPixels && pixels)
        std::copy(pixels, pixels + m_iPixelCount, m_pkPixels);
}

tnError32 tnRGBAImage::LoadFromBitmap(const char* fileName)
{
    HANDLE bitmap = LoadImageA(nullptr, fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (!bitmap)
        return tnNotOK;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    BITMAP info = {};
    GetObjectA(bitmap, sizeof(info), &info);
    tnUInt32* pixels = new (std::nothrow) tnUInt32[static_cast<std::size_t>(info.bmWidth) * info.bmHeight];
    if (pixels) {
        for (LONG y = 0; y < info.bmHeight; ++y)
            for (LONG x = 0; x < info.bmWidth; ++x)
                pixels[y * info.bmWidth + x] = ::GetPixel(dc, x, y);
        delete[] m_pkPixels;
        m_pkPixels = pixels;
        m_iWidth = static_cast<tnUInt32>(info.bmWidth);
        m_iHeight = static_cast<tnUInt32>(info.bmHeight);
        m_iPixelCount = m_iWidth * m_iHeight;
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return pixels ? tnOK : tnNotOK;
}
