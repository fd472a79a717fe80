#include "mygame.h"

MyGame::MyGame()
    : m_eGameState(GameIntro), m_bLoadingGame(true), m_iSpeed(100)
{
}

MyGame::~MyGame()
{
    CleanUp();
}

tnError32 MyGame::Init(HINSTANCE, HWND window, int, int)
{
    m_hWindow = window;
    m_bLoadingGame = false;
    m_bReady = true;
    return tnOK;
}

tnError32 MyGame::InitIntro()
{
    return tnOK;
}

void MyGame::ApplyGameSpeedDelay() const
{
    // A slower game sleeps each frame; the longer frame also lengthens the
    // next step, so everything that moves per update slows down with it.
    if (100 - m_iSpeed > 0)
        Sleep(static_cast<DWORD>(75 - (m_iSpeed / 20) * 15));
}

tnError32 MyGame::ProcessGame(tnReal32)
{
    ApplyGameSpeedDelay();
    switch (m_eGameState) {
    case GameInit:
        m_eGameState = (InitIntro() == tnOK) ? GameMenu : GameQuit;
        break;
    case GameQuit:
        return tnNotOK;
    default:
        break;
    }
    return tnOK;
}

tnError32 MyGame::Render()
{
    // The title screen is drawn once; then the game's data loads.
    if (m_eGameState == GameIntro)
        m_eGameState = GameInit;
    return tnOK;
}

void MyGame::CleanUp()
{
    tnScreen::CleanUp();
}
