#ifndef MYGAME_H
#define MYGAME_H

#include "tnerror.h"
#include "tnscreen.h"
#include "win32.h"

// The game: one object, held by the application window, driven once per
// frame through ProcessGame and Render.
class MyGame : public tnScreen {
public:
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

    MyGame();
    virtual ~MyGame();

    tnError32 Init(HINSTANCE instance, HWND window, int width, int height);
    tnError32 InitIntro();
    bool IsLoading() const { return m_bLoadingGame; }
    tnError32 ProcessGame(tnReal32 step);

    tnError32 ConfirmDevice(D3DCAPS8* caps, DWORD behaviour, D3DFORMAT format) override;
    tnError32 RestoreDeviceObjects() override;
    tnError32 Render() override;
    void CleanUp() override;

    GameState GetGameState() const { return m_eGameState; }
    void SetGameState(GameState state) { m_eGameState = state; }
    signed char GetSpeed() const { return m_iSpeed; }
    void SetSpeed(signed char speed) { m_iSpeed = speed; }

private:
    tnError32 InitDirectX(HINSTANCE instance, HWND window, int width, int height);
    void ApplyGameSpeedDelay() const;

    GameState m_eGameState;
    bool m_bLoadingGame;
    signed char m_iSpeed; // game speed in percent: 20, 40, 60, 80 or 100
};

#endif
