// One frame of the picture: the full screens by state, or the play screen
// with its side panels, the field, the objects, the lightning border and the
// state's message over it.
#include "mygame.h"
#include "gamechance.h"

#include "gamecolours.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const DWORD kWrapNoClip = DT_WORDBREAK | DT_NOCLIP;
const tnReal32 kCongratulationSeconds = 3.5f;

// The lightning border: segments per edge, and how far outside the field it runs.
const tnUInt32 kBoltSegments = 58;
const tnInt32 kBoltDistance = 4;

// The idle farmer blinks: shown for the first frames of every cycle.
const tnUInt32 kBlinkCycle = 30;
const tnUInt32 kBlinkShown = 10;

// The statistics icons: a cell of the fruit sheet beside each value.
const tnInt32 kIconCell = 32;
struct Icon {
    tnInt32 cellX;
    tnInt32 cellY;
    tnInt32 offsetY;
};
const Icon kStatisticIcons[] = {{32, 256, 10}, {96, 256, 48}, {32, 224, 86}, {96, 224, 124}, {64, 256, 162}};
const Icon kTopScoreIcon = {64, 256, 48};

RECT MakeRect(tnInt32 left, tnInt32 top, tnInt32 right, tnInt32 bottom)
{
    RECT rect = {left, top, right, bottom};
    return rect;
}

// A band across the field of the given height, starting at `top`.
RECT FieldBand(const RECT& field, tnInt32 top, tnInt32 height)
{
    return MakeRect(field.left, top, field.right, top + height);
}

void RenderObjects(tnSingleList<skObject>& objects)
{
    for (objects.Reset(); objects.IsIteratorValid(); objects.Next())
        objects.GetCurrentItem().Render();
}

// An offset of the bolt across its edge: within half the randomness either way.
tnReal32 BoltJitter(tnUInt32 randomness)
{
    // No randomness, no jitter: a straight line rather than a division by zero.
    if (randomness == 0)
        return 0.0f;
    tnInt32 r = static_cast<tnInt32>(static_cast<tnUInt32>(GameChance::Random()) % randomness);
    return static_cast<tnReal32>(static_cast<tnInt32>(randomness / 2) - r);
}
} // namespace

tnError32 MyGame::Render()
{
    if (m_eGameState == GameQuit)
        return tnOK;
    if (m_eGameState == GameIntro) {
        RenderMenu1();
        m_eGameState = GameInit;
        return tnOK;
    }
    if (!m_bReady || RecoverDevice() != tnOK)
        return tnErrorRender;
    if (RenderFullScreen())
        return tnOK;
    RenderPlayScreen();
    RenderOverlay();
    NoTexture();
    return tnOK;
}

bool MyGame::RenderFullScreen()
{
    switch (m_eGameState) {
    case GameMenu:
        // With a game to resume the menu is drawn over the play screen instead.
        if (m_kMenu1Buttons.size() > MenuResume && m_kMenu1Buttons[MenuResume].GetStage() != tnButton::DISABLED)
            return false;
        RenderMenu1();
        return true;
    case GameOption:
        RenderOption();
        return true;
    case GameNew:
        RenderNewGame();
        return true;
    case GameTopScore:
        RenderTopScore();
        return true;
    case GameHelp:
        RenderHelp();
        return true;
    case GameComplete:
        RenderCompleteGame();
        return true;
    default:
        return false;
    }
}

void MyGame::RenderPlayScreen()
{
    const RECT& field = m_rectMainPanel;
    DrawRectangle(static_cast<tnReal32>(field.left), static_cast<tnReal32>(field.top),
                  static_cast<tnReal32>(field.right), static_cast<tnReal32>(field.bottom), 255, 255, 255, 255);
    m_kMap.Render(field.left, field.top, static_cast<tnUInt32>(field.right - field.left + 1),
                  static_cast<tnUInt32>(field.bottom - field.top + 1), 0, 0, m_iYGrids, m_iXGrids, GameColour::White, 1.0f,
                  1.0f, 0.0f);
    NoTexture();
    if (m_kOptions.m_bGridOn)
        RenderGrids();
    RenderText();

    RenderObjects(m_kTempTargets);
    RenderObjects(m_kTargets);
    RenderObjects(m_kTraps);
    if (IsChainShown())
        m_kSnake.Render();
    RenderStatements();

    NoTexture();
    const tnUInt32 left = static_cast<tnUInt32>(field.left - kBoltDistance);
    const tnUInt32 top = static_cast<tnUInt32>(field.top - kBoltDistance);
    const tnUInt32 right = static_cast<tnUInt32>(field.right + kBoltDistance);
    const tnUInt32 bottom = static_cast<tnUInt32>(field.bottom + kBoltDistance);
    RenderBolts(kBoltSegments, m_iBoltSize, left, top, right, top);
    RenderBolts(kBoltSegments, m_iBoltSize, left, bottom, right, bottom);
    RenderBolts(kBoltSegments, m_iBoltSize, left, top, left, bottom);
    RenderBolts(kBoltSegments, m_iBoltSize, right, top, right, bottom);

    if (m_kSnake.IsIdle())
        RenderLevelStart();
}

bool MyGame::IsChainShown()
{
    // While the farmer waits for the first key of a level he blinks.
    if (!m_kSnake.IsIdle())
        return true;
    ++m_iIdleTimes;
    return m_iIdleTimes % kBlinkCycle < kBlinkShown;
}

void MyGame::RenderLevelStart()
{
    const RECT& field = m_rectMainPanel;
    char level[32];
    std::snprintf(level, sizeof(level), "Level %u", static_cast<unsigned>(m_iCurrentLevel));
    tnInt32 top = field.top + (field.bottom - field.top - m_iFontHeight2) / 2;
    DrawGameText(m_pD3DXFont2, level, FieldBand(field, top, m_iFontHeight2), DT_CENTER, GameColour::MessageRed);
    DrawGameText(m_pD3DXFont2, "Go!", FieldBand(field, top + m_iFontHeight2, m_iFontHeight2), DT_CENTER,
                 GameColour::MessageRed);
}

void MyGame::RenderOverlay()
{
    const RECT& field = m_rectMainPanel;
    const tnInt32 top = field.top + (field.bottom - field.top) / 2;
    char line[64];
    switch (m_eGameState) {
    case GameLost:
        if (m_iHighestGold < m_iGold && m_fTimerCount < kCongratulationSeconds) {
            DrawGameText(m_pD3DXFont2, "Congratulations!", FieldBand(field, top, m_iFontHeight2), DT_CENTER,
                         GameColour::MessageRed);
            std::snprintf(line, sizeof(line), "You won the highest Score %u", static_cast<unsigned>(m_iGold));
            DrawGameText(m_pD3DXFont2, line, FieldBand(field, top + m_iFontHeight2, m_iFontHeight2), DT_CENTER,
                         GameColour::MessageRed);
        } else {
            DrawGameText(m_pD3DXFont2, "GAME OVER", FieldBand(field, top, m_iFontHeight2), DT_CENTER, GameColour::MessageRed);
        }
        break;
    case GamePause:
        DrawGameText(m_pD3DXFont2, "Game Paused", FieldBand(field, top, m_iFontHeight2), DT_CENTER, GameColour::MessageRed);
        DrawGameText(m_pD3DXFont2, "Press P to continue...",
                     FieldBand(field, field.bottom - 2 * m_iFontHeight2, m_iFontHeight2), DT_CENTER,
                     GameColour::Green);
        break;
    case GameLevelComplete: {
        const tnInt32 height = m_iFontHeight2 + 10;
        std::snprintf(line, sizeof(line), "Level %u completed!", static_cast<unsigned>(m_iCurrentLevel));
        DrawGameText(m_pD3DXFont2, line, FieldBand(field, top, height), DT_CENTER, GameColour::MessageRed);
        std::snprintf(line, sizeof(line), "Bonus %u gold", static_cast<unsigned>(m_iBonus));
        DrawGameText(m_pD3DXFont2, line, FieldBand(field, top + height, height), DT_CENTER, GameColour::MessageRed);
        break;
    }
    case GameMenu:
        RenderMenu1();
        break;
    default:
        break;
    }
}

void MyGame::RenderText()
{
    const RECT& next = m_rectNextPanel;
    const RECT& result = m_rectResultPanel;
    const RECT& score = m_rectScorePanel;
    ClearArea(MakeRect(next.left, next.top, next.right, score.bottom), GameColour::PanelTeal);

    // The map's fields may lack their terminator: copy no further than they reach.
    char title[tnMap::TitleSize];
    std::snprintf(title, sizeof(title), "%.*s", static_cast<int>(tnMap::TitleSize - 1), m_kMap.GetTitle());
    char text[tnMap::TextSize];
    std::snprintf(text, sizeof(text), "%.*s", static_cast<int>(tnMap::TextSize - 1), m_kMap.GetText());
    // A title wider than the panel wraps onto more lines, and the text
    // starts below its last one, so that no title runs off the screen.
    RECT titleRect = MakeRect(next.left, next.top + 5, next.right, next.top + 5 + m_iFontHeight);
    const int titleHeight = DrawGameText(m_pD3DXFont, title, titleRect, DT_CENTER | kWrapNoClip, GameColour::Heading);
    const tnInt32 textTop = titleRect.top + std::max<tnInt32>(titleHeight, m_iFontHeight) + 5;
    DrawGameText(m_pD3DXFont, text, MakeRect(next.left + 2, textTop, next.right - 2, next.bottom - 4), kWrapNoClip,
                 GameColour::LevelText);

    char number[16];
    RECT heading = MakeRect(score.left, score.top, score.right, score.top + m_iFontHeight);
    DrawGameText(m_pD3DXFont, "Top Score", heading, DT_CENTER, GameColour::Heading);
    std::snprintf(number, sizeof(number), "%u", static_cast<unsigned>(m_iHighestGold));
    // Unclipped text keeps to the top of its box, so the box's bottom does not matter.
    DrawGameText(m_pD3DXFont, number, MakeRect(score.left + 50, heading.bottom + 15, score.right - 4,
                                               result.bottom - 4),
                 kWrapNoClip, GameColour::TopScore);

    heading = MakeRect(result.left, result.top + 10, result.right, result.top + 10 + m_iFontHeight);
    DrawGameText(m_pD3DXFont, "Statistics", heading, DT_CENTER, GameColour::Heading);
    const tnUInt32 chain = m_kSnake.GetSize();
    const tnUInt32 values[] = {m_iPlayerLife, m_iObjectiveTargets, chain > 1 ? chain - 1 : 0, m_iAntidote, m_iGold};
    tnInt32 bottom = heading.bottom;
    for (tnUInt32 value : values) {
        std::snprintf(number, sizeof(number), "%u", static_cast<unsigned>(value));
        RECT row = MakeRect(result.left + 50, bottom + 16, result.right - 4, bottom + 16 + m_iFontHeight);
        DrawGameText(m_pD3DXFont, number, row, kWrapNoClip, GameColour::Statistic);
        bottom = row.bottom;
    }

    // The icons are cells of the fruit sheet; the text drawing left no texture bound.
    m_kTargetTexture1.SetActiveTexture();
    const tnInt32 iconTop = result.top + m_iFontHeight + 26;
    for (const Icon& icon : kStatisticIcons)
        RenderIcon(icon.cellX, icon.cellY, result.left + 20, iconTop + icon.offsetY);
    RenderIcon(kTopScoreIcon.cellX, kTopScoreIcon.cellY, score.left + 20, score.top + kTopScoreIcon.offsetY);
}

void MyGame::RenderIcon(tnInt32 cellX, tnInt32 cellY, tnInt32 x, tnInt32 y)
{
    m_kTargetTexture1.Render(x, y, cellX, cellY, kIconCell, kIconCell, 1.0f, 1.0f, GameColour::White, 0.0f);
}

void MyGame::RenderGrids()
{
    const RECT& field = m_rectMainPanel;
    const tnReal32 grid = static_cast<tnReal32>(m_iGridSize);
    for (tnUInt32 i = 0; i <= m_iYGrids; ++i) {
        tnReal32 y = static_cast<tnReal32>(field.top) + static_cast<tnReal32>(i) * grid;
        DrawLine(static_cast<tnReal32>(field.left), y, static_cast<tnReal32>(field.right), y, 180, 180, 180, 200);
    }
    for (tnUInt32 j = 0; j <= m_iXGrids; ++j) {
        tnReal32 x = static_cast<tnReal32>(field.left) + static_cast<tnReal32>(j) * grid;
        DrawLine(x, static_cast<tnReal32>(field.top), x, static_cast<tnReal32>(field.bottom), 180, 180, 180, 200);
    }
}

void MyGame::RenderBolts(tnUInt32 size, tnUInt32 randomness, tnUInt32 x1, tnUInt32 y1, tnUInt32 x2, tnUInt32 y2)
{
    const bool horizontal = (y1 == y2);
    if (size == 0 || (!horizontal && x1 != x2))
        return;
    const tnReal32 startX = static_cast<tnReal32>(x1);
    const tnReal32 startY = static_cast<tnReal32>(y1);
    const tnReal32 length = horizontal ? static_cast<tnReal32>(static_cast<tnInt32>(x2 - x1))
                                       : static_cast<tnReal32>(static_cast<tnInt32>(y2 - y1));
    const tnReal32 step = length / static_cast<tnReal32>(size);
    tnReal32 fromX = startX;
    tnReal32 fromY = startY;
    tnReal32 offset = 0.0f;
    for (tnUInt32 segment = 0; segment < size; ++segment) {
        offset += step;
        tnReal32 jitter = BoltJitter(randomness);
        tnReal32 toX = horizontal ? startX + offset : startX + jitter;
        tnReal32 toY = horizontal ? startY + jitter : startY + offset;
        DrawLine(fromX, fromY, toX, toY, 60, 180, 255, 200);
        fromX = toX;
        fromY = toY;
    }
}

void MyGame::RenderStatements()
{
    for (tnUInt32 i = 0; i < m_vStatementList.size(); ++i)
        m_vStatementList[i].Render(m_pD3DXFont, m_iFontWidth, m_iFontHeight);
}
