#include "mygame.h"

// Placeholder bodies until levels load.
bool MyGame::LoadLevel(unsigned short) { return false; }
void MyGame::NewGame() {}
