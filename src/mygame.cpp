#include "mygame.h"

#include "tnlog.h"

MyGame::MyGame()
    : m_eGameState(GameIntro), m_bLoadingGame(true), m_iSpeed(100)
{
}

MyGame::~MyGame()
{
    CleanUp();
}

tnError32 MyGame::Init(HINSTANCE instance, HWND window, int width, int height)
{
    m_hWindow = window;
    tnError32 result = InitDirectX(instance, window, width, height);
    if (result == tnOK)
        result = InitDeviceObjects();
    if (result == tnOK)
        result = RestoreDeviceObjects();
    m_bLoadingGame = false;
    m_bReady = true;
    return result;
}

tnError32 MyGame::InitDirectX(HINSTANCE, HWND window, int width, int height)
{
    tnError32 result = InitD3D(window);
    if (result != tnOK) {
        Log("Error: InitD3D(), in MyGame::InitDirectX()\n");
        return result;
    }
    result = InitD3DDevice(true, static_cast<tnUInt16>(width), static_cast<tnUInt16>(height), 32);
    if (result != tnOK) {
        Log("Error: InitD3DDevice(), in MyGame::InitDirectX()\n");
        return result;
    }
    Log("Success: InitD3DDevice(), in MyGame::InitDirectX()\n");
    Log("Success: InitDirectX(), in MyGame::InitDirectX()\n");
    m_bReady = false;
    return tnOK;
}

tnError32 MyGame::ConfirmDevice(D3DCAPS8* caps, DWORD, D3DFORMAT)
{
    // The tiles and sprites are drawn with wrapping texture coordinates.
    if (caps && (caps->TextureAddressCaps & D3DPTADDRESSCAPS_WRAP))
        return tnOK;
    return tnNotOK;
}

tnError32 MyGame::RestoreDeviceObjects()
{
    // Colour-keyed texels have alpha 0: only alpha >= 1 reaches the screen.
    m_pkD3DDevice->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    m_pkD3DDevice->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
    m_pkD3DDevice->SetRenderState(D3DRS_ALPHAREF, 1);
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
    if (m_eGameState == GameIntro) {
        m_eGameState = GameInit;
        return tnOK;
    }
    if (m_eGameState == GameQuit)
        return tnOK;
    if (!m_bReady || RecoverDevice() != tnOK)
        return tnErrorRender;
    return tnOK;
}

void MyGame::CleanUp()
{
    if (m_pkD3DDevice) {
        InvalidateDeviceObjects();
        DeleteDeviceObjects();
        m_pkD3DDevice->SetTexture(0, nullptr);
    }
    tnScreen::CleanUp();
}
