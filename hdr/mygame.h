#ifndef MYGAME_H
#define MYGAME_H

#include "skobject.h"
#include "sksnake.h"
#include "tnabo.h"
#include "tnanimation.h"
#include "tnbutton.h"
#include "tncombolist.h"
#include "tnerror.h"
#include "tninputmanager.h"
#include "tnkeyboard.h"
#include "tnmap.h"
#include "tnmidiplay.h"
#include "tnmouse.h"
#include "tnrgbaimage.h"
#include "tnscreen.h"
#include "tnsinglelist.h"
#include "tnsound.h"
#include "tnsoundmanager.h"
#include "tnstatement.h"
#include "tnsurface.h"
#include "tntexture.h"
#include "tnvector.h"
#include "win32.h"

namespace Replay {
struct Start;
struct Digest;
} // namespace Replay
struct TrapHit;   // the texts of a trap that reaches the chain (mygame_traps.cpp)
struct WreckRule; // what a trap destroys, blows away or lights in a cell (mygame_traps.cpp)

// The game: one object, held by the application window, driven once per
// frame through ProcessGame and Render. One class, several source files, one
// per concern: mygame.cpp (construction, dispatch, play states, sounds),
// mygame_init.cpp (resources and device objects), mygame_files.cpp (top score
// and level list), mygame_layout.cpp (the screen's division),
// mygame_screens.cpp (full screens and the drawing helpers they share with
// the play screen), mygame_render.cpp (the play screen and its floating
// messages), mygame_menu.cpp (input of the screens and the options),
// mygame_level.cpp (levels and a new attempt), mygame_field.cpp (cells, what
// their scenery does, pixel <-> cell, which cell holds what),
// mygame_spawn.cpp (fruits, traps and bonuses on free cells),
// mygame_play.cpp (the play step: steering, keys, fruit, basket and message
// updates), mygame_collide.cpp (what the farmer walks into),
// mygame_traps.cpp (what the traps do over time).
class MyGame : public tnScreen {
public:
    // The numbers are fixed; 0, 5 and 11 belong to no state.
    enum GameState : tnUInt32 {
        GameRunning = 1,
        GamePause = 2,
        GameIntro = 3,
        GameInit = 4,
        GameNew = 6,
        GameOption = 7,
        GameLost = 8,
        GameLostOneLife = 9,
        GameMenu = 10,
        GameLevelComplete = 12,
        GameComplete = 13,
        GameTopScore = 14,
        GameHelp = 15,
        GameQuit = 16
    };

    // The effects by their place in vecWaveList, in loading order.
    enum GameSound : tnUInt32 {
        SoundRain = 0,
        SoundThunder,
        SoundWitch,
        SoundThankYou,
        SoundFire,
        SoundMagic,
        SoundTornado,
        SoundExplosion,
        SoundBong,
        SoundSho,
        SoundElectricShock,
        SoundThump,
        SoundCow,
        SoundGold,
        SoundFlood,
        SoundClick,
        SoundDropInWater,
        SoundTiger,
        SoundFinal,
        NoSound
    };

    // The menu's buttons by index.
    enum MenuButton : tnUInt32 {
        MenuNew = 0,
        MenuOptions = 1,
        MenuTopScore = 2,
        MenuResume = 3,
        MenuQuit = 4,
        MenuHelp = 5,
        MenuButtonCount = 6
    };

    // What the options screen sets, for this run only; a level also sets
    // the farmer's speed.
    struct Options {
        bool m_bSoundOn;
        bool m_bMusicOn;
        bool m_bGridOn;
        signed char m_iSpeed;     // game speed in percent: 20, 40, 60, 80 or 100
        tnUInt16 m_iPlayerSpeed;  // pixels per update
    };

    static constexpr tnUInt32 NoKey = 0xFFFFFFFFu;
    // P, in play and paused, acts again only after this long unless it was
    // let go in between; the help pages read their keys at this pace too.
    static constexpr tnReal32 KeyRepeatSeconds = 0.25f;
    static constexpr tnUInt32 TitleRecordSize = 40; // one title in the level list
    static constexpr tnUInt32 MusicNameSize = 40;

    MyGame();
    virtual ~MyGame();

    // --- Shell ---------------------------------------------------------
    tnError32 Init(HINSTANCE instance, HWND window, int width, int height);
    bool IsLoading() const { return m_bLoadingGame; }
    // A data file the game cannot do without failed: the program ends in error.
    bool CannotRun() const { return m_bCannotRun; }
    tnError32 ProcessGame(tnReal32 step);
    // The window went to the background: a level in play pauses.
    void PauseForFocusLoss();

    // --- Replays (mygame_replay.cpp) ------------------------------------
    GameState GetState() const { return m_eGameState; }
    tnUInt16 GetLevel() const { return m_iCurrentLevel; }
    tnUInt32 GetGold() const { return m_iGold; }
    tnUInt16 GetLives() const { return m_iPlayerLife; }
    // What a game picked now from the level list starts from.
    Replay::Start ReplayStart(tnUInt16 level) const;
    // Starts a recorded game as its level was picked; false when the level
    // does not load.
    bool BeginReplayedGame(const Replay::Start& start);
    Replay::Digest ReplayDigest(tnUInt32 frame);

    // --- Screen hooks ----------------------------------------------------
    tnError32 RecoverDevice() override;
    tnError32 ConfirmDevice(D3DCAPS8* caps, DWORD behaviour, D3DFORMAT format) override;
    tnError32 InitDeviceObjects() override;
    tnError32 RestoreDeviceObjects() override;
    tnError32 Render() override;
    tnError32 InvalidateDeviceObjects() override;
    tnError32 DeleteDeviceObjects() override;
    void CleanUp() override;

    // --- Levels (mygame_level.cpp) ---------------------------------------
    bool LoadLevel(unsigned short level);
    void NewGame();

    // --- Spawning (mygame_spawn.cpp) -------------------------------------
    // False when nothing was placed: the level has no sample of the kind,
    // or the field has no cell without an object.
    bool CreateFruit(skObject* object, skObject::ObjectType kind, long x, long y, bool putInMap);
    bool CreateObject(skObject* object, skObject::ObjectType kind, long x, long y, bool putInMap);

    // --- What a cell's scenery does, by its static-object kind (mygame_field.cpp)
    static bool IsSolid(tnUInt8 kind);     // trees, fences, rocks, cow, tiger: the farmer dies on it
    static bool IsWaterLike(tnUInt8 kind); // water that is not a bridge: costs the fruits
    static bool PutsOutFire(tnUInt8 kind); // water and bridges
    static bool Burns(tnUInt8 kind);       // trees, flowers and the solid kinds but rocks
    static bool BlowsAway(tnUInt8 kind);   // what burns, and rocks: a storm or a blast clears it
    static bool IsPlaceable(tnUInt8 kind); // open ground, bridges, paths and flowers: objects may be put there
    static bool IsWalkable(tnUInt8 kind);  // everything but the solid kinds: a first step may go there

private:
    friend class MyGameProbe; // the test fixture's window into the game

    // --- Level and attempt helpers (mygame_level.cpp) ----------------------
    // False when the field has no free cell with an open neighbour.
    bool PlaceFarmer(tnUInt32 divisor);
    bool IsFarmerCell(tnUInt32 column, tnUInt32 row);
    bool IsOpenCell(tnInt32 column, tnInt32 row); // on the field and walkable
    void StartLevelMusic();

    // --- The field's cells (mygame_field.cpp) -------------------------------
    // The field's cell at (column, row) of layer 0; null outside the field.
    tnMap::MapData* FieldCell(tnInt32 column, tnInt32 row);
    // How far a sprite's top-left corner lies right of / below the field's.
    long OffsetX(long x, long halfWidth) const;
    long OffsetY(long y, long halfHeight) const;
    // The centre of a sprite whose top-left corner lies on the column / row.
    long ColumnX(tnInt32 column, long halfWidth) const;
    long RowY(tnInt32 row, long halfHeight) const;
    // The cell under the top-left corner of a sprite centred at (x, y); it
    // may lie outside the field.
    void CellUnder(long x, long y, long halfWidth, long halfHeight, tnInt32& column, tnInt32& row) const;
    // The sprite's top-left corner is exactly on a cell's (inside the field or not).
    bool IsOnCell(long x, long y, long halfWidth, long halfHeight) const;
    bool IsOnField(long x, long y) const; // the point lies within the field's rectangle
    bool IsBeyondField(long x, long y, long halfWidth, long halfHeight) const; // some of the sprite is outside
    // The cell an object on the field belongs to: the one under its sprite's
    // top-left corner; an explosion, which takes its bomb's place, the bomb's.
    tnMap::MapData* HomeCell(skObject& object);
    void Register(skObject& object);
    // Clears the home cell only where it refers to this very object: a cell
    // never keeps a reference to an object that moved or left its list.
    void Unregister(skObject& object);

    // --- Spawning helpers (mygame_spawn.cpp) -------------------------------
    // The local time's seconds, 0 counting as 1: the divisor of every draw.
    static tnUInt32 RandomDivisor();
    static tnUInt32 DrawCoordinate(tnUInt32 divisor, tnUInt32 count);
    // A random top-left cell for a new object among columns x rows; false
    // when no cell without an object is left. The cell that must be free
    // lies `homeOffset` columns and rows further (the object's home cell).
    // `what` names the object in the log ("a fruit", "an object").
    bool FindSpawnCell(tnInt32 columns, tnInt32 rows, tnInt32 homeOffset, const char* what, tnUInt32& column,
                       tnUInt32& row);
    bool ScanForCell(tnInt32 columns, tnInt32 rows, tnInt32 homeOffset, bool placeableOnly, tnUInt32& column,
                     tnUInt32& row);
    skObject* PutObject(tnSingleList<skObject>& list, skObject* object, tnABO& abo, skObject::ObjectType kind,
                        long x, long y, tnUInt16 life);

    // --- Dispatch and play states (mygame.cpp) -------------------------
    void ApplyGameSpeedDelay() const;
    void HoldDesktopForPlay();
    void ProcessInit();
    void PauseGame();
    void EnterPause(); // mygame_play.cpp, as P does
    void ProcessLostOneLife(tnReal32 step);
    void ProcessLost(tnReal32 step);
    void ProcessLevelComplete(tnReal32 step);
    void PayBonusPart();
    void StopMusicIfPlaying();
    void ContinueMusicIfStopped();
    // The menu's sounds play even with the sound option off; the bonus
    // count-up's gold loops until the next sound cuts it.
    enum SoundRule { IfSoundOn, Always, LoopIfSoundOn };
    void PlayGameSound(GameSound sound, SoundRule rule);

    // --- Play step (mygame_play.cpp) -------------------------------------
    tnError32 ProcessFrame(tnReal32 step);
    void Steer();
    bool IsDirectionKeyDown(ANIMATION_DATA::ANIM_SUBTYPES direction);
    void TurnTowards(ANIMATION_DATA::ANIM_SUBTYPES direction);
    // Moves the chain's straight front part by `distance` pixels across a
    // turn to `direction`, so that it meets the grid line.
    void NudgeChain(ANIMATION_DATA::ANIM_SUBTYPES direction, tnInt32 distance);
    bool HandlePlayKeys();
    void TestLevelComplete();
    void UpdateTargets(tnReal32 step);
    void UpdateTempTargets(tnReal32 step);
    // Puts a basket fruit down where it landed; false when the cell cannot hold it.
    bool LandTempTarget(skObject& fruit);
    // A fruit leaving its cell is put elsewhere, or dropped when the field
    // holds more than it should. True when it was dropped from m_kTargets.
    bool RecycleFruit(skObject& fruit);
    void UpdateStatements();
    void ShowStatement(long x, long y, const tnStringC& text, tnUInt32 colour);
    // Only while the point is not above the field.
    void ShowStatementOnField(long x, long y, const tnStringC& text, tnUInt32 colour);

    // --- Collisions and pickups (mygame_collide.cpp) ---------------------
    void HandleSnakeCollision();
    void HandleStaticObjectCollision(tnMap::MapData* cell, long x, long y);
    void HandlePickup(skObject& object);
    void CollectFruit(skObject& fruit);
    void TakeStar(skObject& star);
    void TakeBasket(skObject& basket);
    void EatPoison(skObject& poison, const char* death, const char* cure);
    void TakeMoreFruits(skObject& bonus);
    void TakeAntidote(skObject& antidote);
    void TakeDonation(skObject& box);
    void TakeGold(skObject& gold);
    void TakeAngel(skObject& angel);
    // A used trap or bonus becomes a new random one on a random free cell.
    void RespawnTrap(skObject& trap);
    void ExplodeBomb(skObject& bomb);
    void KillFarmer(const char* text, long x, long y);

    // --- Trap update (mygame_traps.cpp) ----------------------------------
    struct CellRange { tnInt32 left, top, right, bottom; };
    void UpdateTrap(tnReal32 step);
    void BringTrapsBack(tnReal32 step);
    void UpdateOneTrap(skObject& trap, tnReal32 step);
    void UpdateTornado(skObject& tornado, tnReal32 step, tnUInt32 tick);
    void UpdateFire(skObject& fire, tnReal32 step, tnUInt32 tick);
    void UpdateWater(skObject& trap, tnReal32 step, tnUInt32 tick, bool flood);
    void UpdateBomb(skObject& bomb, tnReal32 step, tnUInt32 tick);
    void UpdateExplosion(skObject& explosion, tnReal32 step);
    void UpdateWitchApple(skObject& apple);
    void UpdateLightning(skObject& bolt, tnReal32 step, tnUInt32 tick);
    // The cells a trap's sprite covers, clipped to the field.
    CellRange AreaOf(skObject& trap);
    // True when something in the cell (or the area) was wrecked.
    bool WreckCell(tnInt32 column, tnInt32 row, const WreckRule& rule);
    bool WreckArea(const CellRange& area, const WreckRule& rule);
    bool AnyCellIs(const CellRange& area, bool (*kind)(tnUInt8));
    // The first chain member whose centre lies on a cell of the range.
    tnUInt32 MemberInArea(const CellRange& area);
    void HitChain(tnUInt32 index, skObject& trap, const TrapHit& hit);
    // Plays a trap's looping sound unless it is the one already playing.
    void PlayTrapSound(GameSound sound);

    // --- Resources (mygame_init.cpp) -------------------------------------
    tnError32 InitDirectX(HINSTANCE instance, HWND window, int width, int height);
    tnError32 InitInputDevice(HINSTANCE instance);
    tnError32 InitSoundDevice();
    tnError32 InitGame();
    tnError32 InitIntro();
    void CreateMenuButtons();
    tnError32 LoadAnimationSets();
    tnError32 LoadSounds();
    tnError32 CreateFonts();
    void ReleaseFonts();

    // --- Saved files (mygame_files.cpp) ----------------------------------
    void ReadTopScore();
    void WriteTopScoreIfBeaten();
    void ReadLevelList();
    void AppendLevelTitle(const char* title);

    // --- Layout (mygame_layout.cpp) --------------------------------------
    void ComputeLayout();
    RECT LevelListFrame() const; // the level list's box, centred on the screen

    // --- Screens (mygame_screens.cpp) ------------------------------------
    void RenderMenu1();
    void RenderOption();
    void RenderNewGame();
    void RenderTopScore();
    void RenderHelp();
    void RenderCompleteGame();
    // Returns the height of the text drawn.
    int DrawGameText(ID3DXFont* font, const char* text, RECT rect, DWORD format, D3DCOLOR colour);
    void ClearArea(const RECT& rect, D3DCOLOR colour);
    void NoTexture();
    void DrawBoxWithFrame(const RECT& box);
    RECT BottomBand() const;
    void DrawBottomHint(const char* text);
    void DrawCentredPicture(); // the help surface: a help page or the final picture
    void DrawOptionValue(const RECT& row, const char* value);
    void DrawCheckBox(const RECT& row, bool on);

    // --- Play screen (mygame_render.cpp) ---------------------------------
    void RenderPlayScreen();
    void RenderText();
    void RenderGrids();
    void RenderBolts(tnUInt32 size, tnUInt32 randomness, tnUInt32 x1, tnUInt32 y1, tnUInt32 x2, tnUInt32 y2);
    void RenderOverlay();
    bool RenderFullScreen(); // true when the state has a screen of its own
    bool IsChainShown();     // counts the idle farmer's blinking
    void RenderLevelStart();
    void RenderIcon(tnInt32 cellX, tnInt32 cellY, tnInt32 x, tnInt32 y);
    void RenderStatements();

    // --- Screen input (mygame_menu.cpp) ----------------------------------
    void ProcessMenu1();
    void ProcessOption();
    void ProcessNewGame();
    void ProcessTopScore();
    void ProcessHelp();
    tnError32 UpdateHelp();
    void InitCompleteGame();
    void ProcessCompleteGame();
    void FreeHelpPicture();
    void ActOnMenuButton(tnUInt32 index);
    bool ChangeOption(const RECT& row, bool left, bool right);
    void SaveOptions();
    void CreateLevelList();
    void CloseLevelList();
    void StartPickedLevel(tnInt32 row);
    tnUInt32 ObjectsDigest();
    tnError32 LoadHelpPicture(const char* fileName);

    // --- State and timing --------------------------------------------------
    GameState m_eGameState;
    bool m_bLoadingGame;          // true until Init finishes: the shell shows the loading text
    tnReal32 m_fTimerCount;       // seconds in GameLost and GameHelp
    tnReal32 m_fTimerCount2;      // seconds since the last debounced key in play and pause
    tnReal32 m_fTimerCount3;      // seconds in GameLevelComplete; 0 on its first frame
    tnUInt32 m_iPrevKeyPress;     // key code last acted on, NoKey for none
    bool m_bJustFinishedLevel;    // a level was won: the next one may be unlocked
    bool m_bLoadedTopScore;       // the top-score screen has read the file once
    tnUInt32 m_iIdleTimes;        // frames the idle farmer has blinked
    bool m_bCannotRun;            // a file the game needs failed: the program ends in error

    // --- Player and progress ---------------------------------------------
    tnUInt16 m_iPlayerLife;
    tnUInt16 m_iPlayerMaxLife;
    tnUInt16 m_iCurrentLevel;
    tnUInt16 m_iAvailableLevel;   // levels unlocked so far
    tnUInt32 m_iGold;
    tnUInt32 m_iHighestGold;
    tnUInt32 m_iBonus;
    tnUInt32 m_iBonusLeft;        // part of the bonus not yet paid
    tnUInt8 m_iAntidote;
    bool m_bDying;
    tnUInt16 m_iObjectiveTargets; // the level is won when the chain is longer
    ANIMATION_DATA::ANIM_SUBTYPES m_eNextDirection; // turn waiting for the grid

    // --- Level and spawning parameters -----------------------------------
    tnUInt16 m_iSampleTargets;
    tnUInt16 m_iSampleTraps;
    tnUInt16 m_iAvailableTargets;
    tnUInt16 m_iAvailableTraps;
    tnUInt16 m_iMaxTargetsOnScreen;
    tnUInt16 m_iTargets;
    tnUInt16 m_iTraps;
    tnUInt16 m_iTargetLife;
    tnUInt16 m_iTrapLife;
    tnUInt16 m_iMarginLife;
    bool m_bTrapDisappear;
    bool m_bTrapRegenerate;       // new fruits fly out of a basket
    tnReal32 m_fTrapDisappearTime;
    tnUInt8 m_iTempTargetIterations;
    tnUInt8 m_iTempTargetCurrentIteration;
    char m_strCurrentMusic[MusicNameSize];

    // --- Layout ------------------------------------------------------------
    tnUInt16 m_iGridSize;
    tnUInt8 m_iBoltSize;          // free margin round the field for the lightning border
    tnUInt16 m_iXGrids;
    tnUInt16 m_iYGrids;
    tnInt32 m_iFontHeight;
    tnInt32 m_iFontWidth;
    tnInt32 m_iFontHeight2;
    tnInt32 m_iFontWidth2;
    tnInt32 m_iFontHeight3;
    tnInt32 m_iFontWidth3;
    RECT m_rectMainPanel;         // the play field
    RECT m_rectNextPanel;         // level title and text
    RECT m_rectResultPanel;       // statistics
    RECT m_rectScorePanel;        // top score
    RECT m_rectOptionPanel;
    RECT m_rectOptionMusicPanel;
    RECT m_rectOptionSoundPanel;
    RECT m_rectOptionGridPanel;
    RECT m_rectOptionSpeedPanel;
    RECT m_rectOptionPlayerSpeedPanel;
    RECT m_rectSelected;          // the highlighted option row

    // --- Options (for this run only) ---------------------------------------
    Options m_kOptions;
    Options m_kOldOptions;        // taken when the options open; Escape restores it
    tnUInt16 m_iVolume;
    GameSound m_eCurrentSound;    // the looping trap sound now playing

    // --- Help --------------------------------------------------------------
    tnUInt16 m_iCurrentHelpPage;  // 0: none loaded; pages count from 1
    tnUInt16 m_iTotalHelpPages;

    // --- Devices -----------------------------------------------------------
    tnInputManager m_kInputManager;
    tnKeyboard m_kKeyboard;
    tnMouse m_kMouse;
    tnSoundManager m_kSoundManager;
    tnSound m_kSound;             // the one effect player
    tnVector<tnSound::WaveData> vecWaveList;
    tnMidiPlay m_kMidiPlay;

    // --- Field and objects -------------------------------------------------
    tnMap m_kMap;
    skSnake m_kSnake;
    tnSingleList<skObject> m_kTargets;
    tnSingleList<skObject> m_kTraps;
    tnSingleList<skObject> m_kTempTargets; // fruits flying out of a basket
    tnVector<tnUInt16> vecFruitList;       // the level's fruit samples
    tnVector<tnUInt16> vecObjectList;      // the level's trap and bonus samples
    tnVector<tnStatement> m_vStatementList;

    // --- Pictures and animation sets ----------------------------------------
    tnTexture m_kStaticTexture;
    tnTexture m_kCheckTexture;
    tnTexture m_kLongButtonTexture;
    tnTexture m_kPlayerTexture;
    tnTexture m_kTargetTexture1;
    tnTexture m_kTrapTexture1;
    tnTexture m_kTrapTexture2;
    tnTexture m_kTrapTexture3;
    tnSurface m_kBG1Surface;
    tnSurface m_kBG2Surface;
    tnSurface m_kBG3Surface;
    tnSurface m_kHelpSurface; // a help page or the final picture
    tnABO m_kPlayerABO;
    tnAnimation* m_pkPlayerAnimationSet; // owned (array)
    tnVector<tnABO> m_kTargetABOList;
    tnVector<tnAnimation*> m_kAnimationTargetList; // owned arrays
    tnVector<tnABO> m_kTrapABOList;
    tnVector<tnAnimation*> m_kAnimationTrapList;   // owned arrays

    // --- Widgets -----------------------------------------------------------
    tnVector<tnButton> m_kMenu1Buttons;
    tnButton m_kBackButton;       // "Save" on the options screen
    tnCombolist* m_pkComboList;   // owned; exists only in GameNew

    // --- The desktop --------------------------------------------------------
    bool m_bHoldingDesktop = false; // pointer hidden and screensaver held off, in play
};

#endif
