#ifndef TESTS_MESSAGEPUMP_H
#define TESTS_MESSAGEPUMP_H

// Delivers the window messages waiting (injected keys, clicks, focus), as
// the program's loop does before each frame; stops at a quit.
void PumpWindowMessages();

#endif
