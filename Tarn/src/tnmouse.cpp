#include "tnmouse.h"

#include "tninputmanager.h"
#include "tninputtap.h"

#include <cstring>

tnUInt32 tnMouse::ms_iX = 0;
tnUInt32 tnMouse::ms_iY = 0;
tnUInt32 tnMouse::ms_iXAxis = 0;
tnUInt32 tnMouse::ms_iYAxis = 0;

namespace {
const DWORD kBufferedRecords = 16;

bool IsAxis(DWORD offset)
{
    return offset == DIMOFS_X || offset == DIMOFS_Y || offset == DIMOFS_Z;
}
} // namespace

tnMouse::tnMouse()
    : m_pkDevice(nullptr)
{
    std::memset(m_akSlots, 0, sizeof(m_akSlots));
}

tnMouse::~tnMouse()
{
    CleanUp();
}

tnError32 tnMouse::Init(HWND window)
{
    CleanUp(); // a second Init must not leak the first device
    tnInputManager* manager = tnInputManager::GetSingleton();
    IDirectInput8A* input = manager ? manager->GetInput() : nullptr;
    if (!input || FAILED(input->CreateDevice(GUID_SysMouse, &m_pkDevice, nullptr)))
        return tnErrorCreateMouse;
    if (FAILED(m_pkDevice->SetDataFormat(&c_dfDIMouse)))
        return tnErrorMouseDataFormat;
    if (FAILED(m_pkDevice->SetCooperativeLevel(window, DISCL_FOREGROUND | DISCL_NONEXCLUSIVE)))
        return tnErrorMouseCooperativeLevel;
    DIPROPDWORD property = {};
    property.diph.dwSize = sizeof(DIPROPDWORD);
    property.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    property.diph.dwObj = 0;
    property.diph.dwHow = DIPH_DEVICE;
    property.dwData = kBufferedRecords;
    if (FAILED(m_pkDevice->SetProperty(DIPROP_BUFFERSIZE, &property.diph)))
        return tnErrorMouseProperty;
    m_pkDevice->Acquire(); // may fail until the window comes to the front
    return tnOK;
}

// At most one record into the slot; lost input is re-acquired and read once more.
tnError32 tnMouse::ReadSlot(DIDEVICEOBJECTDATA& slot)
{
    DWORD count = 1;
    HRESULT result = m_pkDevice->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), &slot, &count, 0);
    if (SUCCEEDED(result))
        return tnOK;
    if (result != DIERR_INPUTLOST || FAILED(m_pkDevice->Acquire()))
        return tnErrorMouseRead;
    count = 1;
    result = m_pkDevice->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), &slot, &count, 0);
    return SUCCEEDED(result) ? tnOK : tnErrorMouseRead;
}

tnError32 tnMouse::Update()
{
    tnInputTap* tap = tnInputTap::Get();
    if (!tap)
        return Read();
    DIDEVICEOBJECTDATA before[SlotCount];
    std::memcpy(before, m_akSlots, sizeof(before));
    return tap->OnMouse(Read(), before, m_akSlots);
}

tnError32 tnMouse::Read()
{
    if (!m_pkDevice)
        return tnErrorMouseRead;
    for (DIDEVICEOBJECTDATA& slot : m_akSlots) {
        // An axis slot that gets nothing this frame must not move again.
        if (IsAxis(slot.dwOfs))
            slot.dwData = 0;
        tnError32 result = ReadSlot(slot);
        if (result != tnOK)
            return result;
    }
    return tnOK;
}

DWORD tnMouse::ButtonOffset(tnUInt32 button)
{
    switch (button) {
    case 1:
        return DIMOFS_BUTTON1;
    case 2:
        return DIMOFS_BUTTON2;
    case 3:
        return DIMOFS_BUTTON3;
    default:
        return DIMOFS_BUTTON0;
    }
}

bool tnMouse::IsButtonDown(tnUInt32 button) const
{
    DWORD offset = ButtonOffset(button);
    for (const DIDEVICEOBJECTDATA& slot : m_akSlots) {
        if (slot.dwOfs == offset && (slot.dwData & 0x80))
            return true;
    }
    return false;
}

bool tnMouse::IsButtonUp(tnUInt32 button) const
{
    DWORD offset = ButtonOffset(button);
    for (const DIDEVICEOBJECTDATA& slot : m_akSlots) {
        if (slot.dwOfs == offset && !(slot.dwData & 0x80))
            return true;
    }
    return false;
}

tnUInt32 tnMouse::SumOf(DWORD offset) const
{
    tnUInt32 sum = 0;
    for (const DIDEVICEOBJECTDATA& slot : m_akSlots) {
        if (slot.dwOfs == offset)
            sum += slot.dwData; // negative motion arrives as two's complement
    }
    return sum;
}

tnUInt32 tnMouse::GetXAxis()
{
    ms_iXAxis += SumOf(DIMOFS_X);
    return ms_iXAxis;
}

tnUInt32 tnMouse::GetYAxis()
{
    ms_iYAxis += SumOf(DIMOFS_Y);
    return ms_iYAxis;
}

tnUInt32 tnMouse::GetZAxis() const
{
    return SumOf(DIMOFS_Z);
}

tnError32 tnMouse::Clear()
{
    std::memset(m_akSlots, 0, sizeof(m_akSlots));
    if (!m_pkDevice)
        return tnErrorMouseRead;
    DWORD count = INFINITE;
    if (FAILED(m_pkDevice->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), nullptr, &count, 0)))
        return tnErrorMouseRead;
    return tnOK;
}

tnError32 tnMouse::AcquireDevice()
{
    if (!m_pkDevice || FAILED(m_pkDevice->Acquire()))
        return tnErrorAcquire;
    return tnOK;
}

void tnMouse::CleanUp()
{
    if (!m_pkDevice)
        return;
    m_pkDevice->Unacquire();
    m_pkDevice->Release();
    m_pkDevice = nullptr;
}

void tnMouse::SetPosition(tnUInt32 x, tnUInt32 y)
{
    ms_iX = x;
    ms_iY = y;
}

tnUInt32 tnMouse::GetX()
{
    return ms_iX;
}

tnUInt32 tnMouse::GetY()
{
    return ms_iY;
}
