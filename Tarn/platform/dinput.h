#ifndef PLATFORM_DINPUT_H
#define PLATFORM_DINPUT_H

// DirectInput 8, the part the engine uses: the keyboard as a 256-byte state
// indexed by DIK codes and the mouse as buffered DIDEVICEOBJECTDATA records.
// Both devices are foreground and non-exclusive: they lose their input when
// the window loses focus and cannot be acquired while it is in the background.
// The keyboard also reports the game controllers' d-pad, left stick, Start and
// Back as the arrow keys, P and Escape.

#include "comobject.h"
#include "win32.h"

#include <deque>
#include <memory>

namespace platform {
class GamePads;
}

#define DIRECTINPUT_VERSION 0x0800

// Results.
#define DI_OK S_OK
#define DI_BUFFEROVERFLOW S_FALSE
#define DI_NOEFFECT S_FALSE
#define DIERR_INPUTLOST HResultFromBits(0x8007001Eu)
#define DIERR_INVALIDPARAM E_INVALIDARG
#define DIERR_NOTACQUIRED HResultFromBits(0x8007000Cu)
#define DIERR_NOTINITIALIZED HResultFromBits(0x80070015u)
#define DIERR_OTHERAPPHASPRIO HResultFromBits(0x80070005u)
#define DIERR_ACQUIRED HResultFromBits(0x800700AAu)
#define DIERR_NOTBUFFERED HResultFromBits(0x80040207u)
#define DIERR_DEVICENOTREG HResultFromBits(0x80040154u)
#define DIERR_UNSUPPORTED HResultFromBits(0x80004001u)

// Cooperative levels.
#define DISCL_EXCLUSIVE 0x00000001
#define DISCL_NONEXCLUSIVE 0x00000002
#define DISCL_FOREGROUND 0x00000004
#define DISCL_BACKGROUND 0x00000008

// Mouse object offsets in the DIMOUSESTATE layout.
#define DIMOFS_X 0
#define DIMOFS_Y 4
#define DIMOFS_Z 8
#define DIMOFS_BUTTON0 12
#define DIMOFS_BUTTON1 13
#define DIMOFS_BUTTON2 14
#define DIMOFS_BUTTON3 15

// A wheel notch, as Windows counts it.
#define WHEEL_DELTA 120

struct DIDEVICEOBJECTDATA {
    DWORD dwOfs;
    DWORD dwData;
    DWORD dwTimeStamp;
    DWORD dwSequence;
    std::uint32_t uAppData; // pointer-sized on Windows; the engine's records are 20 bytes
};
typedef DIDEVICEOBJECTDATA* LPDIDEVICEOBJECTDATA;

struct DIPROPHEADER {
    DWORD dwSize;
    DWORD dwHeaderSize;
    DWORD dwObj;
    DWORD dwHow;
};
typedef const DIPROPHEADER* LPCDIPROPHEADER;

struct DIPROPDWORD {
    DIPROPHEADER diph;
    DWORD dwData;
};

#define DIPH_DEVICE 0
// Property ids are small integers passed where a GUID reference is expected.
struct DIPropertyId {
    int id;
};
#define DIPROP_BUFFERSIZE (DIPropertyId{1})

struct DIDATAFORMAT {
    DWORD dwSize;
    DWORD dwObjSize;
    DWORD dwFlags;
    DWORD dwDataSize;
    DWORD dwNumObjs;
};
typedef const DIDATAFORMAT* LPCDIDATAFORMAT;
#define DIDF_ABSAXIS 0x00000001
#define DIDF_RELAXIS 0x00000002

extern const DIDATAFORMAT c_dfDIKeyboard; // 256 bytes of key state
extern const DIDATAFORMAT c_dfDIMouse;    // DIMOUSESTATE: 16 bytes, 7 objects, relative axes

extern const GUID GUID_SysKeyboard;
extern const GUID GUID_SysMouse;
extern const IID IID_IDirectInput8A;

// One device: the system keyboard or the system mouse.
class IDirectInputDevice8A : public platform::ComObject {
public:
    HRESULT SetDataFormat(LPCDIDATAFORMAT format);
    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    HRESULT SetProperty(const DIPropertyId& property, LPCDIPROPHEADER header);
    HRESULT Acquire();
    HRESULT Unacquire();
    // The keyboard's 256-byte state.
    HRESULT GetDeviceState(DWORD size, LPVOID data);
    // Buffered records: *count in = room in data, out = records taken.
    // A null data pointer with *count INFINITE flushes the buffer.
    HRESULT GetDeviceData(DWORD recordSize, LPDIDEVICEOBJECTDATA data, DWORD* count, DWORD flags);

    // The stand-in's own side: what the window system reports.
    void OnKey(int dik, bool down);
    void OnMotion(int dx, int dy, DWORD time);
    void OnButton(int button, bool down, DWORD time);
    void OnWheel(int notches, DWORD time);
    void OnFocusLost();
    bool IsKeyboard() const { return m_bKeyboard; }

private:
    friend class IDirectInput8A;
    explicit IDirectInputDevice8A(bool keyboard);
    ~IDirectInputDevice8A() override;
    void Append(DWORD offset, DWORD data, DWORD time);

    bool m_bKeyboard;
    const DIDATAFORMAT* m_pkFormat = nullptr;
    HWND m_hWindow = nullptr;
    DWORD m_iCooperation = 0;
    bool m_bAcquired = false;
    bool m_bLost = false; // taken away by the window system, not unacquired by us
    BYTE m_aKeys[256] = {}; // the real keys; the pads keep theirs, the state is the union
    std::unique_ptr<platform::GamePads> m_pkPads; // the keyboard's only
    std::deque<DIDEVICEOBJECTDATA> m_kBuffer;
    DWORD m_iBufferSize = 0;
    bool m_bOverflow = false;
    DWORD m_iSequence = 0;
    int m_iListener = 0;
};
typedef IDirectInputDevice8A* LPDIRECTINPUTDEVICE8A;

class IDirectInput8A : public platform::ComObject {
public:
    HRESULT CreateDevice(REFGUID device, LPDIRECTINPUTDEVICE8A* result, LPUNKNOWN outer);

private:
    friend HRESULT DirectInput8Create(HINSTANCE, DWORD, REFIID, LPVOID*, LPUNKNOWN);
    IDirectInput8A();
    ~IDirectInput8A() override;
};
typedef IDirectInput8A* LPDIRECTINPUT8A;

HRESULT DirectInput8Create(HINSTANCE instance, DWORD version, REFIID iid, LPVOID* result, LPUNKNOWN outer);

// DIK key codes: the keyboard's scan codes, as DirectInput numbers them.
#define DIK_ESCAPE 0x01
#define DIK_1 0x02
#define DIK_2 0x03
#define DIK_3 0x04
#define DIK_4 0x05
#define DIK_5 0x06
#define DIK_6 0x07
#define DIK_7 0x08
#define DIK_8 0x09
#define DIK_9 0x0A
#define DIK_0 0x0B
#define DIK_MINUS 0x0C
#define DIK_EQUALS 0x0D
#define DIK_BACK 0x0E
#define DIK_TAB 0x0F
#define DIK_Q 0x10
#define DIK_W 0x11
#define DIK_E 0x12
#define DIK_R 0x13
#define DIK_T 0x14
#define DIK_Y 0x15
#define DIK_U 0x16
#define DIK_I 0x17
#define DIK_O 0x18
#define DIK_P 0x19
#define DIK_LBRACKET 0x1A
#define DIK_RBRACKET 0x1B
#define DIK_RETURN 0x1C
#define DIK_LCONTROL 0x1D
#define DIK_A 0x1E
#define DIK_S 0x1F
#define DIK_D 0x20
#define DIK_F 0x21
#define DIK_G 0x22
#define DIK_H 0x23
#define DIK_J 0x24
#define DIK_K 0x25
#define DIK_L 0x26
#define DIK_SEMICOLON 0x27
#define DIK_APOSTROPHE 0x28
#define DIK_GRAVE 0x29
#define DIK_LSHIFT 0x2A
#define DIK_BACKSLASH 0x2B
#define DIK_Z 0x2C
#define DIK_X 0x2D
#define DIK_C 0x2E
#define DIK_V 0x2F
#define DIK_B 0x30
#define DIK_N 0x31
#define DIK_M 0x32
#define DIK_COMMA 0x33
#define DIK_PERIOD 0x34
#define DIK_SLASH 0x35
#define DIK_RSHIFT 0x36
#define DIK_MULTIPLY 0x37
#define DIK_LMENU 0x38
#define DIK_SPACE 0x39
#define DIK_CAPITAL 0x3A
#define DIK_F1 0x3B
#define DIK_F2 0x3C
#define DIK_F3 0x3D
#define DIK_F4 0x3E
#define DIK_F5 0x3F
#define DIK_F6 0x40
#define DIK_F7 0x41
#define DIK_F8 0x42
#define DIK_F9 0x43
#define DIK_F10 0x44
#define DIK_NUMLOCK 0x45
#define DIK_SCROLL 0x46
#define DIK_NUMPAD7 0x47
#define DIK_NUMPAD8 0x48
#define DIK_NUMPAD9 0x49
#define DIK_SUBTRACT 0x4A
#define DIK_NUMPAD4 0x4B
#define DIK_NUMPAD5 0x4C
#define DIK_NUMPAD6 0x4D
#define DIK_ADD 0x4E
#define DIK_NUMPAD1 0x4F
#define DIK_NUMPAD2 0x50
#define DIK_NUMPAD3 0x51
#define DIK_NUMPAD0 0x52
#define DIK_DECIMAL 0x53
#define DIK_OEM_102 0x56
#define DIK_F11 0x57
#define DIK_F12 0x58
#define DIK_F13 0x64
#define DIK_F14 0x65
#define DIK_F15 0x66
#define DIK_NUMPADEQUALS 0x8D
#define DIK_NEXTTRACK 0x99
#define DIK_NUMPADENTER 0x9C
#define DIK_RCONTROL 0x9D
#define DIK_MUTE 0xA0
#define DIK_PLAYPAUSE 0xA2
#define DIK_MEDIASTOP 0xA4
#define DIK_VOLUMEDOWN 0xAE
#define DIK_VOLUMEUP 0xB0
#define DIK_NUMPADCOMMA 0xB3
#define DIK_DIVIDE 0xB5
#define DIK_SYSRQ 0xB7
#define DIK_RMENU 0xB8
#define DIK_PAUSE 0xC5
#define DIK_HOME 0xC7
#define DIK_UP 0xC8
#define DIK_PRIOR 0xC9
#define DIK_LEFT 0xCB
#define DIK_RIGHT 0xCD
#define DIK_END 0xCF
#define DIK_DOWN 0xD0
#define DIK_NEXT 0xD1
#define DIK_INSERT 0xD2
#define DIK_DELETE 0xD3
#define DIK_LWIN 0xDB
#define DIK_RWIN 0xDC
#define DIK_APPS 0xDD
#define DIK_POWER 0xDE
#define DIK_SLEEP 0xDF
#define DIK_PREVTRACK 0x90

#endif
