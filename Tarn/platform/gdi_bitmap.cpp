// Windows bitmap files read into GetPixel's colours, standing in for what
// LoadImageA gives GDI. Every offset and size comes from the file, so each
// is checked against the file's length before it is used.
#include "gdi_objects.h"

#include "tnlog.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

const int kMaxSide = 8192;
const std::int64_t kMaxPixels = 16 * 1024 * 1024;
const std::size_t kMaxFileBytes = 256u * 1024u * 1024u;

const std::uint32_t kRgb = 0;
const std::uint32_t kBitFields = 3;

std::uint32_t Read16(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8);
}

std::uint32_t Read32(const std::uint8_t* p)
{
    return Read16(p) | (Read16(p + 2) << 16);
}

// One channel described by a bit mask, widened to 8 bits by repeating its
// top bits (a 5-bit 31 becomes 255, so a 16-bit magenta stays magenta).
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m)
    {
        if (!mask)
            return;
        while (!((mask >> shift) & 1u))
            ++shift;
        while (bits + shift < 32 && ((mask >> (shift + bits)) & 1u))
            ++bits;
    }

    std::uint32_t Extract(std::uint32_t value) const
    {
        if (!bits)
            return 0;
        std::uint32_t v = (value & mask) >> shift;
        if (bits >= 8)
            return v >> (bits - 8);
        std::uint32_t wide = 0;
        for (int filled = 0; filled < 8; filled += bits)
            wide = (wide << bits) | v;
        return (wide >> (((8 + bits - 1) / bits) * bits - 8)) & 0xFF;
    }
};

struct Layout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t compression = kRgb;
    std::size_t paletteOffset = 0;
    std::size_t paletteEntrySize = 4;
    std::size_t paletteCount = 0;
    std::size_t pixelOffset = 0;
    Channel red, green, blue;
    const char* note = nullptr; // something wrong that the reader worked around
};

bool ReadCoreHeader(const std::uint8_t* info, Layout& layout)
{
    layout.width = static_cast<int>(Read16(info + 4));
    layout.height = static_cast<int>(Read16(info + 6));
    layout.bitsPerPixel = static_cast<int>(Read16(info + 10));
    layout.paletteEntrySize = 3;
    return true;
}

bool ReadInfoHeader(const std::uint8_t* data, std::size_t size, std::uint32_t headerSize, Layout& layout,
                    std::size_t& masksEnd)
{
    const std::uint8_t* info = data + 14;
    std::int32_t width = static_cast<std::int32_t>(Read32(info + 4));
    std::int32_t height = static_cast<std::int32_t>(Read32(info + 8));
    if (width <= 0 || height == 0 || height == INT32_MIN)
        return false;
    layout.width = width;
    layout.topDown = height < 0;
    layout.height = height < 0 ? -height : height;
    layout.bitsPerPixel = static_cast<int>(Read16(info + 14));
    layout.compression = Read32(info + 16);
    layout.paletteCount = Read32(info + 32);
    masksEnd = 14 + headerSize;
    if (layout.compression == kBitFields) {
        // Masks sit inside a V2+ header, or follow a plain 40-byte one.
        std::size_t maskOffset = 14 + 40;
        if (headerSize == 40)
            masksEnd = maskOffset + 12;
        if (maskOffset + 12 > size)
            return false;
        layout.red = Channel(Read32(data + maskOffset));
        layout.green = Channel(Read32(data + maskOffset + 4));
        layout.blue = Channel(Read32(data + maskOffset + 8));
    }
    return true;
}

void DefaultMasks(Layout& layout)
{
    if (layout.compression == kBitFields)
        return;
    if (layout.bitsPerPixel == 16) {
        layout.red = Channel(0x7C00);
        layout.green = Channel(0x03E0);
        layout.blue = Channel(0x001F);
    } else {
        layout.red = Channel(0x00FF0000);
        layout.green = Channel(0x0000FF00);
        layout.blue = Channel(0x000000FF);
    }
}

bool ReadLayout(const std::uint8_t* data, std::size_t size, Layout& layout, const char*& reason)
{
    if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M')
        return false;
    layout.pixelOffset = Read32(data + 10);
    std::uint32_t headerSize = Read32(data + 14);
    std::size_t masksEnd = 14 + headerSize;
    if (headerSize == 12) {
        ReadCoreHeader(data + 14, layout);
    } else if (headerSize >= 40 && headerSize <= 124 && 14 + static_cast<std::size_t>(headerSize) <= size) {
        if (!ReadInfoHeader(data, size, headerSize, layout, masksEnd))
            return false;
    } else {
        return false;
    }
    if (layout.width <= 0 || layout.height <= 0)
        return false;
    if (layout.width > kMaxSide || layout.height > kMaxSide ||
        static_cast<std::int64_t>(layout.width) * layout.height > kMaxPixels) {
        reason = "bad header (larger than any picture of the game, 8192 x 8192 at most)";
        return false;
    }
    int bpp = layout.bitsPerPixel;
    bool indexed = bpp == 1 || bpp == 4 || bpp == 8;
    bool direct = bpp == 16 || bpp == 24 || bpp == 32;
    if (!indexed && !direct)
        return false;
    if (layout.compression != kRgb && !(layout.compression == kBitFields && (bpp == 16 || bpp == 32)))
        return false;
    layout.paletteOffset = masksEnd;
    if (indexed) {
        std::size_t full = static_cast<std::size_t>(1) << bpp;
        // More colours than the depth can index: the file is wrong, but the
        // palette is what lies before the pixels, and the pixels still say
        // which of its colours they mean.
        if (layout.paletteCount > full) {
            layout.note = "claims more palette colours than its depth has, the ones before the pixels are used";
            if (layout.pixelOffset > layout.paletteOffset)
                full = std::min(full, (layout.pixelOffset - layout.paletteOffset) / layout.paletteEntrySize);
        }
        if (layout.paletteCount == 0 || layout.paletteCount > full)
            layout.paletteCount = full;
        if (layout.paletteOffset + layout.paletteCount * layout.paletteEntrySize > size)
            return false;
    }
    DefaultMasks(layout);
    return true;
}

std::uint32_t PaletteColour(const std::uint8_t* data, const Layout& layout, std::uint32_t index)
{
    if (index >= layout.paletteCount)
        return 0;
    const std::uint8_t* entry = data + layout.paletteOffset + index * layout.paletteEntrySize;
    // Palette entries are blue, green, red.
    return RGB(entry[2], entry[1], entry[0]);
}

std::uint32_t PixelAt(const std::uint8_t* data, const std::uint8_t* row, const Layout& layout, int x)
{
    switch (layout.bitsPerPixel) {
    case 1:
        return PaletteColour(data, layout, (row[x >> 3] >> (7 - (x & 7))) & 1u);
    case 4:
        return PaletteColour(data, layout, (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu);
    case 8:
        return PaletteColour(data, layout, row[x]);
    case 24: {
        const std::uint8_t* p = row + x * 3;
        return RGB(p[2], p[1], p[0]);
    }
    default: {
        std::uint32_t value = layout.bitsPerPixel == 16 ? Read16(row + x * 2) : Read32(row + x * 4);
        return RGB(layout.red.Extract(value), layout.green.Extract(value), layout.blue.Extract(value));
    }
    }
}

} // namespace

namespace platform {

bool ReadBitmapBytes(const std::uint8_t* data, std::size_t size, BitmapPixels& out, const char** why)
{
    const char* ignored = nullptr;
    const char*& reason = why ? *why : ignored;
    reason = "bad header";
    if (!data)
        return false;
    Layout layout;
    if (!ReadLayout(data, size, layout, reason))
        return false;
    reason = "truncated (the pixels run past the end)";
    std::size_t rowBytes = ((static_cast<std::size_t>(layout.width) * layout.bitsPerPixel + 31) / 32) * 4;
    if (layout.pixelOffset > size || rowBytes * layout.height > size - layout.pixelOffset)
        return false;
    reason = layout.note;

    BitmapPixels result;
    result.width = layout.width;
    result.height = layout.height;
    result.bitsPerPixel = layout.bitsPerPixel;
    result.pixels.resize(static_cast<std::size_t>(layout.width) * layout.height);
    for (int y = 0; y < layout.height; ++y) {
        int fileRow = layout.topDown ? y : layout.height - 1 - y;
        const std::uint8_t* row = data + layout.pixelOffset + rowBytes * fileRow;
        std::uint32_t* target = &result.pixels[static_cast<std::size_t>(y) * layout.width];
        for (int x = 0; x < layout.width; ++x)
            target[x] = PixelAt(data, row, layout, x);
    }
    out = std::move(result);
    return true;
}

bool ReadBitmapFile(const char* path, BitmapPixels& out)
{
    if (!path)
        return false;
    std::error_code error;
    const bool folder = std::filesystem::is_directory(path, error);
    std::ifstream file;
    if (!folder)
        file.open(path, std::ios::binary);
    const char* problem = folder ? "a folder, not a bitmap" : file ? nullptr : "missing";
    std::vector<std::uint8_t> bytes;
    if (!problem) {
        file.seekg(0, std::ios::end);
        const std::streamoff length = file.tellg();
        problem = length <= 0 ? "empty" : static_cast<std::size_t>(length) > kMaxFileBytes ? "too large" : nullptr;
        if (!problem) {
            file.seekg(0, std::ios::beg);
            bytes.resize(static_cast<std::size_t>(length));
            if (!file.read(reinterpret_cast<char*>(bytes.data()), length))
                problem = "unreadable";
        }
    }
    if (!problem && ReadBitmapBytes(bytes.data(), bytes.size(), out, &problem)) {
        if (problem)
            LogFileProblem(path, problem);
        return true;
    }
    // A bitmap refused with a reason too short to be a header is cut short.
    if (bytes.size() > 0 && bytes.size() < 26)
        problem = "truncated (no whole header)";
    LogFileProblem(path, problem);
    return false;
}

} // namespace platform
