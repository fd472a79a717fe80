#include "mygame.h"

// Placeholder bodies until spawning works.
bool MyGame::CreateFruit(skObject*, skObject::ObjectType, long, long, bool) { return true; }
bool MyGame::CreateObject(skObject*, skObject::ObjectType, long, long, bool) { return true; }
