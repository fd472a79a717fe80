// The DirectInput stand-in: keys by DIK code, game pads as keys, buffered
// mouse records, foreground acquisition and injected failures.
#include "dinput.h"
#include "input_test_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

class DirectInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        void* input = nullptr;
        ASSERT_EQ(DI_OK, DirectInput8Create(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput8A, &input, nullptr));
        m_pkInput = static_cast<IDirectInput8A*>(input);
    }
    void TearDown() override
    {
        for (IDirectInputDevice8A* device : m_kDevices)
            device->Release();
        m_pkInput->Release();
        EXPECT_EQ(0, testcontrol::LiveInputObjects());
    }

    IDirectInputDevice8A* Make(REFGUID which, const DIDATAFORMAT* format, DWORD bufferSize = 0)
    {
        IDirectInputDevice8A* device = nullptr;
        EXPECT_EQ(DI_OK, m_pkInput->CreateDevice(which, &device, nullptr));
        m_kDevices.push_back(device);
        EXPECT_EQ(DI_OK, device->SetDataFormat(format));
        EXPECT_EQ(DI_OK, device->SetCooperativeLevel(m_kWindow.Handle(), DISCL_FOREGROUND | DISCL_NONEXCLUSIVE));
        if (bufferSize) {
            DIPROPDWORD property = {{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, bufferSize};
            EXPECT_EQ(DI_OK, device->SetProperty(DIPROP_BUFFERSIZE, &property.diph));
        }
        EXPECT_EQ(DI_OK, device->Acquire());
        return device;
    }

    InputTestWindow m_kWindow;
    IDirectInput8A* m_pkInput = nullptr;
    std::vector<IDirectInputDevice8A*> m_kDevices;
};

std::vector<DIDEVICEOBJECTDATA> ReadOneByOne(IDirectInputDevice8A* mouse)
{
    std::vector<DIDEVICEOBJECTDATA> records;
    for (;;) {
        DIDEVICEOBJECTDATA record = {};
        DWORD count = 1;
        EXPECT_TRUE(SUCCEEDED(mouse->GetDeviceData(sizeof(record), &record, &count, 0)));
        if (count == 0)
            return records;
        records.push_back(record);
    }
}

// The DIK codes held down in the keyboard's state, after one pump.
std::vector<int> HeldKeys(IDirectInputDevice8A* keyboard)
{
    InputTestWindow::Pump();
    BYTE state[256] = {};
    EXPECT_EQ(DI_OK, keyboard->GetDeviceState(sizeof(state), state));
    std::vector<int> held;
    for (int dik = 0; dik < 256; ++dik) {
        if (state[dik] & 0x80)
            held.push_back(dik);
    }
    return held;
}

} // namespace

TEST_F(DirectInputTest, APadIsTheArrowKeysPAndEscapeIndependentlyOfTheKeyboard)
{
    IDirectInputDevice8A* keyboard = Make(GUID_SysKeyboard, &c_dfDIKeyboard);
    using namespace testcontrol;
    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<int> held;
    };
    const Step steps[] = {
        {"d-pad up", [] { PadButton(PadUp, true); }, {DIK_UP}},
        {"d-pad up and right", [] { PadButton(PadRight, true); }, {DIK_UP, DIK_RIGHT}},
        {"d-pad let go", [] { PadButton(PadUp, false); PadButton(PadRight, false); }, {}},
        {"d-pad down", [] { PadButton(PadDown, true); }, {DIK_DOWN}},
        {"d-pad left", [] { PadButton(PadDown, false); PadButton(PadLeft, true); }, {DIK_LEFT}},
        {"Start and Back", [] { PadButton(PadLeft, false); PadButton(PadStart, true); PadButton(PadBack, true); },
         {DIK_ESCAPE, DIK_P}},
        {"A is Space", [] { PadButton(PadStart, false); PadButton(PadBack, false); PadButton(PadA, true); },
         {DIK_SPACE}},
        {"B is Escape", [] { PadButton(PadA, false); PadButton(PadB, true); }, {DIK_ESCAPE}},
        {"X stands for no key", [] { PadButton(PadB, false); PadButton(PadX, true); }, {}},
        {"stick within the dead zone", [] { PadAxis(PadLeftX, -16000); PadAxis(PadLeftY, 16000); }, {}},
        {"stick beyond it, left and down", [] { PadAxis(PadLeftX, -20000); PadAxis(PadLeftY, 32767); },
         {DIK_LEFT, DIK_DOWN}},
        {"stick right and up", [] { PadAxis(PadLeftX, 32767); PadAxis(PadLeftY, -32768); }, {DIK_UP, DIK_RIGHT}},
        {"stick back to rest", [] { PadAxis(PadLeftX, 300); PadAxis(PadLeftY, -300); }, {}},
        {"the right stick steers nothing", [] { PadAxis(PadRightX, 32767); }, {}},
        {"key and d-pad left", [] { PressKey(DIK_LEFT); PadButton(PadLeft, true); }, {DIK_LEFT}},
        {"d-pad let go, the key holds", [] { PadButton(PadLeft, false); }, {DIK_LEFT}},
        {"stick left, key let go", [] { PadAxis(PadLeftX, -32768); ReleaseKey(DIK_LEFT); }, {DIK_LEFT}},
        {"d-pad left too, stick to rest", [] { PadButton(PadLeft, true); PadAxis(PadLeftX, 0); }, {DIK_LEFT}},
        {"key up, pad pulled out", [] { PressKey(DIK_UP); UnplugPad(); }, {DIK_UP}},
        {"the pulled-out pad left nothing held", [] { ReleaseKey(DIK_UP); }, {}},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(step.held, HeldKeys(keyboard)) << step.what;
    }

    // What a pad held when the window lost the focus is forgotten.
    PadButton(PadStart, true);
    SetFocus(false);
    SetFocus(true);
    InputTestWindow::Pump();
    ASSERT_EQ(DI_OK, keyboard->Acquire());
    EXPECT_EQ(std::vector<int>(), HeldKeys(keyboard));

    // Pads that cannot start leave the keyboard working.
    FailOnce(testcontrol::Failure::InitGameControllers);
    IDirectInputDevice8A* padless = Make(GUID_SysKeyboard, &c_dfDIKeyboard);
    PadButton(PadDown, true);
    PressKey(DIK_SPACE);
    EXPECT_EQ((std::vector<int>{DIK_SPACE}), HeldKeys(padless));
    EXPECT_EQ((std::vector<int>{DIK_SPACE, DIK_DOWN}), HeldKeys(keyboard));
}

TEST_F(DirectInputTest, EveryGameKeyReachesTheStateUnderItsDikCode)
{
    IDirectInputDevice8A* keyboard = Make(GUID_SysKeyboard, &c_dfDIKeyboard);
    const int keys[] = {DIK_A, DIK_Z, DIK_M, DIK_0, DIK_9, DIK_UP, DIK_DOWN, DIK_LEFT, DIK_RIGHT, DIK_F1,
                        DIK_F12, DIK_ESCAPE, DIK_SPACE, DIK_RETURN, DIK_TAB, DIK_LSHIFT, DIK_RSHIFT,
                        DIK_LCONTROL, DIK_RCONTROL, DIK_LMENU, DIK_RMENU, DIK_NUMPAD0, DIK_NUMPAD9,
                        DIK_NUMPADENTER, DIK_ADD, DIK_SUBTRACT, DIK_MULTIPLY, DIK_DIVIDE, DIK_DECIMAL, DIK_P};
    for (int key : keys) {
        testcontrol::PressKey(key);
        InputTestWindow::Pump();
        BYTE state[256] = {};
        ASSERT_EQ(DI_OK, keyboard->GetDeviceState(sizeof(state), state));
        int down = 0;
        for (BYTE byte : state)
            down += (byte & 0x80) ? 1 : 0;
        EXPECT_EQ(0x80, state[key]) << "DIK " << key;
        EXPECT_EQ(1, down) << "DIK " << key;
        testcontrol::ReleaseKey(key);
        InputTestWindow::Pump();
        ASSERT_EQ(DI_OK, keyboard->GetDeviceState(sizeof(state), state));
        EXPECT_EQ(0, state[key]) << "DIK " << key;
    }
}

TEST_F(DirectInputTest, FocusLossLosesInputAndTheBackgroundCannotAcquire)
{
    IDirectInputDevice8A* keyboard = Make(GUID_SysKeyboard, &c_dfDIKeyboard);
    testcontrol::PressKey(DIK_SPACE);
    testcontrol::SetFocus(false);
    InputTestWindow::Pump();
    BYTE state[256] = {};
    EXPECT_EQ(DIERR_INPUTLOST, keyboard->GetDeviceState(sizeof(state), state));
    EXPECT_EQ(DIERR_OTHERAPPHASPRIO, keyboard->Acquire());
    testcontrol::PressKey(DIK_A); // typed into another window
    InputTestWindow::Pump();

    testcontrol::SetFocus(true);
    InputTestWindow::Pump();
    EXPECT_EQ(DI_OK, keyboard->Acquire());
    EXPECT_EQ(DI_NOEFFECT, keyboard->Acquire());
    ASSERT_EQ(DI_OK, keyboard->GetDeviceState(sizeof(state), state));
    EXPECT_EQ(0, state[DIK_SPACE]);
    EXPECT_EQ(0, state[DIK_A]);
}

TEST_F(DirectInputTest, MouseRecordsComeOneAtATimeInOrderAndFlushWithInfinite)
{
    IDirectInputDevice8A* mouse = Make(GUID_SysMouse, &c_dfDIMouse, 16);
    testcontrol::MoveMouse(110, 95, 10, -5);
    testcontrol::MouseButton(0, true, 110, 95);
    testcontrol::MouseButton(0, false, 110, 95);
    testcontrol::MouseButton(3, true, 110, 95);
    testcontrol::MouseWheel(-1);
    InputTestWindow::Pump();
    std::vector<DIDEVICEOBJECTDATA> records = ReadOneByOne(mouse);
    ASSERT_EQ(6u, records.size());
    EXPECT_EQ(DWORD(DIMOFS_X), records[0].dwOfs);
    EXPECT_EQ(10u, records[0].dwData);
    EXPECT_EQ(DWORD(DIMOFS_Y), records[1].dwOfs);
    EXPECT_EQ(static_cast<DWORD>(-5), records[1].dwData);
    EXPECT_EQ(DWORD(DIMOFS_BUTTON0), records[2].dwOfs);
    EXPECT_EQ(0x80u, records[2].dwData);
    EXPECT_EQ(0u, records[3].dwData);
    EXPECT_EQ(DWORD(DIMOFS_BUTTON3), records[4].dwOfs);
    EXPECT_EQ(DWORD(DIMOFS_Z), records[5].dwOfs);
    EXPECT_EQ(static_cast<DWORD>(-WHEEL_DELTA), records[5].dwData);
    for (std::size_t i = 1; i < records.size(); ++i)
        EXPECT_GT(records[i].dwSequence, records[i - 1].dwSequence);

    testcontrol::MouseButton(1, true, 0, 0);
    testcontrol::MouseButton(1, false, 0, 0);
    InputTestWindow::Pump();
    DWORD count = INFINITE;
    EXPECT_EQ(DI_OK, mouse->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), nullptr, &count, 0));
    EXPECT_EQ(2u, count);
    EXPECT_TRUE(ReadOneByOne(mouse).empty());
}

TEST_F(DirectInputTest, AFastMouseNeverPushesAClickOutOfTheBuffer)
{
    IDirectInputDevice8A* mouse = Make(GUID_SysMouse, &c_dfDIMouse, 16);
    for (int i = 0; i < 200; ++i)
        testcontrol::MoveMouse(i, i, 1, 2);
    testcontrol::MouseButton(0, true, 200, 200);
    for (int i = 0; i < 200; ++i)
        testcontrol::MoveMouse(i, i, -1, 0);
    InputTestWindow::Pump();
    std::vector<DIDEVICEOBJECTDATA> records = ReadOneByOne(mouse);
    ASSERT_EQ(4u, records.size());
    EXPECT_EQ(200u, records[0].dwData);
    EXPECT_EQ(400u, records[1].dwData);
    EXPECT_EQ(DWORD(DIMOFS_BUTTON0), records[2].dwOfs);
    EXPECT_EQ(static_cast<DWORD>(-200), records[3].dwData);
}

TEST_F(DirectInputTest, AFullBufferReportsOverflowAndKeepsTheOldestRecords)
{
    IDirectInputDevice8A* mouse = Make(GUID_SysMouse, &c_dfDIMouse, 2);
    for (int i = 0; i < 3; ++i)
        testcontrol::MouseButton(i, true, 0, 0);
    InputTestWindow::Pump();
    DIDEVICEOBJECTDATA records[4] = {};
    DWORD count = 4;
    EXPECT_EQ(DI_BUFFEROVERFLOW, mouse->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), records, &count, 0));
    ASSERT_EQ(2u, count);
    EXPECT_EQ(DWORD(DIMOFS_BUTTON0), records[0].dwOfs);
    EXPECT_EQ(DWORD(DIMOFS_BUTTON1), records[1].dwOfs);
}

TEST_F(DirectInputTest, BadArgumentsAreRefusedNotTrusted)
{
    IDirectInputDevice8A* keyboard = nullptr;
    ASSERT_EQ(DI_OK, m_pkInput->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr));
    m_kDevices.push_back(keyboard);
    EXPECT_EQ(DIERR_INVALIDPARAM, keyboard->SetDataFormat(&c_dfDIMouse));
    EXPECT_EQ(DIERR_INVALIDPARAM, keyboard->Acquire()); // no data format yet
    EXPECT_EQ(DI_OK, keyboard->SetDataFormat(&c_dfDIKeyboard));
    EXPECT_EQ(DIERR_INVALIDPARAM, keyboard->SetCooperativeLevel(nullptr, DISCL_FOREGROUND | DISCL_NONEXCLUSIVE));
    EXPECT_EQ(DIERR_INVALIDPARAM,
              keyboard->SetCooperativeLevel(m_kWindow.Handle(), DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE));
    BYTE small[16] = {};
    EXPECT_EQ(DIERR_INVALIDPARAM, keyboard->GetDeviceState(sizeof(small), small));
    BYTE state[256] = {};
    EXPECT_EQ(DIERR_NOTACQUIRED, keyboard->GetDeviceState(sizeof(state), state));
    DWORD count = 1;
    EXPECT_EQ(DIERR_NOTBUFFERED, keyboard->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), nullptr, &count, 0));
    IDirectInputDevice8A* joystick = nullptr;
    GUID other = GUID_SysMouse;
    other.Data1 ^= 0x100;
    EXPECT_EQ(DIERR_DEVICENOTREG, m_pkInput->CreateDevice(other, &joystick, nullptr));
    EXPECT_EQ(nullptr, joystick);
}

TEST_F(DirectInputTest, InjectedFailuresHitOnceEach)
{
    void* input = reinterpret_cast<void*>(1);
    testcontrol::FailOnce(testcontrol::Failure::DirectInput8Create);
    EXPECT_TRUE(FAILED(DirectInput8Create(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput8A, &input, nullptr)));
    EXPECT_EQ(nullptr, input);

    IDirectInputDevice8A* device = nullptr;
    testcontrol::FailOnce(testcontrol::Failure::CreateKeyboard);
    EXPECT_TRUE(FAILED(m_pkInput->CreateDevice(GUID_SysKeyboard, &device, nullptr)));
    testcontrol::FailOnce(testcontrol::Failure::CreateMouse);
    EXPECT_TRUE(FAILED(m_pkInput->CreateDevice(GUID_SysMouse, &device, nullptr)));
    EXPECT_EQ(nullptr, device);

    testcontrol::FailOnce(testcontrol::Failure::Acquire);
    IDirectInputDevice8A* keyboard = nullptr;
    ASSERT_EQ(DI_OK, m_pkInput->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr));
    m_kDevices.push_back(keyboard);
    keyboard->SetDataFormat(&c_dfDIKeyboard);
    keyboard->SetCooperativeLevel(m_kWindow.Handle(), DISCL_FOREGROUND | DISCL_NONEXCLUSIVE);
    EXPECT_TRUE(FAILED(keyboard->Acquire()));
    EXPECT_EQ(DI_OK, keyboard->Acquire());
}
