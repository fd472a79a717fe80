// DirectInput 8 over SDL's keyboard and mouse events. Each device listens to
// the events the message pump takes; it keeps what arrives while it is
// acquired and loses it all when the window loses focus.
#include "dinput.h"

#include "gamepads.h"
#include "sdl_display.h"
#include "sdl_input.h"
#include "testcontrol.h"

#include <algorithm>
#include <cstring>

const DIDATAFORMAT c_dfDIKeyboard = {sizeof(DIDATAFORMAT), 16, DIDF_RELAXIS, 256, 256};
const DIDATAFORMAT c_dfDIMouse = {sizeof(DIDATAFORMAT), 16, DIDF_RELAXIS, 16, 7};

const GUID GUID_SysKeyboard = {0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_SysMouse = {0x6F1D2B60, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID IID_IDirectInput8A = {0xBF798030, 0x483A, 0x4DA2, {0xAA, 0x99, 0x5D, 0x64, 0xED, 0x36, 0x97, 0x00}};

namespace {

int g_iLiveObjects = 0;

bool IsAxis(DWORD offset)
{
    return offset == DIMOFS_X || offset == DIMOFS_Y || offset == DIMOFS_Z;
}

// SDL's buttons in DirectInput's order: left, right, middle, first extra.
int ButtonFromSdl(Uint8 button)
{
    switch (button) {
    case SDL_BUTTON_LEFT:
        return 0;
    case SDL_BUTTON_RIGHT:
        return 1;
    case SDL_BUTTON_MIDDLE:
        return 2;
    case SDL_BUTTON_X1:
        return 3;
    default:
        return -1;
    }
}

void Deliver(IDirectInputDevice8A* device, const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (device->IsKeyboard())
            device->OnKey(platform::DikFromScancode(event.key.keysym.scancode), event.type == SDL_KEYDOWN);
        break;
    case SDL_MOUSEMOTION:
        if (!device->IsKeyboard())
            device->OnMotion(event.motion.xrel, event.motion.yrel, event.motion.timestamp);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (!device->IsKeyboard())
            device->OnButton(ButtonFromSdl(event.button.button), event.type == SDL_MOUSEBUTTONDOWN,
                             event.button.timestamp);
        break;
    case SDL_MOUSEWHEEL:
        if (!device->IsKeyboard())
            device->OnWheel(event.wheel.y, event.wheel.timestamp);
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST || event.window.event == SDL_WINDOWEVENT_HIDDEN ||
            event.window.event == SDL_WINDOWEVENT_MINIMIZED)
            device->OnFocusLost();
        break;
    default:
        break;
    }
}

} // namespace

namespace platform {
int LiveInputObjects()
{
    return g_iLiveObjects;
}
} // namespace platform

// --- Device ----------------------------------------------------------------

IDirectInputDevice8A::IDirectInputDevice8A(bool keyboard)
    : m_bKeyboard(keyboard)
    , m_pkPads(keyboard ? std::make_unique<platform::GamePads>() : nullptr)
{
    ++g_iLiveObjects;
    m_iListener = platform::AddEventListener([this](const SDL_Event& event) { Deliver(this, event); });
}

IDirectInputDevice8A::~IDirectInputDevice8A()
{
    platform::RemoveEventListener(m_iListener);
    --g_iLiveObjects;
}

HRESULT IDirectInputDevice8A::SetDataFormat(LPCDIDATAFORMAT format)
{
    const DIDATAFORMAT* expected = m_bKeyboard ? &c_dfDIKeyboard : &c_dfDIMouse;
    if (format != expected)
        return DIERR_INVALIDPARAM;
    if (m_bAcquired)
        return DIERR_ACQUIRED;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::SetDataFormat))
        return E_FAIL;
    m_pkFormat = format;
    return DI_OK;
}

HRESULT IDirectInputDevice8A::SetCooperativeLevel(HWND window, DWORD flags)
{
    bool exclusive = (flags & DISCL_EXCLUSIVE) != 0;
    bool foreground = (flags & DISCL_FOREGROUND) != 0;
    bool oneSharing = exclusive != ((flags & DISCL_NONEXCLUSIVE) != 0);
    bool oneWhen = foreground != ((flags & DISCL_BACKGROUND) != 0);
    if (!platform::IsOurWindow(window) || !oneSharing || !oneWhen)
        return DIERR_INVALIDPARAM;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::SetCooperativeLevel))
        return E_FAIL;
    m_hWindow = window;
    m_iCooperation = flags;
    return DI_OK;
}

HRESULT IDirectInputDevice8A::SetProperty(const DIPropertyId& property, LPCDIPROPHEADER header)
{
    if (property.id != DIPROP_BUFFERSIZE.id || !header || header->dwSize != sizeof(DIPROPDWORD) ||
        header->dwHeaderSize != sizeof(DIPROPHEADER) || header->dwHow != DIPH_DEVICE || header->dwObj != 0)
        return DIERR_INVALIDPARAM;
    if (m_bAcquired)
        return DIERR_ACQUIRED;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::SetProperty))
        return E_FAIL;
    m_iBufferSize = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
    while (m_kBuffer.size() > m_iBufferSize)
        m_kBuffer.pop_back();
    return DI_OK;
}

HRESULT IDirectInputDevice8A::Acquire()
{
    if (!m_pkFormat)
        return DIERR_INVALIDPARAM;
    // Foreground devices belong to the focused window only.
    bool background = (m_iCooperation & DISCL_FOREGROUND) && GetForegroundWindow() != m_hWindow;
    if (background || testcontrol::ConsumeFailure(testcontrol::Failure::Acquire))
        return DIERR_OTHERAPPHASPRIO;
    if (m_bAcquired)
        return DI_NOEFFECT;
    m_bAcquired = true;
    m_bLost = false;
    return DI_OK;
}

HRESULT IDirectInputDevice8A::Unacquire()
{
    if (!m_bAcquired)
        return DI_NOEFFECT;
    m_bAcquired = false;
    return DI_OK;
}

HRESULT IDirectInputDevice8A::GetDeviceState(DWORD size, LPVOID data)
{
    if (!m_bKeyboard || !m_pkFormat || !data || size != sizeof(m_aKeys))
        return DIERR_INVALIDPARAM;
    if (!m_bAcquired)
        return m_bLost ? DIERR_INPUTLOST : DIERR_NOTACQUIRED;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::GetDeviceState))
        return E_FAIL;
    std::memcpy(data, m_aKeys, sizeof(m_aKeys));
    m_pkPads->AddHeldKeys(static_cast<BYTE*>(data));
    return DI_OK;
}

HRESULT IDirectInputDevice8A::GetDeviceData(DWORD recordSize, LPDIDEVICEOBJECTDATA data, DWORD* count, DWORD)
{
    if (!count || recordSize != sizeof(DIDEVICEOBJECTDATA) || !m_pkFormat)
        return DIERR_INVALIDPARAM;
    if (m_iBufferSize == 0)
        return DIERR_NOTBUFFERED;
    if (!m_bAcquired)
        return m_bLost ? DIERR_INPUTLOST : DIERR_NOTACQUIRED;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::GetDeviceData))
        return E_FAIL;
    DWORD taken = static_cast<DWORD>(std::min<std::size_t>(*count, m_kBuffer.size()));
    if (data)
        std::copy(m_kBuffer.begin(), m_kBuffer.begin() + taken, data);
    m_kBuffer.erase(m_kBuffer.begin(), m_kBuffer.begin() + taken);
    *count = taken;
    HRESULT result = m_bOverflow ? DI_BUFFEROVERFLOW : DI_OK;
    m_bOverflow = false;
    return result;
}

void IDirectInputDevice8A::OnKey(int dik, bool down)
{
    if (m_bAcquired && dik > 0 && dik < 256)
        m_aKeys[dik] = down ? 0x80 : 0x00;
}

void IDirectInputDevice8A::OnMotion(int dx, int dy, DWORD time)
{
    if (dx != 0)
        Append(DIMOFS_X, static_cast<DWORD>(dx), time);
    if (dy != 0)
        Append(DIMOFS_Y, static_cast<DWORD>(dy), time);
}

void IDirectInputDevice8A::OnButton(int button, bool down, DWORD time)
{
    if (button >= 0 && button <= 3)
        Append(DIMOFS_BUTTON0 + button, down ? 0x80 : 0x00, time);
}

void IDirectInputDevice8A::OnWheel(int notches, DWORD time)
{
    if (notches != 0)
        Append(DIMOFS_Z, static_cast<DWORD>(notches * WHEEL_DELTA), time);
}

void IDirectInputDevice8A::OnFocusLost()
{
    if (!m_bAcquired)
        return;
    m_bAcquired = false;
    m_bLost = true;
    // What happens in the background is not ours: forget held keys and
    // pending records, as a foreground device does.
    std::memset(m_aKeys, 0, sizeof(m_aKeys));
    if (m_pkPads)
        m_pkPads->ReleaseAll();
    m_kBuffer.clear();
}

void IDirectInputDevice8A::Append(DWORD offset, DWORD data, DWORD time)
{
    if (!m_bAcquired || m_iBufferSize == 0)
        return;
    // A fast mouse sends far more motion than a 16-record buffer holds per
    // frame; motion since the last button record is merged per axis so that
    // a click is never pushed out by movement.
    if (IsAxis(offset)) {
        for (auto it = m_kBuffer.rbegin(); it != m_kBuffer.rend() && IsAxis(it->dwOfs); ++it) {
            if (it->dwOfs == offset) {
                it->dwData += data;
                it->dwTimeStamp = time;
                return;
            }
        }
    }
    if (m_kBuffer.size() >= m_iBufferSize) {
        m_bOverflow = true;
        return;
    }
    DIDEVICEOBJECTDATA record = {offset, data, time, ++m_iSequence, 0};
    m_kBuffer.push_back(record);
}

// --- DirectInput object --------------------------------------------------

IDirectInput8A::IDirectInput8A()
{
    ++g_iLiveObjects;
}

IDirectInput8A::~IDirectInput8A()
{
    --g_iLiveObjects;
}

HRESULT IDirectInput8A::CreateDevice(REFGUID device, LPDIRECTINPUTDEVICE8A* result, LPUNKNOWN outer)
{
    if (!result)
        return DIERR_INVALIDPARAM;
    *result = nullptr;
    if (outer)
        return DIERR_INVALIDPARAM;
    bool keyboard = IsEqualGUID(device, GUID_SysKeyboard);
    if (!keyboard && !IsEqualGUID(device, GUID_SysMouse))
        return DIERR_DEVICENOTREG;
    if (testcontrol::ConsumeFailure(keyboard ? testcontrol::Failure::CreateKeyboard : testcontrol::Failure::CreateMouse))
        return DIERR_DEVICENOTREG;
    *result = new IDirectInputDevice8A(keyboard);
    return DI_OK;
}

HRESULT DirectInput8Create(HINSTANCE, DWORD version, REFIID iid, LPVOID* result, LPUNKNOWN outer)
{
    if (!result)
        return DIERR_INVALIDPARAM;
    *result = nullptr;
    if (outer || !IsEqualGUID(iid, IID_IDirectInput8A) || version != DIRECTINPUT_VERSION)
        return DIERR_INVALIDPARAM;
    if (testcontrol::ConsumeFailure(testcontrol::Failure::DirectInput8Create))
        return DIERR_NOTINITIALIZED;
    *result = new IDirectInput8A();
    return DI_OK;
}
