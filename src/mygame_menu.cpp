// The input side of the screens that are not play: the menu's buttons, the
// options, the level list, the top score, the help pages and the final
// picture.
#include "mygame.h"

#include "gamecolours.h"
#include "replaysession.h"

#include "dinput.h"
#include "tnlog.h"

#include <cstdio>

namespace {
const tnUInt32 kLeftButton = 0;
const tnUInt32 kRightButton = 1;
const signed char kSpeedStep = 20;
const signed char kFastestSpeed = 100;
const tnUInt16 kSlowestPlayer = 2;
const tnUInt16 kFastestPlayer = 16;
const char* const kFinalPicture = "../Graphics/Grovekeep.bmp";

bool Holds(const RECT& rect, tnUInt32 x, tnUInt32 y)
{
    const tnInt32 px = static_cast<tnInt32>(x);
    const tnInt32 py = static_cast<tnInt32>(y);
    return px >= rect.left && px <= rect.right && py >= rect.top && py <= rect.bottom;
}

// Slower by one step, from the slowest round to the fastest.
signed char SlowerGame(signed char speed)
{
    signed char slower = static_cast<signed char>(speed - kSpeedStep);
    return slower < 1 ? kFastestSpeed : slower;
}

signed char FasterGame(signed char speed)
{
    int faster = speed + kSpeedStep;
    return faster > kFastestSpeed ? kSpeedStep : static_cast<signed char>(faster);
}

// A speed of 0 means no level has set one yet: it stays as it is.
tnUInt16 SlowerPlayer(tnUInt16 speed)
{
    if (speed == 0)
        return speed;
    speed = static_cast<tnUInt16>(speed / 2);
    return speed < kSlowestPlayer ? kFastestPlayer : speed;
}

tnUInt16 FasterPlayer(tnUInt16 speed)
{
    if (speed == 0)
        return speed;
    speed = static_cast<tnUInt16>(speed * 2);
    return speed > kFastestPlayer ? kSlowestPlayer : speed;
}
} // namespace

// --- Menu --------------------------------------------------------------------

void MyGame::ProcessMenu1()
{
    if (m_kMouse.Update() != tnOK)
        return;
    const tnUInt32 x = tnMouse::GetX();
    const tnUInt32 y = tnMouse::GetY();
    for (tnUInt32 i = 0; i < m_kMenu1Buttons.size(); ++i) {
        tnButton& button = m_kMenu1Buttons[i];
        if (button.GetStage() == tnButton::DISABLED)
            continue;
        if (!button.Contains(x, y)) {
            button.SetStage(tnButton::ENABLED);
            continue;
        }
        // The hover sound plays once per entry onto the button.
        if (button.GetStage() != tnButton::HIGHLIGHTED) {
            PlayGameSound(SoundSho, Always);
            button.SetStage(tnButton::HIGHLIGHTED);
        }
        if (m_kMouse.IsButtonDown(kLeftButton)) {
            PlayGameSound(SoundClick, Always);
            m_kMouse.Clear();
            ActOnMenuButton(i);
        }
    }
}

void MyGame::ActOnMenuButton(tnUInt32 index)
{
    switch (index) {
    case MenuNew:
        m_eGameState = GameNew;
        m_iPlayerLife = 3;
        ProcessNewGame();
        break;
    case MenuOptions:
        // Escape on the options screen goes back to these.
        m_kOldOptions = m_kOptions;
        m_eGameState = GameOption;
        break;
    case MenuTopScore:
        m_eGameState = GameTopScore;
        break;
    case MenuResume:
        ContinueMusicIfStopped();
        m_eGameState = GameRunning;
        m_kMenu1Buttons[MenuResume].SetStage(tnButton::DISABLED);
        break;
    case MenuQuit:
        m_eGameState = GameQuit;
        break;
    case MenuHelp:
        if (UpdateHelp() == tnOK)
            m_eGameState = GameHelp;
        else
            m_iCurrentHelpPage = 0; // the next visit starts at the first page again
        break;
    default:
        break;
    }
}

// --- Options -------------------------------------------------------------------

void MyGame::ProcessOption()
{
    const tnError32 keyboard = m_kKeyboard.Update();
    const tnError32 mouse = m_kMouse.Update();
    if (keyboard == tnOK && m_kKeyboard.IsButtonDown(DIK_ESCAPE)) {
        m_kOptions = m_kOldOptions;
        m_eGameState = GameMenu;
        return;
    }
    if (mouse != tnOK)
        return;
    const tnUInt32 x = tnMouse::GetX();
    const tnUInt32 y = tnMouse::GetY();
    const RECT* rows[] = {&m_rectOptionMusicPanel, &m_rectOptionSoundPanel, &m_rectOptionGridPanel,
                          &m_rectOptionSpeedPanel, &m_rectOptionPlayerSpeedPanel};
    for (const RECT* row : rows) {
        if (!Holds(*row, x, y))
            continue;
        if (ChangeOption(*row, m_kMouse.IsButtonDown(kLeftButton), m_kMouse.IsButtonDown(kRightButton)))
            m_kMouse.Clear();
        m_rectSelected = *row;
        break;
    }

    if (!m_kBackButton.Contains(x, y)) {
        m_kBackButton.SetStage(tnButton::ENABLED);
        return;
    }
    m_kBackButton.SetStage(tnButton::HIGHLIGHTED);
    if (m_kMouse.IsButtonDown(kLeftButton))
        SaveOptions();
}

// The change a click on an option row makes; false when it makes none.
bool MyGame::ChangeOption(const RECT& row, bool left, bool right)
{
    if (&row == &m_rectOptionSpeedPanel) {
        if (left)
            m_kOptions.m_iSpeed = SlowerGame(m_kOptions.m_iSpeed);
        else if (right)
            m_kOptions.m_iSpeed = FasterGame(m_kOptions.m_iSpeed);
        return left || right;
    }
    if (&row == &m_rectOptionPlayerSpeedPanel) {
        if (left)
            m_kOptions.m_iPlayerSpeed = SlowerPlayer(m_kOptions.m_iPlayerSpeed);
        else if (right)
            m_kOptions.m_iPlayerSpeed = FasterPlayer(m_kOptions.m_iPlayerSpeed);
        return left || right;
    }
    if (!left)
        return false;
    bool& setting = (&row == &m_rectOptionMusicPanel) ? m_kOptions.m_bMusicOn
                    : (&row == &m_rectOptionSoundPanel) ? m_kOptions.m_bSoundOn
                                                        : m_kOptions.m_bGridOn;
    setting = !setting;
    return true;
}

void MyGame::SaveOptions()
{
    if (!m_kOptions.m_bMusicOn && m_kMidiPlay.GetPlayStatus() == tnMidiPlay::PLAYING)
        m_kMidiPlay.StopSong();
    m_kSnake.SetSpeed(m_kOptions.m_iPlayerSpeed);
    PlayGameSound(SoundClick, IfSoundOn);
    m_rectSelected = RECT();
    m_eGameState = GameMenu;
    m_kMouse.Clear();
}

// --- Level list ------------------------------------------------------------------

void MyGame::ProcessNewGame()
{
    if (!m_pkComboList)
        CreateLevelList();
    if (m_kKeyboard.Update() == tnOK && m_kKeyboard.IsButtonDown(DIK_ESCAPE)) {
        CloseLevelList();
        m_eGameState = GameMenu;
        return;
    }
    if (m_kMouse.Update() != tnOK)
        return;
    tnInt32 picked = m_pkComboList->Update(tnMouse::GetX(), tnMouse::GetY(), m_kMouse.IsButtonDown(kLeftButton));
    if (picked >= 0) {
        StartPickedLevel(picked);
        m_kMouse.Clear();
    }
}

void MyGame::CreateLevelList()
{
    m_pkComboList = new tnCombolist();
    m_pkComboList->Create(LevelListFrame(), m_pD3DXFont, m_iFontHeight, m_iFontWidth, tnStringC("Game Level"));
    m_eCurrentSound = NoSound;
    ReadLevelList();
}

void MyGame::CloseLevelList()
{
    delete m_pkComboList;
    m_pkComboList = nullptr;
}

void MyGame::StartPickedLevel(tnInt32 row)
{
    if (ReplaySession* session = ReplaySession::Current())
        session->OnLevelPicked(*this, static_cast<tnUInt16>(row + 1));
    m_iGold = 0;
    m_iAntidote = 0;
    PlayGameSound(SoundClick, Always);
    m_iCurrentLevel = static_cast<tnUInt16>(row + 1);
    if (!LoadLevel(m_iCurrentLevel)) {
        Log("Load failed");
        return;
    }
    CloseLevelList();
    NewGame();
}

// --- Top score ---------------------------------------------------------------------

void MyGame::ProcessTopScore()
{
    if (!m_bLoadedTopScore) {
        ReadTopScore();
        m_bLoadedTopScore = true;
    }
    if (m_kKeyboard.Update() == tnOK && m_kKeyboard.IsButtonDown(DIK_ESCAPE))
        m_eGameState = GameMenu;
}

// --- Help pages and the final picture -----------------------------------------------

void MyGame::FreeHelpPicture()
{
    m_kHelpSurface.CleanUp();
}

tnError32 MyGame::LoadHelpPicture(const char* fileName)
{
    // A picture that fails leaves no surface behind: the screen shows none.
    FreeHelpPicture();
    return m_kHelpSurface.CreateFromFile(fileName, false, GameColour::ColourKey);
}

tnError32 MyGame::UpdateHelp()
{
    FreeHelpPicture();
    if (m_iCurrentHelpPage >= m_iTotalHelpPages) {
        // Every page has been shown.
        m_iCurrentHelpPage = 0;
        return tnNotOK;
    }
    ++m_iCurrentHelpPage;
    char fileName[64];
    std::snprintf(fileName, sizeof(fileName), "../Graphics/help%i.bmp", static_cast<int>(m_iCurrentHelpPage));
    return LoadHelpPicture(fileName);
}

void MyGame::ProcessHelp()
{
    if (m_kKeyboard.Update() != tnOK)
        return;
    const bool escape = m_kKeyboard.IsButtonDown(DIK_ESCAPE);
    // Space past the last page, or onto a page that would not load, leaves too.
    const bool noNextPage = !escape && m_kKeyboard.IsButtonDown(DIK_SPACE) && UpdateHelp() != tnOK;
    if (!escape && !noNextPage)
        return;
    FreeHelpPicture();
    m_iCurrentHelpPage = 0;
    m_eGameState = GameMenu;
    m_fTimerCount = 0.0f;
    // Clicks meant nothing here: none may wait for the menu.
    m_kMouse.Clear();
}

void MyGame::InitCompleteGame()
{
    // Every level is behind the player: there is no game left to resume.
    m_kMenu1Buttons[MenuResume].SetStage(tnButton::DISABLED);
    StopMusicIfPlaying();
    PlayGameSound(SoundFinal, Always);
    // Without its picture the final screen still shows its way back.
    LoadHelpPicture(kFinalPicture);
    WriteTopScoreIfBeaten();
}

void MyGame::ProcessCompleteGame()
{
    if (m_kKeyboard.Update() != tnOK)
        return;
    if (m_kKeyboard.IsButtonDown(DIK_ESCAPE)) {
        m_iPrevKeyPress = DIK_ESCAPE;
        m_eGameState = GameMenu;
        FreeHelpPicture();
        m_kMouse.Clear(); // as on leaving the help
    } else {
        m_iPrevKeyPress = NoKey;
    }
}
