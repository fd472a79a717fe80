#ifndef TNCOMBOLIST_H
#define TNCOMBOLIST_H

#include "d3dx8.h"
#include "tnbutton.h"
#include "tnerror.h"
#include "tnstring.h"
#include "tntexture.h"
#include "tnvector.h"
#include "win32.h"

// A scrolling list of text rows under a title, with an up button above the
// rows and a down button below them. The owner passes the mouse in with
// Update every frame and draws the list with Render; hovering highlights a
// row, a click picks it.
class tnCombolist {
public:
    static constexpr tnUInt32 NoRow = 0xFFFFFFFFu;
    static constexpr tnUInt32 HoverColor = 0xFFC8640Au;
    static constexpr tnUInt32 PickedColor = 0xFF00B478u;

    tnCombolist();
    ~tnCombolist();
    tnCombolist(const tnCombolist&) = delete;
    tnCombolist& operator=(const tnCombolist&) = delete;

    // Does nothing without a font (or without room for a row).
    void Create(RECT frame, ID3DXFont* font, tnInt32 rowHeight, tnInt32 charWidth, tnStringC title);
    void AddRow(tnStringC row);
    // The row picked by this click, or -1.
    tnInt32 Update(tnUInt32 x, tnUInt32 y, bool buttonDown);
    void Render(tnUInt32 textColor);
    // For after the device's fonts were made again.
    void SetFont(ID3DXFont* font);
    ID3DXFont* GetFont() const { return m_pkFont; }

    tnUInt32 GetRowCount() const { return m_kRows.size(); }
    tnUInt32 GetVisibleRows() const { return m_iVisibleRows; }
    tnUInt32 GetFirstRow() const { return m_iFirstRow; }
    tnUInt32 GetHoverRow() const { return m_iHoverRow; }
    tnUInt32 GetPickedRow() const { return m_iPickedRow; }
    const RECT& GetFrame() const { return m_kFrame; }
    const RECT& GetListArea() const { return m_kList; }
    tnButton& GetUpButton() { return m_kUpButton; }
    tnButton& GetDownButton() { return m_kDownButton; }

private:
    void CreateScrollButton(tnButton& button, tnTexture& texture, const char* fileName, tnInt32 y);
    bool CanScrollUp() const { return m_iFirstRow > 0; }
    bool CanScrollDown() const { return m_kRows.size() > m_iFirstRow + m_iVisibleRows; }
    bool IsVisible(tnUInt32 row, tnUInt32 lastRow) const;
    RECT RowBand(tnUInt32 row) const;
    void FillRowBand(tnUInt32 row, tnUInt32 color) const;
    void DrawTexts(tnUInt32 textColor, tnUInt32 lastRow);
    void RenderScrollButtons();

    tnTexture m_kUpTexture;    // owned
    tnTexture m_kDownTexture;  // owned
    ID3DXFont* m_pkFont;       // not owned; null until Create
    RECT m_kFrame;             // the whole list
    RECT m_kList;              // the rows' area
    tnStringC m_strTitle;
    tnVector<tnStringC> m_kRows;
    tnUInt32 m_iVisibleRows;   // rows that fit in the list area
    tnUInt32 m_iHoverRow;      // under the mouse; may be out of range
    tnUInt32 m_iPickedRow;     // last clicked, or NoRow
    tnUInt32 m_iFirstRow;      // the scroll position
    tnInt32 m_iRowHeight;
    tnInt32 m_iCharWidth;      // kept for the owner; drawing does not use it
    tnButton m_kUpButton;
    tnButton m_kDownButton;
};

#endif
