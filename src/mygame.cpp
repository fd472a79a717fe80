#include "mygame.h"

#include "dinput.h"
#include "tnlog.h"

#include <cstring>

namespace {
// The bonus for a won level is paid into the gold in this many parts.
const tnUInt32 kBonusParts = 10;
const tnUInt32 kMaxBonus = 10000;
// Seconds the game-over message stays before the menu returns.
const tnReal32 kGameOverSeconds = 5.0f;
// The whole program stands still this long after a life is lost.
const DWORD kLifeLostPauseMs = 2000;
} // namespace

MyGame::MyGame()
    : tnScreen(),
      m_eGameState(GameIntro), m_bLoadingGame(true), m_fTimerCount(0.0f), m_fTimerCount2(0.0f),
      m_fTimerCount3(0.0f), m_iPrevKeyPress(NoKey), m_bJustFinishedLevel(true), m_bLoadedTopScore(false),
      m_iIdleTimes(0), m_bCannotRun(false),
      m_iPlayerLife(3), m_iPlayerMaxLife(5), m_iCurrentLevel(1), m_iAvailableLevel(0), m_iGold(0),
      m_iHighestGold(0), m_iBonus(0), m_iBonusLeft(0), m_iAntidote(0), m_bDying(false),
      m_iObjectiveTargets(60), m_eNextDirection(ANIMATION_DATA::NONESUBTYPE),
      m_iSampleTargets(40), m_iSampleTraps(16), m_iAvailableTargets(5), m_iAvailableTraps(5),
      m_iMaxTargetsOnScreen(10), m_iTargets(5), m_iTraps(5), m_iTargetLife(30), m_iTrapLife(30),
      m_iMarginLife(3), m_bTrapDisappear(false), m_bTrapRegenerate(false), m_fTrapDisappearTime(10.0f),
      m_iTempTargetIterations(4), m_iTempTargetCurrentIteration(0), m_strCurrentMusic(),
      m_iGridSize(32), m_iBoltSize(8), m_iXGrids(0), m_iYGrids(0), m_iFontHeight(20), m_iFontWidth(9),
      m_iFontHeight2(36), m_iFontWidth2(20), m_iFontHeight3(10), m_iFontWidth3(5), m_rectMainPanel(),
      m_rectNextPanel(), m_rectResultPanel(), m_rectScorePanel(), m_rectOptionPanel(),
      m_rectOptionMusicPanel(), m_rectOptionSoundPanel(), m_rectOptionGridPanel(), m_rectOptionSpeedPanel(),
      m_rectOptionPlayerSpeedPanel(), m_rectSelected(),
      m_kOptions{true, true, false, 100, 0}, m_kOldOptions(m_kOptions), m_iVolume(100),
      m_eCurrentSound(NoSound), m_iCurrentHelpPage(0), m_iTotalHelpPages(2),
      m_pkPlayerAnimationSet(nullptr), m_pkComboList(nullptr)
{
}

MyGame::~MyGame()
{
    CleanUp();
}

void MyGame::ApplyGameSpeedDelay() const
{
    // A slower game sleeps each frame; the longer frame also lengthens the
    // next step, so everything that moves per update slows down with it.
    if (100 - m_kOptions.m_iSpeed > 0)
        Sleep(static_cast<DWORD>(75 - (m_kOptions.m_iSpeed / 20) * 15));
}

void MyGame::HoldDesktopForPlay()
{
    // In play the pointer is hidden and the screensaver kept off; on every
    // other screen (the pause included) both are the desktop's again.
    const bool playing = m_eGameState == GameRunning;
    if (playing == m_bHoldingDesktop)
        return;
    m_bHoldingDesktop = playing;
    ShowCursor(!playing);
    SetThreadExecutionState(playing ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED : ES_CONTINUOUS);
}

tnError32 MyGame::ProcessGame(tnReal32 step)
{
    HoldDesktopForPlay();
    ApplyGameSpeedDelay();
    switch (m_eGameState) {
    case GameRunning:
        m_fTimerCount2 += step;
        return ProcessFrame(step);
    case GamePause:
        m_fTimerCount2 += step;
        PauseGame();
        break;
    case GameInit:
        ProcessInit();
        break;
    case GameNew:
        ProcessNewGame();
        break;
    case GameOption:
        ProcessOption();
        break;
    case GameLost:
        ProcessLost(step);
        break;
    case GameLostOneLife:
        ProcessLostOneLife(step);
        break;
    case GameMenu:
        ProcessMenu1();
        break;
    case GameLevelComplete:
        ProcessLevelComplete(step);
        break;
    case GameComplete:
        ProcessCompleteGame();
        break;
    case GameTopScore:
        ProcessTopScore();
        break;
    case GameHelp:
        // Keys are read on the first frame, then only after a quarter second.
        if (m_fTimerCount == 0.0f || m_fTimerCount > KeyRepeatSeconds)
            ProcessHelp();
        m_fTimerCount += step;
        break;
    case GameQuit:
        return tnNotOK;
    default:
        break;
    }
    return tnOK;
}

void MyGame::ProcessInit()
{
    if (InitIntro() == tnOK) {
        m_eGameState = GameMenu;
        return;
    }
    // The file that failed has named itself in the log already.
    Log("Error: InitIntro(), in MyGame::ProcessInit(): the game cannot run without its data files\n");
    m_bCannotRun = true;
    m_eGameState = GameQuit;
}

void MyGame::PauseGame()
{
    if (m_kKeyboard.Update() != tnOK)
        return;
    if (m_kKeyboard.IsButtonDown(DIK_P)) {
        if (m_iPrevKeyPress == DIK_P && m_fTimerCount2 < KeyRepeatSeconds)
            return;
        m_iPrevKeyPress = DIK_P;
        ContinueMusicIfStopped();
        m_eGameState = GameRunning;
        m_fTimerCount2 = 0.0f;
    } else if (m_kKeyboard.IsButtonDown(DIK_ESCAPE)) {
        m_iPrevKeyPress = DIK_ESCAPE;
        m_eGameState = GameMenu;
        m_fTimerCount2 = 0.0f;
    } else {
        m_iPrevKeyPress = NoKey;
    }
}

void MyGame::ProcessLostOneLife(tnReal32)
{
    // The floating messages fade out first.
    if (m_vStatementList.size() != 0) {
        UpdateStatements();
        RenderStatements();
        return;
    }
    Sleep(kLifeLostPauseMs);
    --m_iPlayerLife;
    if (m_iPlayerLife != 0 && m_iPlayerLife <= m_iPlayerMaxLife) {
        NewGame();
    } else {
        m_fTimerCount = 0.0f;
        m_eGameState = GameLost;
    }
}

void MyGame::ProcessLost(tnReal32 step)
{
    if (m_fTimerCount <= kGameOverSeconds) {
        m_fTimerCount += step;
        return;
    }
    WriteTopScoreIfBeaten();
    m_fTimerCount = 0.0f;
    m_kMenu1Buttons[MenuResume].SetStage(tnButton::DISABLED);
    StopMusicIfPlaying();
    m_eGameState = GameMenu;
}

void MyGame::PayBonusPart()
{
    tnUInt32 part = m_iBonus / kBonusParts;
    // The bonus is a multiple of 100, so ten parts pay it exactly; never
    // pay more than is left.
    if (part > m_iBonusLeft)
        part = m_iBonusLeft;
    m_iGold += part;
    m_iBonusLeft -= part;
}

void MyGame::ProcessLevelComplete(tnReal32 step)
{
    if (m_fTimerCount3 == 0.0f) {
        tnInt32 speed = m_kSnake.GetSpeed();
        tnInt32 bonus = 1000 + 500 * (speed / 2 - 1) + 100 * m_iTraps +
                        100 * static_cast<tnInt32>(m_kSnake.GetSize() / 30) + 200 * m_iCurrentLevel;
        m_iBonus = static_cast<tnUInt32>(bonus);
        if (m_iBonus > kMaxBonus)
            m_iBonus = kMaxBonus;
        m_iBonusLeft = m_iBonus;
        PayBonusPart();
        PlayGameSound(SoundGold, LoopIfSoundOn);
        m_fTimerCount3 += step;
        return;
    }
    if (m_iBonusLeft != 0) {
        // One part every tenth tick of the frame clock.
        if (static_cast<tnInt32>(m_fTimerCount3 / 0.033f) % 10 == 0)
            PayBonusPart();
        m_fTimerCount3 += step;
        return;
    }
    m_iBonus = 0;
    m_iBonusLeft = 0;
    m_fTimerCount3 = 0.0f;
    ++m_iCurrentLevel;
    if (LoadLevel(m_iCurrentLevel)) {
        NewGame();
    } else {
        m_eGameState = GameComplete;
        InitCompleteGame();
    }
}

void MyGame::StopMusicIfPlaying()
{
    if (m_kOptions.m_bMusicOn && m_kMidiPlay.GetPlayStatus() == tnMidiPlay::PLAYING)
        m_kMidiPlay.StopSong();
}

void MyGame::ContinueMusicIfStopped()
{
    if (m_kOptions.m_bMusicOn && m_kMidiPlay.GetPlayStatus() == tnMidiPlay::STOPPED)
        m_kMidiPlay.ContinueSong();
}

void MyGame::PlayGameSound(GameSound sound, SoundRule rule)
{
    if (rule != Always && !m_kOptions.m_bSoundOn)
        return;
    // A sound whose file failed to load is not in the list: nothing plays.
    m_kSound.PlayWave(vecWaveList, sound, m_iVolume, rule == LoopIfSoundOn ? 1 : 0);
}
