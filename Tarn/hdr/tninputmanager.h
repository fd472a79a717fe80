#ifndef TNINPUTMANAGER_H
#define TNINPUTMANAGER_H

#include "dinput.h"
#include "tnerror.h"

// Owns the DirectInput object that the keyboard and the mouse make their
// devices from. One per process.
class tnInputManager {
public:
    tnInputManager();
    ~tnInputManager();
    tnInputManager(const tnInputManager&) = delete;
    tnInputManager& operator=(const tnInputManager&) = delete;

    tnError32 Init(HINSTANCE instance);
    IDirectInput8A* GetInput() const { return m_pkInput; }
    static tnInputManager* GetSingleton();
    // Safe to call more than once.
    void CleanUp();

private:
    IDirectInput8A* m_pkInput;

    static tnInputManager* m_pkSingleton;
};

#endif
