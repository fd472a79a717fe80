#include "mygame.h"

// Placeholder bodies until the screens take input.
void MyGame::ProcessMenu1() {}
void MyGame::ProcessOption() {}
void MyGame::ProcessNewGame() {}
void MyGame::ProcessTopScore() {}
void MyGame::ProcessHelp() {}
tnError32 MyGame::UpdateHelp() { return tnNotOK; }
void MyGame::InitCompleteGame() {}
void MyGame::ProcessCompleteGame() {}
void MyGame::FreeHelpPicture() {}
