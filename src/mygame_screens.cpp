// The full screens: menu, options, level list, top score, help pages and the
// final picture. Each reads the game's fields and draws; none keeps state.
#include "mygame.h"

#include "gamecolours.h"

#include "screentext.h"

#include <cstdio>

namespace {
const tnInt32 kScoreBoxWidth = 500;
const tnInt32 kScoreBoxHeight = 200;
const tnInt32 kScoreBoxDrop = 50; // the score box reaches further down than up
const tnInt32 kCheckCell = 32;
const tnInt32 kValueWidth = 100;  // the value column at the right of an option row
const tnInt32 kValueMargin = 20;

const char* const kMenuCredits[] = {"Grovekeep: walk the fields, gather every fruit, keep clear of the weather",
                                    "Arrows or W A S D to walk, P to pause, Esc for the menu"};
const char* const kHelpCredit = "Grovekeep: a long line of fruit is a happy farmer";

// Where the stage decoration (a 32 x 32 cell of the static sheet) sits.
const tnInt32 kDecorationCellX = 32;
const tnInt32 kDecorationCellY = 224;
const POINT kDecorations[] = {{150, 200}, {800, 500}, {900, 300}};

RECT MakeRect(tnInt32 left, tnInt32 top, tnInt32 right, tnInt32 bottom)
{
    RECT rect = {left, top, right, bottom};
    return rect;
}

// A box centred across the screen: `drop` pixels more below the centre than above it.
RECT CentredBox(tnInt32 screenWidth, tnInt32 screenHeight, tnInt32 width, tnInt32 height, tnInt32 drop)
{
    tnInt32 left = (screenWidth - width) / 2;
    tnInt32 top = (screenHeight - height) / 2;
    return MakeRect(left, top, left + width, top + height + drop);
}
} // namespace

// --- Drawing helpers shared by the screens and the play screen ------------

int MyGame::DrawGameText(ID3DXFont* font, const char* text, RECT rect, DWORD format, D3DCOLOR colour)
{
    if (!font || !text)
        return 0;
    font->Begin();
    const int height = font->DrawTextA(text, -1, &rect, format, colour);
    font->End();
    return height;
}

void MyGame::ClearArea(const RECT& rect, D3DCOLOR colour)
{
    D3DRECT area = {rect.left, rect.top, rect.right, rect.bottom};
    Clear(colour, &area);
}

void MyGame::NoTexture()
{
    if (m_pkD3DDevice)
        m_pkD3DDevice->SetTexture(0, nullptr);
}

void MyGame::DrawBoxWithFrame(const RECT& box)
{
    ClearArea(box, GameColour::PanelTeal);
    NoTexture();
    // Three grey outlines, each a pixel further out.
    for (tnInt32 grow = 0; grow < 3; ++grow)
        DrawRectangle(static_cast<tnReal32>(box.left - grow), static_cast<tnReal32>(box.top - grow),
                      static_cast<tnReal32>(box.right + grow), static_cast<tnReal32>(box.bottom + grow), 128, 128,
                      128, 255);
}

RECT MyGame::BottomBand() const
{
    tnInt32 width = static_cast<tnInt32>(GetScreenWidth());
    tnInt32 height = static_cast<tnInt32>(GetScreenHeight());
    return MakeRect(0, height - m_iFontHeight2 - 10, width, height - 10);
}

void MyGame::DrawBottomHint(const char* text)
{
    DrawGameText(m_pD3DXFont2, text, BottomBand(), DT_CENTER, GameColour::HintGreen);
}

void MyGame::DrawCentredPicture()
{
    if (!m_kHelpSurface.GetSurface())
        return;
    POINT at = {(static_cast<LONG>(GetScreenWidth()) - static_cast<LONG>(m_kHelpSurface.GetWidth())) / 2,
                (static_cast<LONG>(GetScreenHeight()) - static_cast<LONG>(m_kHelpSurface.GetHeight())) / 2};
    m_kHelpSurface.Render(&at, nullptr);
}

// --- The screens --------------------------------------------------------------

void MyGame::RenderMenu1()
{
    const tnInt32 width = static_cast<tnInt32>(GetScreenWidth());
    const tnInt32 height = static_cast<tnInt32>(GetScreenHeight());
    ClearArea(MakeRect(0, 0, width, height), GameColour::SkyBlue);
    if (m_eGameState == GameIntro)
        DrawGameText(m_pD3DXFont2, "Loading...", BottomBand(), DT_CENTER, GameColour::Green);

    tnInt32 top = height - 60;
    for (const char* line : kMenuCredits) {
        DrawGameText(m_pD3DXFont3, line, MakeRect(0, top, width, top + m_iFontHeight3), DT_CENTER, GameColour::White);
        top += m_iFontHeight3;
    }

    for (tnUInt32 i = 0; i < m_kMenu1Buttons.size(); ++i)
        m_kMenu1Buttons[i].Render(GameColour::White, 0.0f);

    POINT farmer = {60, 350};
    POINT fruits = {770, 550};
    POINT title = {width / 2 - 280, 100};
    m_kBG1Surface.Render(&farmer, nullptr);
    m_kBG2Surface.Render(&fruits, nullptr);
    m_kBG3Surface.Render(&title, nullptr);

    m_kStaticTexture.SetActiveTexture();
    for (const POINT& at : kDecorations)
        m_kStaticTexture.Render(at.x, at.y, kDecorationCellX, kDecorationCellY, kCheckCell, kCheckCell, 1.0f, 1.0f,
                                GameColour::White, 0.0f);
}

void MyGame::DrawOptionValue(const RECT& row, const char* value)
{
    RECT column = MakeRect(row.right - kValueWidth - kValueMargin, row.top, row.right - kValueMargin, row.bottom);
    DrawGameText(m_pD3DXFont2, value, column, DT_RIGHT, GameColour::White);
}

void MyGame::DrawCheckBox(const RECT& row, bool on)
{
    m_kCheckTexture.Render(row.right - kCheckCell, row.top + kCheckCell / 2, on ? 0 : kCheckCell, 0, kCheckCell,
                           kCheckCell, 1.0f, 1.0f, GameColour::White, 0.0f);
}

void MyGame::RenderOption()
{
    const RECT& panel = m_rectOptionPanel;
    DrawBoxWithFrame(panel);

    if (m_rectSelected.right - m_rectSelected.left != 0 && m_rectSelected.bottom - m_rectSelected.top != 0) {
        ClearArea(m_rectSelected, GameColour::Highlight);
        DrawRectangle(static_cast<tnReal32>(m_rectSelected.left), static_cast<tnReal32>(m_rectSelected.top),
                      static_cast<tnReal32>(m_rectSelected.right), static_cast<tnReal32>(m_rectSelected.bottom), 255,
                      255, 255, 255);
    }

    DrawGameText(m_pD3DXFont2, "Options", MakeRect(panel.left, panel.top + 32, panel.right,
                                                   panel.top + 32 + m_iFontHeight2),
                 DT_CENTER, GameColour::White);
    struct Row {
        const RECT* rect;
        const char* label;
    };
    const Row rows[] = {{&m_rectOptionMusicPanel, "Music"},
                        {&m_rectOptionSoundPanel, "Sound"},
                        {&m_rectOptionGridPanel, "Show Grids"},
                        {&m_rectOptionSpeedPanel, "Game Speed"},
                        {&m_rectOptionPlayerSpeedPanel, "Player Speed"}};
    for (const Row& row : rows)
        DrawGameText(m_pD3DXFont2, row.label, *row.rect, 0, GameColour::White);

    char value[16];
    ScreenText::GameSpeed(m_kOptions.m_iSpeed, value, sizeof(value));
    DrawOptionValue(m_rectOptionSpeedPanel, value);
    ScreenText::PlayerSpeed(m_kOptions.m_iPlayerSpeed, value, sizeof(value));
    DrawOptionValue(m_rectOptionPlayerSpeedPanel, value);

    DrawBottomHint(ScreenText::BackHint);

    m_kCheckTexture.SetActiveTexture();
    DrawCheckBox(m_rectOptionMusicPanel, m_kOptions.m_bMusicOn);
    DrawCheckBox(m_rectOptionSoundPanel, m_kOptions.m_bSoundOn);
    DrawCheckBox(m_rectOptionGridPanel, m_kOptions.m_bGridOn);
    m_kBackButton.Render(GameColour::White, 0.0f);
}

void MyGame::RenderNewGame()
{
    DrawBoxWithFrame(LevelListFrame());
    // The list is made on the state's first frame; until then the frame stays empty.
    if (m_pkComboList)
        m_pkComboList->Render(GameColour::White);
    DrawBottomHint(ScreenText::BackHint);
}

void MyGame::RenderTopScore()
{
    const tnInt32 width = static_cast<tnInt32>(GetScreenWidth());
    const tnInt32 height = static_cast<tnInt32>(GetScreenHeight());
    DrawBoxWithFrame(CentredBox(width, height, kScoreBoxWidth, kScoreBoxHeight, kScoreBoxDrop));

    tnInt32 top = (height - m_iFontHeight2) / 2;
    DrawGameText(m_pD3DXFont2, "Top Score", MakeRect(0, top, width, top + m_iFontHeight2), DT_CENTER, GameColour::MessageRed);
    top += m_iFontHeight2 + 15;
    char gold[32];
    std::snprintf(gold, sizeof(gold), "%u Gold", static_cast<unsigned>(m_iHighestGold));
    DrawGameText(m_pD3DXFont2, gold, MakeRect(0, top, width, top + m_iFontHeight2), DT_CENTER, GameColour::GoldYellow);
    DrawBottomHint(ScreenText::BackHint);
}

void MyGame::RenderHelp()
{
    NoTexture();
    DrawCentredPicture();
    DrawBottomHint(ScreenText::HelpHint(m_iCurrentHelpPage, m_iTotalHelpPages));
    tnInt32 top = BottomBand().top - 60;
    DrawGameText(m_pD3DXFont3, kHelpCredit,
                 MakeRect(0, top, static_cast<tnInt32>(GetScreenWidth()), top + m_iFontHeight3), DT_CENTER, GameColour::White);
}

void MyGame::RenderCompleteGame()
{
    ClearArea(MakeRect(0, 0, static_cast<tnInt32>(GetScreenWidth()), static_cast<tnInt32>(GetScreenHeight())),
              GameColour::SkyBlue);
    NoTexture();
    DrawCentredPicture();
    DrawBottomHint(ScreenText::BackHint);
}
