#include "mygame.h"

#include "dinput.h"

namespace {
const tnReal32 kPauseRepeatSeconds = 0.25f;
const tnReal32 kObjectiveRepeatSeconds = 0.4f;
const tnUInt16 kObjectiveStep = 5;
const tnUInt16 kMaxObjective = 500;
} // namespace

tnError32 MyGame::ProcessFrame(tnReal32)
{
    tnError32 keyboard = m_kKeyboard.Update();
    m_kMouse.Update();
    if (keyboard == tnOK && !m_bDying) {
        if (!HandlePlayKeys())
            return tnOK;
    }
    // Carrying more fruits than the objective wins the level; the rest of
    // the step still runs.
    if (m_kSnake.GetSize() > m_iObjectiveTargets) {
        m_fTimerCount3 = 0.0f;
        m_eGameState = GameLevelComplete;
        m_bJustFinishedLevel = true;
    }
    if (!m_kSnake.IsIdle())
        UpdateStatements();
    return tnOK;
}

// The keys of play other than steering, first match only. Returns false when
// the rest of the step is not to run.
bool MyGame::HandlePlayKeys()
{
    if (m_kKeyboard.IsButtonDown(DIK_P)) {
        if (m_iPrevKeyPress == DIK_P && m_fTimerCount2 < kPauseRepeatSeconds)
            return false;
        m_fTimerCount2 = 0.0f;
        m_iPrevKeyPress = DIK_P;
        m_kMenu1Buttons[MenuResume].SetStage(tnButton::ENABLED);
        m_eGameState = GamePause;
        StopMusicIfPlaying();
        return false;
    }
    if (m_kKeyboard.IsButtonDown(DIK_ESCAPE) || m_kKeyboard.IsButtonDown(DIK_F1)) {
        m_kMenu1Buttons[MenuResume].SetStage(tnButton::ENABLED);
        StopMusicIfPlaying();
        m_eGameState = GameMenu;
        return true;
    }
    bool lower = m_kKeyboard.IsButtonDown(DIK_F11);
    if (lower || m_kKeyboard.IsButtonDown(DIK_F12)) {
        tnUInt32 key = lower ? DIK_F11 : DIK_F12;
        if (m_iPrevKeyPress == key && m_fTimerCount2 < kObjectiveRepeatSeconds)
            return false;
        m_fTimerCount2 = 0.0f;
        m_iPrevKeyPress = key;
        if (lower && m_iObjectiveTargets > kObjectiveStep)
            m_iObjectiveTargets -= kObjectiveStep;
        else if (!lower && m_iObjectiveTargets <= kMaxObjective)
            m_iObjectiveTargets += kObjectiveStep;
    }
    return true;
}

void MyGame::UpdateStatements()
{
    tnUInt32 i = 0;
    while (i < m_vStatementList.size()) {
        tnStatement& statement = m_vStatementList[i];
        statement.Update();
        if (statement.GetY() < m_rectMainPanel.top || statement.GetY() > m_rectMainPanel.bottom)
            m_vStatementList.erase(&m_vStatementList[i]); // the next one moves into place i
        else
            ++i;
    }
}
