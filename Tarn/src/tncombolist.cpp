#include "tncombolist.h"

#include "tnlog.h"
#include "tnscreen.h"

namespace {

// Picture coordinates compared as the signed numbers they are.
bool Inside(const RECT& kRect, tnUInt32 x, tnUInt32 y)
{
    const long long iX = x;
    const long long iY = y;
    return kRect.left <= iX && iX <= kRect.right && kRect.top <= iY && iY <= kRect.bottom;
}

const tnUInt32 TransparentKey = 0xFF00FF; // magenta, as a Windows RGB value
const tnUInt16 ScrollButtonSize = 32;

} // namespace

tnCombolist::tnCombolist()
    : m_pkFont(nullptr), m_kFrame{0, 0, 0, 0}, m_kList{0, 0, 0, 0}, m_iVisibleRows(0), m_iHoverRow(0),
      m_iPickedRow(NoRow), m_iFirstRow(0), m_iRowHeight(0), m_iCharWidth(0)
{
}

tnCombolist::~tnCombolist()
{
    m_kRows.clear();
    m_kUpButton.CleanUp();
    m_kDownButton.CleanUp();
    m_kUpTexture.CleanUp();
    m_kDownTexture.CleanUp();
}

void tnCombolist::Create(RECT frame, ID3DXFont* font, tnInt32 rowHeight, tnInt32 charWidth, tnStringC title)
{
    // Without a font nothing could be drawn; without a row height no row could be found.
    if (!font || rowHeight <= 0)
        return;
    m_pkFont = font;
    m_iRowHeight = rowHeight;
    m_iCharWidth = charWidth;
    m_kFrame = frame;
    m_kList.left = frame.left;
    m_kList.top = frame.top + rowHeight + 42;
    m_kList.right = frame.right;
    m_kList.bottom = frame.bottom - 37;
    m_iVisibleRows = m_kList.bottom > m_kList.top ? static_cast<tnUInt32>((m_kList.bottom - m_kList.top) / rowHeight) : 0;
    m_strTitle = title;
    CreateScrollButton(m_kUpButton, m_kUpTexture, "../Graphics/upbutton.bmp", frame.top + rowHeight + 5);
    CreateScrollButton(m_kDownButton, m_kDownTexture, "../Graphics/downbutton.bmp", frame.bottom - ScrollButtonSize);
}

void tnCombolist::CreateScrollButton(tnButton& button, tnTexture& texture, const char* fileName, tnInt32 y)
{
    RECT kSource = {1, 1, 1 + ScrollButtonSize, 1 + ScrollButtonSize};
    if (texture.CreateFromFile(fileName, true, TransparentKey, &kSource, nullptr, true) != tnOK)
        Log("tnCombolist: cannot load %s, the scroll button stays blank\n", fileName);
    button.SetTexture(&texture, ScrollButtonSize, ScrollButtonSize);
    const tnInt32 x = m_kFrame.left + (m_kFrame.right - m_kFrame.left - ScrollButtonSize) / 2;
    button.Create(m_pkFont, x, y, ScrollButtonSize, ScrollButtonSize, tnButton::ENABLED, "");
}

void tnCombolist::AddRow(tnStringC row)
{
    m_kRows.push_back(row);
}

// The scroll buttons act only while there is something to scroll to, so the
// first row stays between 0 and (rows - visible rows) even for a click that
// comes before the first Render has set the buttons' stages.
tnInt32 tnCombolist::Update(tnUInt32 x, tnUInt32 y, bool buttonDown)
{
    if (m_iRowHeight <= 0 || !Inside(m_kFrame, x, y))
        return -1;
    if (buttonDown && m_kUpButton.GetStage() == tnButton::ENABLED && m_kUpButton.Contains(x, y)) {
        if (CanScrollUp())
            --m_iFirstRow;
        return -1;
    }
    if (buttonDown && m_kDownButton.GetStage() == tnButton::ENABLED && m_kDownButton.Contains(x, y)) {
        if (CanScrollDown())
            ++m_iFirstRow;
        return -1;
    }
    if (Inside(m_kList, x, y)) {
        m_iHoverRow = static_cast<tnUInt32>((static_cast<long long>(y) - m_kList.top) / m_iRowHeight) + m_iFirstRow;
        // Only a row on show can be picked: the list area's last pixels lie
        // below the last visible band.
        const bool bShown = m_iHoverRow < m_kRows.size() && m_iHoverRow - m_iFirstRow < m_iVisibleRows;
        if (bShown && buttonDown) {
            m_iPickedRow = m_iHoverRow;
            return static_cast<tnInt32>(m_iHoverRow);
        }
    }
    return -1;
}

bool tnCombolist::IsVisible(tnUInt32 row, tnUInt32 lastRow) const
{
    return m_kRows.size() > 0 && row >= m_iFirstRow && row <= lastRow && row < m_kRows.size();
}

RECT tnCombolist::RowBand(tnUInt32 row) const
{
    RECT kBand;
    kBand.left = m_kList.left;
    kBand.top = m_kList.top + static_cast<LONG>(row - m_iFirstRow) * m_iRowHeight;
    kBand.right = m_kList.right;
    kBand.bottom = kBand.top + m_iRowHeight;
    return kBand;
}

void tnCombolist::FillRowBand(tnUInt32 row, tnUInt32 color) const
{
    const RECT kBand = RowBand(row);
    D3DRECT kRect = {kBand.left, kBand.top, kBand.right, kBand.bottom};
    tnScreen::GetSingleton()->Clear(color, &kRect);
}

void tnCombolist::Render(tnUInt32 textColor)
{
    IDirect3DDevice8* pkDevice = tnScreen::GetSingleton()->GetDevice();
    if (pkDevice)
        pkDevice->SetTexture(0, nullptr);
    if (!m_pkFont)
        return;
    const tnUInt32 iRows = m_kRows.size();
    const tnUInt32 iLastRow = iRows - m_iFirstRow > m_iVisibleRows ? m_iFirstRow + m_iVisibleRows - 1 : iRows - 1;
    if (IsVisible(m_iHoverRow, iLastRow))
        FillRowBand(m_iHoverRow, HoverColor);
    if (IsVisible(m_iPickedRow, iLastRow))
        FillRowBand(m_iPickedRow, PickedColor);
    DrawTexts(textColor, iLastRow);
    if (IsVisible(m_iHoverRow, iLastRow)) {
        const RECT kBand = RowBand(m_iHoverRow);
        tnScreen::GetSingleton()->DrawRectangle(static_cast<tnReal32>(kBand.left), static_cast<tnReal32>(kBand.top),
                                                static_cast<tnReal32>(kBand.right),
                                                static_cast<tnReal32>(kBand.bottom), 255, 255, 255, 10);
    }
    RenderScrollButtons();
    if (pkDevice)
        pkDevice->SetTexture(0, nullptr);
}

void tnCombolist::DrawTexts(tnUInt32 textColor, tnUInt32 lastRow)
{
    m_pkFont->Begin();
    if (m_strTitle.GetLength() > 0) {
        RECT kTitle = {m_kFrame.left, m_kFrame.top, m_kFrame.right, m_kFrame.top + m_iRowHeight};
        m_pkFont->DrawTextA(static_cast<char*>(m_strTitle), -1, &kTitle, DT_CENTER | DT_VCENTER, textColor);
    }
    for (tnUInt32 i = m_iFirstRow; IsVisible(i, lastRow); ++i) {
        if (m_kRows[i].GetLength() == 0)
            continue;
        RECT kBand = RowBand(i);
        m_pkFont->DrawTextA(static_cast<char*>(m_kRows[i]), -1, &kBand, DT_VCENTER, textColor);
    }
    m_pkFont->End();
}

void tnCombolist::RenderScrollButtons()
{
    m_kUpButton.SetStage(CanScrollUp() ? tnButton::ENABLED : tnButton::DISABLED);
    m_kUpButton.Render(0xFFFFFFFFu, 0.0f);
    m_kDownButton.SetStage(CanScrollDown() ? tnButton::ENABLED : tnButton::DISABLED);
    m_kDownButton.Render(0xFFFFFFFFu, 0.0f);
}

void tnCombolist::SetFont(ID3DXFont* font)
{
    m_pkFont = font;
    m_kUpButton.SetFont(font);
    m_kDownButton.SetFont(font);
}
