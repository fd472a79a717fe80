#include "mygame.h"

// Placeholder bodies until the play screen is drawn.
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
    return tnOK;
}
void MyGame::RenderPlayScreen() {}
void MyGame::RenderText() {}
void MyGame::RenderGrids() {}
void MyGame::RenderBolts(tnUInt32, tnUInt32, tnUInt32, tnUInt32, tnUInt32, tnUInt32) {}
void MyGame::RenderOverlay() {}
void MyGame::RenderStatements() {}
