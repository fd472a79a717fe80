// The input manager and the keyboard as the game reads them.
#include "../platform/input_test_window.h"
#include "tninputmanager.h"
#include "tnkeyboard.h"

#include <gtest/gtest.h>

namespace {

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(tnOK, m_kManager.Init(nullptr)); }
    void TearDown() override
    {
        m_kKeyboard.CleanUp();
        m_kManager.CleanUp();
        EXPECT_EQ(0, testcontrol::LiveInputObjects());
    }
    void Key(int dik, bool down)
    {
        down ? testcontrol::PressKey(dik) : testcontrol::ReleaseKey(dik);
        InputTestWindow::Pump();
    }

    InputTestWindow m_kWindow;
    tnInputManager m_kManager;
    tnKeyboard m_kKeyboard;
};

} // namespace

TEST_F(KeyboardTest, InitStopsAtTheFirstFailingStepWithItsCode)
{
    const struct {
        testcontrol::Failure operation;
        tnError32 result;
    } steps[] = {{testcontrol::Failure::CreateKeyboard, tnErrorCreateKeyboard},
                 {testcontrol::Failure::SetDataFormat, tnErrorKeyboardDataFormat},
                 {testcontrol::Failure::SetCooperativeLevel, tnErrorKeyboardCooperativeLevel}};
    for (const auto& step : steps) {
        testcontrol::FailOnce(step.operation);
        EXPECT_EQ(step.result, m_kKeyboard.Init(m_kWindow.Handle())) << testcontrol::FailureName(step.operation);
        m_kKeyboard.CleanUp();
    }
    testcontrol::FailOnce(testcontrol::Failure::Acquire); // ignored: the window may not be in front yet
    EXPECT_EQ(tnOK, m_kKeyboard.Init(m_kWindow.Handle()));
    EXPECT_EQ(tnOK, m_kKeyboard.AcquireDevice());
}

TEST_F(KeyboardTest, KeysReadByDikCodeAfterUpdate)
{
    ASSERT_EQ(tnOK, m_kKeyboard.Init(m_kWindow.Handle()));
    Key(DIK_P, true);
    Key(DIK_ESCAPE, true);
    EXPECT_FALSE(m_kKeyboard.IsButtonDown(DIK_P)); // not read yet
    ASSERT_EQ(tnOK, m_kKeyboard.Update());
    EXPECT_TRUE(m_kKeyboard.IsButtonDown(DIK_P));
    EXPECT_TRUE(m_kKeyboard.IsButtonDown(DIK_ESCAPE));
    EXPECT_FALSE(m_kKeyboard.IsButtonUp(DIK_P));
    EXPECT_FALSE(m_kKeyboard.IsButtonDown(DIK_SPACE));
    EXPECT_TRUE(m_kKeyboard.IsButtonUp(DIK_SPACE));

    m_kKeyboard.ClearButton(DIK_P);
    EXPECT_FALSE(m_kKeyboard.IsButtonDown(DIK_P));
    Key(DIK_ESCAPE, false);
    ASSERT_EQ(tnOK, m_kKeyboard.Update());
    EXPECT_TRUE(m_kKeyboard.IsButtonDown(DIK_P)); // still held: the next read brings it back
    EXPECT_FALSE(m_kKeyboard.IsButtonDown(DIK_ESCAPE));

    // Codes past the 256 keys are no key at all.
    EXPECT_FALSE(m_kKeyboard.IsButtonDown(256));
    EXPECT_FALSE(m_kKeyboard.IsButtonUp(0xFFFFFFFF));
    m_kKeyboard.ClearButton(1000);
}

TEST_F(KeyboardTest, LostInputIsReacquiredKeepingThePreviousKeyState)
{
    ASSERT_EQ(tnOK, m_kKeyboard.Init(m_kWindow.Handle()));
    Key(DIK_LEFT, true);
    ASSERT_EQ(tnOK, m_kKeyboard.Update());

    testcontrol::SetFocus(false);
    InputTestWindow::Pump();
    EXPECT_EQ(tnErrorKeyboardReacquire, m_kKeyboard.Update()); // in the background
    EXPECT_EQ(tnErrorAcquire, m_kKeyboard.AcquireDevice());
    EXPECT_TRUE(m_kKeyboard.IsButtonDown(DIK_LEFT));

    testcontrol::SetFocus(true);
    InputTestWindow::Pump();
    EXPECT_EQ(tnOK, m_kKeyboard.Update()); // re-acquired, not read again
    EXPECT_TRUE(m_kKeyboard.IsButtonDown(DIK_LEFT));
    EXPECT_EQ(tnOK, m_kKeyboard.Update()); // the key went up while we were away
    EXPECT_FALSE(m_kKeyboard.IsButtonDown(DIK_LEFT));
}

TEST_F(KeyboardTest, ReadFailuresAndMissingDevicesGiveTheirCodes)
{
    EXPECT_EQ(tnErrorKeyboardRead, m_kKeyboard.Update());
    EXPECT_EQ(tnErrorAcquire, m_kKeyboard.AcquireDevice());
    ASSERT_EQ(tnOK, m_kKeyboard.Init(m_kWindow.Handle()));
    testcontrol::FailOnce(testcontrol::Failure::GetDeviceState);
    EXPECT_EQ(tnErrorKeyboardRead, m_kKeyboard.Update());
    EXPECT_EQ(tnOK, m_kKeyboard.Update());
}

TEST(InputManager, CreateFailureAndCleanUpThenDestructionReleaseOnce)
{
    {
        tnInputManager manager;
        EXPECT_EQ(&manager, tnInputManager::GetSingleton());
        testcontrol::FailOnce(testcontrol::Failure::DirectInput8Create);
        EXPECT_EQ(tnErrorCreateInput, manager.Init(nullptr));
        EXPECT_EQ(nullptr, manager.GetInput());
        EXPECT_EQ(tnOK, manager.Init(nullptr));
        EXPECT_EQ(tnOK, manager.Init(nullptr)); // the first object is released, not leaked
        EXPECT_EQ(1, testcontrol::LiveInputObjects());
        manager.CleanUp();
        EXPECT_EQ(0, testcontrol::LiveInputObjects());
        manager.CleanUp();
    }
    EXPECT_EQ(0, testcontrol::LiveInputObjects());
    tnInputManager next; // the slot is free again
    EXPECT_EQ(&next, tnInputManager::GetSingleton());
}

TEST_F(KeyboardTest, CleanUpTwiceReleasesTheDeviceOnce)
{
    ASSERT_EQ(tnOK, m_kKeyboard.Init(m_kWindow.Handle()));
    ASSERT_EQ(tnOK, m_kKeyboard.Init(m_kWindow.Handle())); // the first device is released
    EXPECT_EQ(2, testcontrol::LiveInputObjects());
    m_kKeyboard.CleanUp();
    m_kKeyboard.CleanUp();
    EXPECT_EQ(1, testcontrol::LiveInputObjects());
}
