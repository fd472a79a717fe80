#include "messagepump.h"

#include "win32.h"

void PumpWindowMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            break;
        DispatchMessageA(&message);
    }
}
