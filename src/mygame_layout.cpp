// The screen's division: three panels down the left edge, the play field of
// whole grid cells to their right, and the options panel in the middle.
#include "mygame.h"

namespace {
const tnInt32 kOptionPanelWidth = 500;
const tnInt32 kOptionPanelHeight = 450;
const tnInt32 kOptionFirstRow = 100;
const tnInt32 kOptionRowSpacing = 50;
const tnInt32 kLevelListWidth = 500;
const tnInt32 kLevelListHeight = 600;

RECT Rect(tnInt32 left, tnInt32 top, tnInt32 right, tnInt32 bottom)
{
    RECT rect;
    rect.left = left;
    rect.top = top;
    rect.right = right;
    rect.bottom = bottom;
    return rect;
}
} // namespace

void MyGame::ComputeLayout()
{
    const tnInt32 w = static_cast<tnInt32>(GetScreenWidth());
    const tnInt32 h = static_cast<tnInt32>(GetScreenHeight());

    m_rectNextPanel = Rect(0, 0, w / 8 - 1, (h / 12) * 7 - 1);
    m_rectResultPanel = Rect(0, m_rectNextPanel.bottom + 1, m_rectNextPanel.right, m_rectNextPanel.bottom + h / 3);
    m_rectScorePanel =
        Rect(0, m_rectResultPanel.bottom + 1, m_rectResultPanel.right, m_rectResultPanel.bottom + h / 12);

    m_rectOptionPanel = Rect((w - kOptionPanelWidth) / 2, (h - kOptionPanelHeight) / 2,
                             (w + kOptionPanelWidth) / 2, (h + kOptionPanelHeight) / 2);
    RECT* rows[] = {&m_rectOptionMusicPanel, &m_rectOptionSoundPanel, &m_rectOptionGridPanel,
                    &m_rectOptionSpeedPanel, &m_rectOptionPlayerSpeedPanel};
    tnInt32 top = m_rectOptionPanel.top + kOptionFirstRow;
    for (RECT* row : rows) {
        *row = Rect(m_rectOptionPanel.left, top, m_rectOptionPanel.right, top + m_iFontHeight2);
        top += kOptionRowSpacing;
    }

    // The field is a whole number of cells, centred in the space right of
    // the panels, with a bolt's width of free border on every side.
    const tnUInt16 mainWidth = static_cast<tnUInt16>(w - m_rectNextPanel.right - 1 - 2 * m_iBoltSize);
    const tnUInt16 mainHeight = static_cast<tnUInt16>(h - 2 * m_iBoltSize);
    m_iXGrids = static_cast<tnUInt16>(mainWidth / m_iGridSize);
    m_iYGrids = static_cast<tnUInt16>(mainHeight / m_iGridSize);
    const tnUInt16 left = static_cast<tnUInt16>((mainWidth - m_iXGrids * m_iGridSize) / 2 +
                                                m_rectNextPanel.right + m_iBoltSize + 1);
    const tnUInt16 fieldTop = static_cast<tnUInt16>((mainHeight - m_iYGrids * m_iGridSize) / 2 + m_iBoltSize);
    m_rectMainPanel = Rect(left, fieldTop, left + m_iXGrids * m_iGridSize - 1, fieldTop + m_iYGrids * m_iGridSize - 1);
}

RECT MyGame::LevelListFrame() const
{
    const tnInt32 left = (static_cast<tnInt32>(GetScreenWidth()) - kLevelListWidth) / 2;
    const tnInt32 top = (static_cast<tnInt32>(GetScreenHeight()) - kLevelListHeight) / 2;
    return Rect(left, top, left + kLevelListWidth, top + kLevelListHeight);
}
