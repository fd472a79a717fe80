#include "tnkeyboard.h"

#include "tninputmanager.h"
#include "tninputtap.h"

#include <cstring>

tnKeyboard::tnKeyboard()
    : m_pkDevice(nullptr)
{
    std::memset(m_aKeyState, 0, sizeof(m_aKeyState));
}

tnKeyboard::~tnKeyboard()
{
    CleanUp();
}

tnError32 tnKeyboard::Init(HWND window)
{
    CleanUp(); // a second Init must not leak the first device
    tnInputManager* manager = tnInputManager::GetSingleton();
    IDirectInput8A* input = manager ? manager->GetInput() : nullptr;
    if (!input || FAILED(input->CreateDevice(GUID_SysKeyboard, &m_pkDevice, nullptr)))
        return tnErrorCreateKeyboard;
    if (FAILED(m_pkDevice->SetDataFormat(&c_dfDIKeyboard)))
        return tnErrorKeyboardDataFormat;
    if (FAILED(m_pkDevice->SetCooperativeLevel(window, DISCL_FOREGROUND | DISCL_NONEXCLUSIVE)))
        return tnErrorKeyboardCooperativeLevel;
    m_pkDevice->Acquire(); // may fail until the window comes to the front
    return tnOK;
}

tnError32 tnKeyboard::Update()
{
    tnInputTap* tap = tnInputTap::Get();
    if (!tap)
        return Read();
    tnUInt8 before[KeyCount];
    std::memcpy(before, m_aKeyState, sizeof(before));
    return tap->OnKeyboard(Read(), before, m_aKeyState);
}

tnError32 tnKeyboard::Read()
{
    if (!m_pkDevice)
        return tnErrorKeyboardRead;
    HRESULT result = m_pkDevice->GetDeviceState(sizeof(m_aKeyState), m_aKeyState);
    if (SUCCEEDED(result))
        return tnOK;
    if (result != DIERR_INPUTLOST)
        return tnErrorKeyboardRead;
    return FAILED(m_pkDevice->Acquire()) ? tnErrorKeyboardReacquire : tnOK;
}

bool tnKeyboard::IsButtonDown(tnUInt32 key) const
{
    return key < KeyCount && (m_aKeyState[key] & 0x80) != 0;
}

bool tnKeyboard::IsButtonUp(tnUInt32 key) const
{
    return key < KeyCount && (m_aKeyState[key] & 0x80) == 0;
}

void tnKeyboard::ClearButton(tnUInt32 key)
{
    if (key < KeyCount)
        m_aKeyState[key] = 0;
}

tnError32 tnKeyboard::AcquireDevice()
{
    if (!m_pkDevice || FAILED(m_pkDevice->Acquire()))
        return tnErrorAcquire;
    return tnOK;
}

void tnKeyboard::CleanUp()
{
    if (!m_pkDevice)
        return;
    m_pkDevice->Unacquire();
    m_pkDevice->Release();
    m_pkDevice = nullptr;
}
