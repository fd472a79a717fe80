#ifndef TESTS_MYGAMEPROBE_H
#define TESTS_MYGAMEPROBE_H

#include "mygame.h"

// The tests' window into MyGame's private state (a friend of MyGame), and
// their only one: the game itself has no setters that only a test would
// call. Each accessor hands out a reference, so a test can read and set the
// field.
class MyGameProbe {
public:
    explicit MyGameProbe(MyGame& game) : g(game) {}

    MyGame::GameState& State() { return g.m_eGameState; }
    tnReal32& TimerCount() { return g.m_fTimerCount; }
    tnReal32& TimerCount2() { return g.m_fTimerCount2; }
    tnReal32& TimerCount3() { return g.m_fTimerCount3; }
    tnUInt32& PrevKeyPress() { return g.m_iPrevKeyPress; }
    bool& JustFinishedLevel() { return g.m_bJustFinishedLevel; }
    bool& LoadedTopScore() { return g.m_bLoadedTopScore; }
    tnUInt32& IdleTimes() { return g.m_iIdleTimes; }

    tnUInt16& PlayerLife() { return g.m_iPlayerLife; }
    tnUInt16& PlayerMaxLife() { return g.m_iPlayerMaxLife; }
    tnUInt16& CurrentLevel() { return g.m_iCurrentLevel; }
    tnUInt16& AvailableLevel() { return g.m_iAvailableLevel; }
    tnUInt32& Gold() { return g.m_iGold; }
    tnUInt32& HighestGold() { return g.m_iHighestGold; }
    tnUInt32& Bonus() { return g.m_iBonus; }
    tnUInt32& BonusLeft() { return g.m_iBonusLeft; }
    tnUInt8& Antidote() { return g.m_iAntidote; }
    bool& Dying() { return g.m_bDying; }
    tnUInt16& ObjectiveTargets() { return g.m_iObjectiveTargets; }
    ANIMATION_DATA::ANIM_SUBTYPES& NextDirection() { return g.m_eNextDirection; }

    tnUInt16& Targets() { return g.m_iTargets; }
    tnUInt16& Traps() { return g.m_iTraps; }
    tnUInt16& AvailableTargets() { return g.m_iAvailableTargets; }
    tnUInt16& AvailableTraps() { return g.m_iAvailableTraps; }
    tnUInt16& TargetLife() { return g.m_iTargetLife; }
    tnUInt16& TrapLife() { return g.m_iTrapLife; }
    tnUInt16& MaxTargetsOnScreen() { return g.m_iMaxTargetsOnScreen; }
    bool& TrapRegenerate() { return g.m_bTrapRegenerate; }
    bool& TrapDisappear() { return g.m_bTrapDisappear; }
    tnUInt8& TempTargetIterations() { return g.m_iTempTargetIterations; }
    char* CurrentMusic() { return g.m_strCurrentMusic; }

    tnUInt16& GridSize() { return g.m_iGridSize; }
    tnUInt16& XGrids() { return g.m_iXGrids; }
    tnUInt16& YGrids() { return g.m_iYGrids; }
    RECT& MainPanel() { return g.m_rectMainPanel; }
    RECT& NextPanel() { return g.m_rectNextPanel; }
    RECT& ResultPanel() { return g.m_rectResultPanel; }
    RECT& ScorePanel() { return g.m_rectScorePanel; }
    RECT& OptionPanel() { return g.m_rectOptionPanel; }
    RECT& OptionMusicPanel() { return g.m_rectOptionMusicPanel; }
    RECT& OptionSoundPanel() { return g.m_rectOptionSoundPanel; }
    RECT& OptionGridPanel() { return g.m_rectOptionGridPanel; }
    RECT& OptionSpeedPanel() { return g.m_rectOptionSpeedPanel; }
    RECT& OptionPlayerSpeedPanel() { return g.m_rectOptionPlayerSpeedPanel; }
    RECT& Selected() { return g.m_rectSelected; }

    bool& SoundOn() { return g.m_kOptions.m_bSoundOn; }
    bool& MusicOn() { return g.m_kOptions.m_bMusicOn; }
    bool& GridOn() { return g.m_kOptions.m_bGridOn; }
    signed char& Speed() { return g.m_kOptions.m_iSpeed; }
    tnUInt16& PlayerSpeed() { return g.m_kOptions.m_iPlayerSpeed; }
    MyGame::GameSound& CurrentSound() { return g.m_eCurrentSound; }
    tnUInt16& CurrentHelpPage() { return g.m_iCurrentHelpPage; }

    tnKeyboard& Keyboard() { return g.m_kKeyboard; }
    tnMouse& Mouse() { return g.m_kMouse; }
    tnMidiPlay& MidiPlay() { return g.m_kMidiPlay; }
    tnVector<tnSound::WaveData>& WaveList() { return g.vecWaveList; }
    tnMap& Map() { return g.m_kMap; }
    skSnake& Snake() { return g.m_kSnake; }
    tnSingleList<skObject>& TargetList() { return g.m_kTargets; }
    tnSingleList<skObject>& TrapList() { return g.m_kTraps; }
    tnSingleList<skObject>& TempTargetList() { return g.m_kTempTargets; }
    tnVector<tnUInt16>& FruitList() { return g.vecFruitList; }
    tnVector<tnUInt16>& ObjectList() { return g.vecObjectList; }
    tnVector<tnStatement>& Statements() { return g.m_vStatementList; }
    tnVector<tnABO>& TargetABOList() { return g.m_kTargetABOList; }
    tnVector<tnABO>& TrapABOList() { return g.m_kTrapABOList; }
    tnABO& PlayerABO() { return g.m_kPlayerABO; }
    tnVector<tnButton>& MenuButtons() { return g.m_kMenu1Buttons; }
    tnButton& BackButton() { return g.m_kBackButton; }
    tnCombolist*& ComboList() { return g.m_pkComboList; }
    ID3DXFont* Font() { return g.m_pD3DXFont; }
    ID3DXFont* Font2() { return g.m_pD3DXFont2; }
    ID3DXFont* Font3() { return g.m_pD3DXFont3; }
    tnSurface& HelpPicture() { return g.m_kHelpSurface; }

    // Private operations a test may call directly.
    tnError32 ProcessFrame(tnReal32 step) { return g.ProcessFrame(step); }
    void UpdateStatements() { g.UpdateStatements(); }
    void HandleSnakeCollision() { g.HandleSnakeCollision(); }
    void UpdateTrap(tnReal32 step) { g.UpdateTrap(step); }
    void UpdateTargets(tnReal32 step) { g.UpdateTargets(step); }
    void UpdateTempTargets(tnReal32 step) { g.UpdateTempTargets(step); }
    void ReadTopScore() { g.ReadTopScore(); }
    void WriteTopScoreIfBeaten() { g.WriteTopScoreIfBeaten(); }
    void AppendLevelTitle(const char* title) { g.AppendLevelTitle(title); }
    void ComputeLayout() { g.ComputeLayout(); }
    tnError32 LoadAnimationSets() { return g.LoadAnimationSets(); }

private:
    MyGame& g;
};

#endif
