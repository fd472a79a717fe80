// Text for the D3DX font and the window: fontconfig finds the face for a
// GDI description, SDL2_ttf renders each character once into an atlas, and
// a string is drawn as one copy per character. GDI's DrawText does not
// kern, so per-character drawing also lays text out as Windows does.
#include "sdl_font.h"
#include "sdl_display.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <cstring>
#include <map>

namespace platform {

namespace {

// Average character width of a bold (regular) Arial face, as a fraction of
// its em: GDI stretches a font horizontally so that its average width is
// the width asked for.
const float kBoldAverageWidth = 983.0f / 2048.0f;
const float kRegularAverageWidth = 904.0f / 2048.0f;
const int kAtlasColumns = 16;
const int kFirstCharacter = 32;
const int kAsciiEnd = 127; // the printable ASCII characters end before it

// Code page 1252 characters 0x80 to 0x9F in Unicode (0 where undefined).
const Uint32 kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

Uint32 ToUnicode(unsigned char c)
{
    if (c >= 0x80 && c < 0xA0)
        return kCp1252High[c - 0x80];
    return c;
}

bool EnsureTextLibraries()
{
    static bool ready = false;
    if (!ready)
        ready = (TTF_WasInit() || TTF_Init() == 0) && FcInit();
    return ready;
}

// The file fontconfig offers for a face, weight and slant (cached).
std::string MatchFace(const LOGFONTA& description)
{
    std::string pattern = description.lfFaceName[0] ? description.lfFaceName : "sans-serif";
    pattern += description.lfWeight >= 600 ? ":bold" : ":regular";
    if (description.lfItalic)
        pattern += ":italic";
    static std::map<std::string, std::string> cache;
    auto found = cache.find(pattern);
    if (found != cache.end())
        return found->second;

    std::string file;
    FcPattern* request = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
    if (request) {
        FcConfigSubstitute(nullptr, request, FcMatchPattern);
        FcDefaultSubstitute(request);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, request, &result);
        FcChar8* path = nullptr;
        if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
            file = reinterpret_cast<const char*>(path);
        if (match)
            FcPatternDestroy(match);
        FcPatternDestroy(request);
    }
    cache[pattern] = file;
    return file;
}

// Line height of a face at 100 points (cached per file): sizes are chosen
// so that the face's line fills the GDI cell height.
int HeightAtHundred(const std::string& file)
{
    static std::map<std::string, int> cache;
    auto found = cache.find(file);
    if (found != cache.end())
        return found->second;
    int height = 0;
    if (TTF_Font* probe = TTF_OpenFont(file.c_str(), 100)) {
        height = TTF_FontHeight(probe);
        TTF_CloseFont(probe);
    }
    cache[file] = height;
    return height;
}

} // namespace

GlyphFont* GlyphFont::Create(const LOGFONTA& description)
{
    if (!EnsureTextLibraries())
        return nullptr;
    std::unique_ptr<GlyphFont> font(new GlyphFont());
    if (!font->Open(description))
        return nullptr;
    font->ReadMetrics();
    return font.release();
}

GlyphFont::~GlyphFont()
{
    if (m_pkFont)
        TTF_CloseFont(m_pkFont);
}

bool GlyphFont::Open(const LOGFONTA& description)
{
    m_strFile = MatchFace(description);
    int reference = m_strFile.empty() ? 0 : HeightAtHundred(m_strFile);
    if (reference <= 0)
        return false;
    // A positive height is the cell (ascent + descent), a negative one the
    // em size; 0 asks for the default size.
    LONG height = description.lfHeight == 0 ? 16 : description.lfHeight;
    int points = height > 0 ? static_cast<int>(std::lround(height * 100.0 / reference)) : static_cast<int>(-height);
    if (points < 1 || points > 1000)
        return false;
    m_pkFont = TTF_OpenFont(m_strFile.c_str(), points);
    if (!m_pkFont)
        return false;
    TTF_SetFontHinting(m_pkFont, TTF_HINTING_LIGHT);
    int faceHeight = TTF_FontHeight(m_pkFont);
    m_iCellHeight = height > 0 ? static_cast<int>(height) : faceHeight;
    m_iGlyphTop = (m_iCellHeight - faceHeight) / 2;
    if (description.lfWidth > 0) {
        float average = points * (description.lfWeight >= 600 ? kBoldAverageWidth : kRegularAverageWidth);
        m_fStretch = std::min(4.0f, std::max(0.25f, description.lfWidth / average));
    }
    return true;
}

void GlyphFont::ReadMetrics()
{
    for (int c = kFirstCharacter; c < 256; ++c) {
        Uint32 code = ToUnicode(static_cast<unsigned char>(c));
        int advance = 0;
        int minX = 0;
        if (!code || TTF_GlyphMetrics32(m_pkFont, code, &minX, nullptr, nullptr, nullptr, &advance) != 0)
            continue;
        m_aGlyphs[c].known = true;
        m_aGlyphs[c].advance = advance * m_fStretch;
        // A rendered glyph starts at its left bearing, which may lie left of
        // the pen (a 'w' reaches back into the letter before it).
        m_aGlyphs[c].bearing = minX * m_fStretch;
    }
}

bool GlyphFont::BuildAtlas(int end)
{
    // Render each character once, white; the colour is applied when drawing.
    // Done at the first text drawn: measuring needs only the metrics, and
    // rendering every glyph of every font would hold up the start. The
    // characters past ASCII join only when a text uses one: most fonts
    // never draw them, and they are more than half the atlas.
    for (Glyph& glyph : m_aGlyphs)
        glyph.source = {0, 0, 0, 0};
    std::vector<SDL_Surface*> rendered(256, nullptr);
    int cellWidth = 1;
    int cellHeight = TTF_FontHeight(m_pkFont);
    const SDL_Color white = {255, 255, 255, 255};
    for (int c = kFirstCharacter; c < end; ++c) {
        Uint32 code = ToUnicode(static_cast<unsigned char>(c));
        if (!m_aGlyphs[c].known || c == ' ' || c == 0xA0)
            continue;
        SDL_Surface* surface = TTF_RenderGlyph32_Blended(m_pkFont, code, white);
        if (!surface)
            continue;
        rendered[c] = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(surface);
        if (rendered[c]) {
            cellWidth = std::max(cellWidth, rendered[c]->w);
            cellHeight = std::max(cellHeight, rendered[c]->h);
        }
    }
    int rows = (end - kFirstCharacter + kAtlasColumns - 1) / kAtlasColumns;
    m_pkAtlas.reset(PixelStore::Create(D3DFMT_A8R8G8B8, cellWidth * kAtlasColumns, cellHeight * rows));
    for (int c = kFirstCharacter; c < end; ++c) {
        SDL_Surface* surface = rendered[c];
        if (!surface)
            continue;
        int slot = c - kFirstCharacter;
        SDL_Rect& source = m_aGlyphs[c].source;
        source = {(slot % kAtlasColumns) * cellWidth, (slot / kAtlasColumns) * cellHeight, surface->w, surface->h};
        if (m_pkAtlas) {
            for (int y = 0; y < surface->h; ++y) {
                const Uint8* from = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
                std::memcpy(m_pkAtlas->Row(source.y + y) + source.x * 4, from, static_cast<std::size_t>(surface->w) * 4);
            }
        }
        SDL_FreeSurface(surface);
    }
    if (m_pkAtlas)
        m_pkAtlas->MarkDirty();
    m_iAtlasEnd = m_pkAtlas ? end : 0;
    return m_pkAtlas != nullptr;
}

int GlyphFont::TextWidth(const char* text, int length) const
{
    float width = 0.0f;
    for (int i = 0; i < length; ++i)
        width += Advance(static_cast<unsigned char>(text[i]));
    return static_cast<int>(std::lround(width));
}

void GlyphFont::BreakParagraph(const char* text, int begin, int end, int width)
{
    // Greedy word wrap: a line ends before the word that would cross the
    // right edge; the blanks at a break belong to no line; a word wider
    // than the rectangle stands alone on its line.
    int lineBegin = begin;
    while (lineBegin < end) {
        int lineEnd = lineBegin;
        int fitted = lineBegin;
        while (lineEnd < end) {
            int wordEnd = lineEnd;
            while (wordEnd < end && text[wordEnd] == ' ')
                ++wordEnd;
            while (wordEnd < end && text[wordEnd] != ' ')
                ++wordEnd;
            if (fitted > lineBegin && TextWidth(text + lineBegin, wordEnd - lineBegin) > width)
                break;
            fitted = lineEnd = wordEnd;
        }
        m_vLines.push_back({lineBegin, fitted, TextWidth(text + lineBegin, fitted - lineBegin)});
        lineBegin = fitted;
        while (lineBegin < end && text[lineBegin] == ' ')
            ++lineBegin;
        if (lineBegin == end)
            break;
    }
    if (begin == end)
        m_vLines.push_back({begin, end, 0});
}

void GlyphFont::LayOut(const char* text, int length, int width, UINT format)
{
    m_vLines.clear();
    if (format & DT_SINGLELINE) {
        m_vLines.push_back({0, length, TextWidth(text, length)});
        return;
    }
    int begin = 0;
    while (begin <= length) {
        int end = begin;
        while (end < length && text[end] != '\n')
            ++end;
        int visibleEnd = (end > begin && text[end - 1] == '\r') ? end - 1 : end;
        if (format & DT_WORDBREAK)
            BreakParagraph(text, begin, visibleEnd, width);
        else
            m_vLines.push_back({begin, visibleEnd, TextWidth(text + begin, visibleEnd - begin)});
        if (end >= length)
            break;
        begin = end + 1;
    }
}

void GlyphFont::DrawLine(const char* text, const Line& line, float x, float y, const SDL_Color& colour,
                         DrawList& into)
{
    const SDL_ScaleMode scale = m_fStretch == 1.0f ? SDL_ScaleModeNearest : SDL_ScaleModeLinear;
    for (int i = line.begin; i < line.end; ++i) {
        const Glyph& glyph = m_aGlyphs[static_cast<unsigned char>(text[i])];
        if (glyph.source.w > 0) {
            SDL_FRect target = {x + glyph.bearing, y + m_iGlyphTop, glyph.source.w * m_fStretch,
                                static_cast<float>(glyph.source.h)};
            into.Copy(*m_pkAtlas, glyph.source, target, colour, SDL_BLENDMODE_BLEND, scale);
        }
        x += glyph.advance;
    }
}

int GlyphFont::Draw(const char* text, int length, RECT* rect, UINT format, Uint32 argb, DrawList& into)
{
    if (!text || !rect)
        return 0;
    if (length < 0)
        length = static_cast<int>(std::strlen(text));
    int width = rect->right - rect->left;
    LayOut(text, length, width, format);
    int height = static_cast<int>(m_vLines.size()) * m_iCellHeight;
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& line : m_vLines)
            widest = std::max(widest, line.width);
        if (!(format & DT_WORDBREAK) || widest > width)
            rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }

    int needed = kAsciiEnd;
    for (int i = 0; i < length && needed == kAsciiEnd; ++i)
        needed = static_cast<unsigned char>(text[i]) >= kAsciiEnd ? 256 : kAsciiEnd;
    if (m_iAtlasEnd < needed && !BuildAtlas(needed))
        return height;
    // Vertical placement applies to a single line only, as in GDI.
    int top = rect->top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        top = rect->top + (rect->bottom - rect->top - m_iCellHeight) / 2;
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        top = rect->bottom - m_iCellHeight;

    const SDL_Color colour = {static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8), static_cast<Uint8>(argb),
                              static_cast<Uint8>(argb >> 24)};
    bool clip = !(format & DT_NOCLIP);
    if (clip) {
        SDL_Rect area = {rect->left, rect->top, std::max(0, width), std::max(0, rect->bottom - rect->top)};
        if (area.w == 0 || area.h == 0)
            return height;
        into.Clip(&area);
    }
    int y = top;
    for (const Line& line : m_vLines) {
        int x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (width - line.width) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - line.width;
        DrawLine(text, line, static_cast<float>(x), static_cast<float>(y), colour, into);
        y += m_iCellHeight;
    }
    if (clip)
        into.Clip(nullptr);
    return height;
}

int DrawWindowText(const char* text, int length, RECT* rect, UINT format, DrawList& into)
{
    // The window's default font: a bold sans of the system font's 16
    // pixels. Kept for the whole run (never destroyed after SDL is gone).
    static GlyphFont* font = nullptr;
    if (!font) {
        LOGFONTA description = {};
        description.lfHeight = 16;
        description.lfWeight = FW_BOLD;
        std::strncpy(description.lfFaceName, "Arial", LF_FACESIZE - 1);
        font = GlyphFont::Create(description);
    }
    return font ? font->Draw(text, length, rect, format, 0xFFE0E0E0u, into) : 0;
}

} // namespace platform
