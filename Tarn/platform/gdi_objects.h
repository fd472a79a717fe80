#ifndef PLATFORM_GDI_OBJECTS_H
#define PLATFORM_GDI_OBJECTS_H

// Internal to the platform layer: what the GDI handles stand for.

#include "wingdi.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// A bitmap read from a file: pixels as GetPixel returns them (0x00BBGGRR),
// row by row from the top.
struct BitmapPixels {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::vector<std::uint32_t> pixels;
};

// Reads a Windows bitmap file (1, 4, 8, 16, 24 or 32 bits per pixel,
// uncompressed or bit fields, bottom-up or top-down). Every size is checked
// against the file; false for anything unreadable (a folder included), out
// unchanged then, and the file and the reason go to the log (once per file).
// A file read in spite of a fault (a palette larger than its depth) is named
// too.
bool ReadBitmapFile(const char* path, BitmapPixels& out);
// The same over bytes already in memory; `why`, when given, says why not,
// or what was worked around when it loads (null when nothing was).
bool ReadBitmapBytes(const std::uint8_t* data, std::size_t size, BitmapPixels& out, const char** why = nullptr);

// The font a HFONT describes; null for a handle that is not a live font.
const LOGFONTA* FontDescription(HFONT font);

} // namespace platform

#endif
