// Test control for graphics: presented frames read back, and PNG files of
// them for a person to look at.
#include "d3d8_internal.h"
#include "sdl_display.h"
#include "testcontrol.h"

#include <cstdio>

namespace {

void FlushFrame(platform::DeviceImpl& device)
{
    device.FlushFrame();
}

void LoseOne(platform::DeviceImpl& device)
{
    device.Lose();
}

void RequireResetOf(platform::DeviceImpl& device)
{
    device.RequireReset();
}

void RedrawShownFrameOf(platform::DeviceImpl& device)
{
    device.RedrawShownFrame();
}

// --- A small PNG writer: stored (uncompressed) deflate blocks. --------------
class Crc32 {
public:
    Crc32()
    {
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            m_aTable[n] = c;
        }
    }
    std::uint32_t Update(std::uint32_t crc, const std::uint8_t* data, std::size_t size) const
    {
        crc ^= 0xFFFFFFFFu;
        for (std::size_t i = 0; i < size; ++i)
            crc = m_aTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
        return crc ^ 0xFFFFFFFFu;
    }

private:
    std::uint32_t m_aTable[256];
};

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 24));
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data)
{
    static const Crc32 crc;
    Put32(out, static_cast<std::uint32_t>(data.size()));
    std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    Put32(out, crc.Update(0, out.data() + typeAt, out.size() - typeAt));
}

std::vector<std::uint8_t> ZlibStored(const std::vector<std::uint8_t>& raw)
{
    std::vector<std::uint8_t> out = {0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521u;
        b = (b + a) % 65521u;
    }
    std::size_t at = 0;
    do {
        std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
        bool last = at + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(length));
        out.push_back(static_cast<std::uint8_t>(length >> 8));
        out.push_back(static_cast<std::uint8_t>(~length));
        out.push_back(static_cast<std::uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                   raw.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    } while (at < raw.size());
    Put32(out, (b << 16) | a);
    return out;
}

} // namespace

namespace testcontrol {

int PresentCount()
{
    return platform::Presents().presents;
}

int DrawnFrameCount()
{
    return platform::Presents().drawnFrames;
}

int PartialFrameCount()
{
    return platform::Presents().partialFrames;
}

std::size_t PixelBytesHeld()
{
    return platform::PixelStore::BytesHeld();
}

void KeepPresentedFrames(bool keep)
{
    platform::PresentRecord& record = platform::Presents();
    record.keepFrames = keep;
    if (!keep)
        record.keptFrame.clear();
}

bool ReadPresentedFrame(std::vector<DWORD>& pixels, int* width, int* height)
{
    const platform::PresentRecord& record = platform::Presents();
    if (record.keptFrame.empty())
        return false;
    pixels = record.keptFrame;
    if (width)
        *width = record.keptWidth;
    if (height)
        *height = record.keptHeight;
    return true;
}

bool ReadBackBuffer(std::vector<DWORD>& pixels, int* width, int* height)
{
    // What has been drawn since the last Present is on the picture too.
    platform::DeviceImpl::ForEach(&FlushFrame);
    int w = 0, h = 0;
    if (!platform::ReadPicture(pixels, w, h))
        return false;
    if (width)
        *width = w;
    if (height)
        *height = h;
    return true;
}

bool ReadWindow(std::vector<DWORD>& pixels, int* width, int* height)
{
    const platform::Display& display = platform::GetDisplay();
    SDL_Surface* window = display.window && display.softwareRenderer ? SDL_GetWindowSurface(display.window) : nullptr;
    if (!window)
        return false;
    pixels.assign(static_cast<std::size_t>(window->w) * window->h, 0);
    if (SDL_ConvertPixels(window->w, window->h, window->format->format, window->pixels, window->pitch,
                          SDL_PIXELFORMAT_ARGB8888, pixels.data(), window->w * 4) != 0)
        return false;
    for (DWORD& pixel : pixels)
        pixel |= 0xFF000000u;
    if (width)
        *width = window->w;
    if (height)
        *height = window->h;
    return true;
}

bool SavePNG(const std::string& path, const std::vector<DWORD>& pixels, int width, int height)
{
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<std::size_t>(width) * height)
        return false;
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(height) * (1 + width * 3));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        for (int x = 0; x < width; ++x) {
            DWORD p = pixels[static_cast<std::size_t>(y) * width + x];
            raw.push_back(static_cast<std::uint8_t>(p >> 16));
            raw.push_back(static_cast<std::uint8_t>(p >> 8));
            raw.push_back(static_cast<std::uint8_t>(p));
        }
    }
    std::vector<std::uint8_t> header;
    Put32(header, static_cast<std::uint32_t>(width));
    Put32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, deflate, no filter set, no interlace

    std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", ZlibStored(raw));
    PutChunk(file, "IEND", {});

    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}

void LoseDevice()
{
    platform::DeviceImpl::ForEach(&LoseOne);
}

void RequireDeviceReset()
{
    platform::DeviceImpl::ForEach(&RequireResetOf);
}

void RedrawLastFrame()
{
    platform::DeviceImpl::ForEach(&RedrawShownFrameOf);
}


} // namespace testcontrol
