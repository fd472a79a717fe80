#ifndef PLATFORM_SDL_FONT_H
#define PLATFORM_SDL_FONT_H

// Internal to the platform layer: text drawn the way GDI's DrawText lays it
// out, with a TrueType face that fontconfig picks for a GDI font
// description ("Arial" bold gives Liberation Sans Bold on Debian).

#include "draw_list.h"
#include "sdl_graphics.h"
#include "wingdi.h"

#include <memory>
#include <string>
#include <vector>

typedef struct _TTF_Font TTF_Font;

namespace platform {

class GlyphFont {
public:
    // Null when no face can be found or opened for the description.
    static GlyphFont* Create(const LOGFONTA& description);
    ~GlyphFont();
    GlyphFont(const GlyphFont&) = delete;
    GlyphFont& operator=(const GlyphFont&) = delete;

    // DrawText: length -1 for a NUL-terminated text; DT_CENTER, DT_RIGHT,
    // DT_VCENTER and DT_BOTTOM (single line only, as in GDI), DT_SINGLELINE,
    // DT_WORDBREAK, DT_NOCLIP, DT_CALCRECT. Returns the height of the text.
    int Draw(const char* text, int length, RECT* rect, UINT format, Uint32 argb, DrawList& into);

    int CellHeight() const { return m_iCellHeight; }
    // Width of a text on one line, in pixels.
    int TextWidth(const char* text, int length) const;
    const char* FaceFile() const { return m_strFile.c_str(); }

private:
    struct Glyph {
        SDL_Rect source = {0, 0, 0, 0}; // in the atlas
        float advance = 0.0f;           // stretched
        float bearing = 0.0f;           // where the picture starts from the pen, stretched
        bool known = false;             // the face has it
    };
    struct Line {
        int begin;
        int end;
        int width;
    };

    GlyphFont() = default;
    bool Open(const LOGFONTA& description);
    void ReadMetrics();
    // Renders the characters up to `end` (exclusive) into a new atlas.
    bool BuildAtlas(int end);
    float Advance(unsigned char c) const { return m_aGlyphs[c].advance; }
    void LayOut(const char* text, int length, int width, UINT format);
    void BreakParagraph(const char* text, int begin, int end, int width);
    void DrawLine(const char* text, const Line& line, float x, float y, const SDL_Color& colour, DrawList& into);

    TTF_Font* m_pkFont = nullptr;
    std::string m_strFile;
    int m_iCellHeight = 0;
    int m_iGlyphTop = 0;     // where the face's line box starts inside a cell
    float m_fStretch = 1.0f; // horizontal scale for the requested average width
    Glyph m_aGlyphs[256];
    std::unique_ptr<PixelStore> m_pkAtlas;
    int m_iAtlasEnd = 0; // the characters below it are in the atlas
    std::vector<Line> m_vLines; // reused by every draw
};

// The window's own text while the game loads (DrawTextA on the window DC):
// light text on the black window, in the window's default font.
int DrawWindowText(const char* text, int length, RECT* rect, UINT format, DrawList& into);

} // namespace platform

#endif
