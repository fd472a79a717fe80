#ifndef TNBUTTON_H
#define TNBUTTON_H

#include "d3dx8.h"
#include "tnerror.h"
#include "tntexture.h"

// A rectangular screen button: one cell of a texture stretched over the
// rectangle, with an optional caption centred on it. The stage picks both
// the cell and the caption colour. The button does not read the mouse: its
// owner asks Contains and sets the stage. Kept by value in tnVector and
// copied byte for byte, so it holds no pointer into itself.
class tnButton {
public:
    enum _ButtonStage { DISABLED = 0, ENABLED = 1, HIGHLIGHTED = 2 };

    static constexpr int CaptionSize = 88; // at most 87 characters and the terminator
    static constexpr tnUInt32 DefaultColor1 = 0xFF004080u;
    static constexpr tnUInt32 DefaultColor2 = 0xFFC0C0C0u;
    static constexpr tnUInt32 DefaultColor3 = 0xFFFFFFFFu;
    static constexpr tnUInt32 CaptionColor = 0xFFFFFFFFu;
    static constexpr tnUInt32 DisabledCaptionColor = 0xFF808080u;

    tnButton();
    ~tnButton();

    // Where the cell for a stage starts in a texture of the given width: the
    // cells run left to right, then on in the next row.
    static void CellSource(tnUInt32 stage, tnUInt32 textureWidth, tnUInt16 cellWidth, tnUInt16 cellHeight,
                           tnInt32& x, tnInt32& y);

    void Create(ID3DXFont* font, tnInt32 x, tnInt32 y, tnUInt16 width, tnUInt16 height, _ButtonStage stage,
                const char* caption, tnUInt32 color1 = DefaultColor1, tnUInt32 color2 = DefaultColor2,
                tnUInt32 color3 = DefaultColor3);
    // False, and nothing changes, for a null texture.
    bool SetTexture(tnTexture* texture, tnUInt16 cellWidth, tnUInt16 cellHeight);
    // The left column and the top row belong to the outside.
    bool Contains(tnUInt32 x, tnUInt32 y) const;
    void Render(tnUInt32 color, tnReal32 rotation);
    // Forgets the texture; it belongs to the owner.
    void CleanUp();

    void SetStage(_ButtonStage stage) { m_eStage = stage; }
    _ButtonStage GetStage() const { return m_eStage; }
    void SetFont(ID3DXFont* font) { m_pkFont = font; }
    ID3DXFont* GetFont() const { return m_pkFont; }
    tnTexture* GetTexture() const { return m_pkTexture; }
    tnInt32 GetX() const { return m_iLeft; }
    tnInt32 GetY() const { return m_iTop; }
    tnInt32 GetWidth() const { return m_iRight - m_iLeft + 1; }
    tnInt32 GetHeight() const { return m_iBottom - m_iTop + 1; }
    const char* GetCaption() const { return m_strCaption; }

private:
    void RenderCell(tnUInt32 color, tnReal32 rotation);
    void RenderCaption();

    tnTexture* m_pkTexture;  // not owned
    tnUInt16 m_iCellWidth;   // one image cell in the texture
    tnUInt16 m_iCellHeight;
    ID3DXFont* m_pkFont;     // not owned
    tnInt32 m_iLeft;         // right and bottom are inclusive
    tnInt32 m_iTop;
    tnInt32 m_iRight;
    tnInt32 m_iBottom;
    tnUInt32 m_iColor1;      // kept with the button; drawing does not use them
    tnUInt32 m_iColor2;
    tnUInt32 m_iColor3;
    _ButtonStage m_eStage;
    char m_strCaption[CaptionSize];
};

#endif
