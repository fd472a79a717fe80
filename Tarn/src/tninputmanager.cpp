#include "tninputmanager.h"

#include <cassert>

tnInputManager* tnInputManager::m_pkSingleton = nullptr;

tnInputManager::tnInputManager()
    : m_pkInput(nullptr)
{
    assert(!m_pkSingleton);
    m_pkSingleton = this;
}

tnInputManager::~tnInputManager()
{
    CleanUp();
}

tnError32 tnInputManager::Init(HINSTANCE instance)
{
    if (m_pkInput) {
        m_pkInput->Release();
        m_pkInput = nullptr;
    }
    void* input = nullptr;
    if (FAILED(DirectInput8Create(instance, DIRECTINPUT_VERSION, IID_IDirectInput8A, &input, nullptr)))
        return tnErrorCreateInput;
    m_pkInput = static_cast<IDirectInput8A*>(input);
    return tnOK;
}

tnInputManager* tnInputManager::GetSingleton()
{
    assert(m_pkSingleton);
    return m_pkSingleton;
}

void tnInputManager::CleanUp()
{
    if (m_pkInput) {
        m_pkInput->Release();
        m_pkInput = nullptr;
    }
    if (m_pkSingleton == this)
        m_pkSingleton = nullptr;
}
