#include "mygame.h"

// Placeholder bodies until the screens are drawn.
void MyGame::RenderMenu1() {}
void MyGame::RenderOption() {}
void MyGame::RenderNewGame() {}
void MyGame::RenderTopScore() {}
void MyGame::RenderHelp() {}
void MyGame::RenderCompleteGame() {}
