// GDI handles: bitmaps loaded from files, memory device contexts that read
// their pixels, and font descriptions. Handles are checked against the live
// objects, so a stale or foreign handle is refused instead of followed.
#include "gdi_objects.h"
#include "testcontrol.h"

#include <cstring>
#include <memory>
#include <set>

namespace {

struct GdiBitmap {
    platform::BitmapPixels pixels;
};

struct GdiFont {
    LOGFONTA description;
};

struct MemoryDC {
    GdiBitmap* selected = nullptr;
};

std::set<const void*>& LiveBitmaps()
{
    static std::set<const void*>* live = new std::set<const void*>();
    return *live;
}

std::set<const void*>& LiveFonts()
{
    static std::set<const void*>* live = new std::set<const void*>();
    return *live;
}

std::set<const void*>& LiveDCs()
{
    static std::set<const void*>* live = new std::set<const void*>();
    return *live;
}

// GetPixel runs once per pixel of every picture: remember the last DC that
// passed the check.
const MemoryDC* g_pkLastDC = nullptr;

MemoryDC* FindDC(HDC dc)
{
    const MemoryDC* candidate = reinterpret_cast<const MemoryDC*>(dc);
    if (candidate && candidate == g_pkLastDC)
        return const_cast<MemoryDC*>(candidate);
    if (!candidate || !LiveDCs().count(candidate))
        return nullptr;
    g_pkLastDC = candidate;
    return const_cast<MemoryDC*>(candidate);
}

} // namespace

namespace platform {

const LOGFONTA* FontDescription(HFONT font)
{
    const GdiFont* candidate = reinterpret_cast<const GdiFont*>(font);
    if (!candidate || !LiveFonts().count(candidate))
        return nullptr;
    return &candidate->description;
}

} // namespace platform

HANDLE LoadImageA(HINSTANCE, LPCSTR name, UINT type, int, int, UINT flags)
{
    if (type != IMAGE_BITMAP || !(flags & LR_LOADFROMFILE) || testcontrol::ConsumeFailure(testcontrol::Failure::LoadImageA))
        return nullptr;
    std::unique_ptr<GdiBitmap> bitmap(new GdiBitmap());
    if (!platform::ReadBitmapFile(name, bitmap->pixels))
        return nullptr;
    LiveBitmaps().insert(bitmap.get());
    return bitmap.release();
}

HDC CreateCompatibleDC(HDC)
{
    MemoryDC* dc = new MemoryDC();
    LiveDCs().insert(dc);
    return reinterpret_cast<HDC>(dc);
}

BOOL DeleteDC(HDC dc)
{
    MemoryDC* found = FindDC(dc);
    if (!found)
        return FALSE;
    LiveDCs().erase(found);
    if (g_pkLastDC == found)
        g_pkLastDC = nullptr;
    delete found;
    return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    MemoryDC* found = FindDC(dc);
    if (!found)
        return nullptr;
    // Only bitmaps matter in a memory DC; anything else is remembered by nobody.
    if (!LiveBitmaps().count(object))
        return nullptr;
    GdiBitmap* previous = found->selected;
    found->selected = static_cast<GdiBitmap*>(object);
    return previous;
}

int GetObjectA(HGDIOBJ object, int size, LPVOID buffer)
{
    if (LiveBitmaps().count(object)) {
        if (!buffer)
            return static_cast<int>(sizeof(BITMAP));
        if (size < static_cast<int>(sizeof(BITMAP)))
            return 0;
        const platform::BitmapPixels& pixels = static_cast<GdiBitmap*>(object)->pixels;
        BITMAP info = {};
        info.bmWidth = pixels.width;
        info.bmHeight = pixels.height;
        info.bmPlanes = 1;
        info.bmBitsPixel = static_cast<WORD>(pixels.bitsPerPixel);
        info.bmWidthBytes = ((pixels.width * pixels.bitsPerPixel + 15) / 16) * 2;
        std::memcpy(buffer, &info, sizeof(info));
        return static_cast<int>(sizeof(BITMAP));
    }
    if (LiveFonts().count(object)) {
        if (!buffer)
            return static_cast<int>(sizeof(LOGFONTA));
        if (size < static_cast<int>(sizeof(LOGFONTA)))
            return 0;
        std::memcpy(buffer, &static_cast<GdiFont*>(object)->description, sizeof(LOGFONTA));
        return static_cast<int>(sizeof(LOGFONTA));
    }
    return 0;
}

BOOL DeleteObject(HGDIOBJ object)
{
    if (LiveBitmaps().erase(object)) {
        GdiBitmap* bitmap = static_cast<GdiBitmap*>(object);
        // A DC still holding it keeps no dangling pointer.
        for (const void* dc : LiveDCs()) {
            MemoryDC* memory = const_cast<MemoryDC*>(static_cast<const MemoryDC*>(dc));
            if (memory->selected == bitmap)
                memory->selected = nullptr;
        }
        delete bitmap;
        return TRUE;
    }
    if (LiveFonts().erase(object)) {
        delete static_cast<GdiFont*>(object);
        return TRUE;
    }
    return FALSE;
}

COLORREF GetPixel(HDC dc, int x, int y)
{
    MemoryDC* found = FindDC(dc);
    if (!found || !found->selected)
        return CLR_INVALID;
    const platform::BitmapPixels& pixels = found->selected->pixels;
    if (x < 0 || y < 0 || x >= pixels.width || y >= pixels.height)
        return CLR_INVALID;
    return pixels.pixels[static_cast<std::size_t>(y) * pixels.width + x];
}

HFONT CreateFontIndirectA(const LOGFONTA* description)
{
    if (!description || testcontrol::ConsumeFailure(testcontrol::Failure::CreateFontA))
        return nullptr;
    GdiFont* font = new GdiFont();
    font->description = *description;
    font->description.lfFaceName[LF_FACESIZE - 1] = '\0';
    LiveFonts().insert(font);
    return reinterpret_cast<HFONT>(font);
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCSTR face)
{
    LOGFONTA description = {};
    description.lfHeight = height;
    description.lfWidth = width;
    description.lfEscapement = escapement;
    description.lfOrientation = orientation;
    description.lfWeight = weight;
    description.lfItalic = static_cast<BYTE>(italic);
    description.lfUnderline = static_cast<BYTE>(underline);
    description.lfStrikeOut = static_cast<BYTE>(strikeOut);
    description.lfCharSet = static_cast<BYTE>(charSet);
    description.lfOutPrecision = static_cast<BYTE>(outPrecision);
    description.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    description.lfQuality = static_cast<BYTE>(quality);
    description.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (face)
        std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&description);
}
