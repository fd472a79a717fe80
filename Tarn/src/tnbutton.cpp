#include "tnbutton.h"

#include <cstring>

tnButton::tnButton()
    : m_pkTexture(nullptr), m_iCellWidth(0), m_iCellHeight(0), m_pkFont(nullptr), m_iLeft(0), m_iTop(0),
      m_iRight(0), m_iBottom(0), m_iColor1(DefaultColor1), m_iColor2(DefaultColor2), m_iColor3(DefaultColor3),
      m_eStage(DISABLED)
{
    m_strCaption[0] = '\0';
}

tnButton::~tnButton()
{
    CleanUp();
}

void tnButton::Create(ID3DXFont* font, tnInt32 x, tnInt32 y, tnUInt16 width, tnUInt16 height, _ButtonStage stage,
                      const char* caption, tnUInt32 color1, tnUInt32 color2, tnUInt32 color3)
{
    m_pkFont = font;
    m_iLeft = x;
    m_iTop = y;
    m_iRight = x + width - 1;
    m_iBottom = y + height - 1;
    m_eStage = stage;
    // A longer caption is cut to fit the buffer.
    std::strncpy(m_strCaption, caption ? caption : "", CaptionSize - 1);
    m_strCaption[CaptionSize - 1] = '\0';
    m_iColor1 = color1;
    m_iColor2 = color2;
    m_iColor3 = color3;
}

bool tnButton::SetTexture(tnTexture* texture, tnUInt16 cellWidth, tnUInt16 cellHeight)
{
    if (!texture)
        return false;
    m_pkTexture = texture;
    m_iCellWidth = cellWidth;
    m_iCellHeight = cellHeight;
    return true;
}

bool tnButton::Contains(tnUInt32 x, tnUInt32 y) const
{
    // Widened so that a rectangle reaching left of or above the origin
    // compares as the numbers it holds.
    const long long iX = x;
    const long long iY = y;
    return m_iLeft < iX && iX <= m_iRight && m_iTop < iY && iY <= m_iBottom;
}

void tnButton::Render(tnUInt32 color, tnReal32 rotation)
{
    RenderCell(color, rotation);
    RenderCaption();
}

void tnButton::CellSource(tnUInt32 stage, tnUInt32 textureWidth, tnUInt16 cellWidth, tnUInt16 cellHeight,
                          tnInt32& x, tnInt32& y)
{
    // A texture narrower than one cell still holds one column.
    tnUInt32 iColumns = cellWidth ? textureWidth / cellWidth : 1;
    if (iColumns == 0)
        iColumns = 1;
    x = static_cast<tnInt32>((stage % iColumns) * cellWidth);
    y = static_cast<tnInt32>((stage / iColumns) * cellHeight);
}

void tnButton::RenderCell(tnUInt32 color, tnReal32 rotation)
{
    // Nothing to cut a cell from: a texture that failed to load, or no cell size.
    if (!m_pkTexture || m_pkTexture->GetWidth() == 0 || m_iCellWidth == 0 || m_iCellHeight == 0)
        return;
    tnInt32 iSourceX = 0;
    tnInt32 iSourceY = 0;
    CellSource(static_cast<tnUInt32>(m_eStage), m_pkTexture->GetWidth(), m_iCellWidth, m_iCellHeight, iSourceX,
               iSourceY);
    const tnInt32 iWidth = GetWidth();
    const tnInt32 iHeight = GetHeight();
    m_pkTexture->SetActiveTexture();
    m_pkTexture->Render(m_iLeft + iWidth / 2, m_iTop + iHeight / 2, iSourceX, iSourceY, m_iCellWidth, m_iCellHeight,
                        static_cast<tnReal32>(iWidth) / m_iCellWidth, static_cast<tnReal32>(iHeight) / m_iCellHeight,
                        color, rotation);
}

void tnButton::RenderCaption()
{
    if (m_strCaption[0] == '\0' || !m_pkFont)
        return;
    RECT kRect;
    kRect.left = m_iLeft;
    kRect.top = m_iTop;
    kRect.right = m_iRight;
    kRect.bottom = m_iBottom;
    m_pkFont->Begin();
    m_pkFont->DrawTextA(m_strCaption, -1, &kRect, DT_CENTER | DT_VCENTER,
                        m_eStage == DISABLED ? DisabledCaptionColor : CaptionColor);
    m_pkFont->End();
}

void tnButton::CleanUp()
{
    m_pkTexture = nullptr;
}
