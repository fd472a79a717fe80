// Bilinear scaling in fixed point, with the sample of every box pixel taken
// at its centre.
#include "smooth_scale.h"

#include <algorithm>

namespace platform {

namespace {

// Mixes two pixels, all four channels at once two by two: `weight` of
// `b`, out of 256.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t weight)
{
    const std::uint32_t keep = 256 - weight;
    std::uint32_t redBlue = (((a & 0x00FF00FFu) * keep + (b & 0x00FF00FFu) * weight) >> 8) & 0x00FF00FFu;
    std::uint32_t alphaGreen = ((((a >> 8) & 0x00FF00FFu) * keep + ((b >> 8) & 0x00FF00FFu) * weight) >> 8) & 0x00FF00FFu;
    return redBlue | (alphaGreen << 8);
}

} // namespace

void SmoothScale::MapAxis(int picture, int box, Axis& axis)
{
    axis.first.resize(static_cast<std::size_t>(box));
    axis.weight.resize(static_cast<std::size_t>(box));
    for (int i = 0; i < box; ++i) {
        // The centre of box pixel i, in picture pixels, 8 bits of fraction.
        long long at = ((2LL * i + 1) * picture * 256) / (2LL * box) - 128;
        at = std::max(0LL, std::min(at, (picture - 1) * 256LL));
        axis.first[static_cast<std::size_t>(i)] = static_cast<int>(at >> 8);
        axis.weight[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(at & 0xFF);
    }
}

void SmoothScale::SetSizes(int width, int height, int boxWidth, int boxHeight)
{
    if (width == m_iWidth && height == m_iHeight && boxWidth == m_iBoxWidth && boxHeight == m_iBoxHeight)
        return;
    m_iWidth = width;
    m_iHeight = height;
    m_iBoxWidth = boxWidth;
    m_iBoxHeight = boxHeight;
    MapAxis(width, boxWidth, m_kColumns);
    MapAxis(height, boxHeight, m_kRows);
}

void SmoothScale::SourceOf(int x0, int y0, int x1, int y1, int& sourceX0, int& sourceY0, int& sourceX1,
                           int& sourceY1) const
{
    sourceX0 = m_kColumns.first[static_cast<std::size_t>(x0)];
    sourceY0 = m_kRows.first[static_cast<std::size_t>(y0)];
    sourceX1 = std::min(m_iWidth, m_kColumns.first[static_cast<std::size_t>(x1 - 1)] + 2);
    sourceY1 = std::min(m_iHeight, m_kRows.first[static_cast<std::size_t>(y1 - 1)] + 2);
}

void SmoothScale::Scale(const std::uint32_t* source, int sourceX, int sourceY, int sourcePitch, std::uint32_t* box,
                        int boxPitch, int x0, int y0, int x1, int y1) const
{
    for (int y = y0; y < y1; ++y) {
        const int row = m_kRows.first[static_cast<std::size_t>(y)];
        const int below = std::min(row + 1, m_iHeight - 1);
        const std::uint32_t down = m_kRows.weight[static_cast<std::size_t>(y)];
        const std::uint32_t* upper = source + static_cast<long>(row - sourceY) * sourcePitch - sourceX;
        const std::uint32_t* lower = source + static_cast<long>(below - sourceY) * sourcePitch - sourceX;
        std::uint32_t* out = box + static_cast<long>(y) * boxPitch;
        for (int x = x0; x < x1; ++x) {
            const int column = m_kColumns.first[static_cast<std::size_t>(x)];
            const int right = std::min(column + 1, m_iWidth - 1);
            const std::uint32_t across = m_kColumns.weight[static_cast<std::size_t>(x)];
            out[x] = Mix(Mix(upper[column], upper[right], across), Mix(lower[column], lower[right], across), down);
        }
    }
}

} // namespace platform
