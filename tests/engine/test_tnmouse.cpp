// The mouse as the game reads it: buffered slots, motion totals and the
// pointer's true position.
#include "../platform/input_test_window.h"
#include "tninputmanager.h"
#include "tnmouse.h"

#include <gtest/gtest.h>

namespace {

class MouseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The shell's message handler writes the pointer position.
        InputTestWindow::PointerSink() = [](int x, int y) { tnMouse::SetPosition(x, y); };
        ASSERT_EQ(tnOK, m_kManager.Init(nullptr));
        ASSERT_EQ(tnOK, m_kMouse.Init(m_kWindow.Handle()));
    }
    void TearDown() override
    {
        InputTestWindow::PointerSink() = nullptr;
        m_kMouse.CleanUp();
        m_kMouse.CleanUp();
        m_kManager.CleanUp();
        EXPECT_EQ(0, testcontrol::LiveInputObjects());
    }
    // One frame: what arrived is pumped, then read.
    tnError32 Frame()
    {
        InputTestWindow::Pump();
        return m_kMouse.Update();
    }
    void Click(int button, int x = 0, int y = 0)
    {
        testcontrol::MouseButton(button, true, x, y);
        testcontrol::MouseButton(button, false, x, y);
    }

    InputTestWindow m_kWindow;
    tnInputManager m_kManager;
    tnMouse m_kMouse;
};

} // namespace

TEST_F(MouseTest, AClickStaysVisibleUntilClearOrUntilItsSlotIsOverwritten)
{
    Click(0);
    ASSERT_EQ(tnOK, Frame());
    EXPECT_TRUE(m_kMouse.IsButtonDown(0)); // slot 0 down, slot 1 up
    EXPECT_TRUE(m_kMouse.IsButtonUp(0));
    ASSERT_EQ(tnOK, Frame());
    EXPECT_TRUE(m_kMouse.IsButtonDown(0)); // nothing new: the record stays

    testcontrol::MoveMouse(5, 5, 5, 5); // one record lands in slot 0
    ASSERT_EQ(tnOK, Frame());
    EXPECT_FALSE(m_kMouse.IsButtonDown(0));

    Click(0);
    ASSERT_EQ(tnOK, Frame());
    ASSERT_TRUE(m_kMouse.IsButtonDown(0));
    testcontrol::MouseButton(0, true, 0, 0); // still buffered when the click is handled
    InputTestWindow::Pump();
    EXPECT_EQ(tnOK, m_kMouse.Clear());
    EXPECT_FALSE(m_kMouse.IsButtonDown(0));
    ASSERT_EQ(tnOK, m_kMouse.Update());
    EXPECT_FALSE(m_kMouse.IsButtonDown(0)); // the flush took the pending press too
}

TEST_F(MouseTest, ButtonNumbersAboveThreeTestButtonZero)
{
    Click(0);
    testcontrol::MouseButton(2, true, 0, 0);
    ASSERT_EQ(tnOK, Frame());
    EXPECT_TRUE(m_kMouse.IsButtonDown(0));
    EXPECT_TRUE(m_kMouse.IsButtonDown(4));
    EXPECT_TRUE(m_kMouse.IsButtonDown(0xFFFFFFFF));
    EXPECT_FALSE(m_kMouse.IsButtonDown(1));
    EXPECT_TRUE(m_kMouse.IsButtonDown(2));
    EXPECT_FALSE(m_kMouse.IsButtonDown(3));
    EXPECT_FALSE(m_kMouse.IsButtonUp(2));
}

TEST_F(MouseTest, EachAxisCallAddsTheFramesMotionAgain)
{
    tnUInt32 x0 = m_kMouse.GetXAxis();
    tnUInt32 y0 = m_kMouse.GetYAxis();
    testcontrol::MoveMouse(0, 0, 7, -3);
    ASSERT_EQ(tnOK, Frame());
    EXPECT_EQ(x0 + 7, m_kMouse.GetXAxis());
    EXPECT_EQ(x0 + 14, m_kMouse.GetXAxis());
    EXPECT_EQ(y0 - 3, m_kMouse.GetYAxis()); // negative motion wraps round and subtracts
    ASSERT_EQ(tnOK, Frame());               // no motion: axis slots contribute nothing
    EXPECT_EQ(x0 + 14, m_kMouse.GetXAxis());
    EXPECT_EQ(y0 - 3, m_kMouse.GetYAxis());
    testcontrol::MouseWheel(2);
    ASSERT_EQ(tnOK, Frame());
    EXPECT_EQ(tnUInt32(2 * WHEEL_DELTA), m_kMouse.GetZAxis());
    EXPECT_EQ(tnUInt32(2 * WHEEL_DELTA), m_kMouse.GetZAxis()); // not kept
}

TEST_F(MouseTest, APointerJumpThenAClickIsReadWhereThePointerReallyIs)
{
    testcontrol::MoveMouse(10, 20, 3, 4);
    ASSERT_EQ(tnOK, Frame());
    m_kMouse.GetXAxis();
    m_kMouse.GetYAxis();
    EXPECT_EQ(10u, tnMouse::GetX());
    EXPECT_EQ(20u, tnMouse::GetY());

    testcontrol::MoveMouse(510, 320, 500, 300);
    testcontrol::MouseButton(0, true, 510, 320);
    ASSERT_EQ(tnOK, Frame());
    m_kMouse.GetXAxis(); // the game reads the motion each frame as well
    m_kMouse.GetYAxis();
    EXPECT_TRUE(m_kMouse.IsButtonDown(0));
    EXPECT_EQ(510u, tnMouse::GetX());
    EXPECT_EQ(320u, tnMouse::GetY());
    for (int frame = 0; frame < 3; ++frame) {
        ASSERT_EQ(tnOK, Frame());
        m_kMouse.GetXAxis();
        m_kMouse.GetYAxis();
    }
    EXPECT_EQ(510u, tnMouse::GetX());
    EXPECT_EQ(320u, tnMouse::GetY());
}

TEST_F(MouseTest, InitStopsAtTheFirstFailingStepWithItsCode)
{
    const struct {
        testcontrol::Failure operation;
        tnError32 result;
    } steps[] = {{testcontrol::Failure::CreateMouse, tnErrorCreateMouse},
                 {testcontrol::Failure::SetDataFormat, tnErrorMouseDataFormat},
                 {testcontrol::Failure::SetCooperativeLevel, tnErrorMouseCooperativeLevel},
                 {testcontrol::Failure::SetProperty, tnErrorMouseProperty}};
    for (const auto& step : steps) {
        testcontrol::FailOnce(step.operation);
        EXPECT_EQ(step.result, m_kMouse.Init(m_kWindow.Handle())) << testcontrol::FailureName(step.operation);
    }
    // Each new Init released the half-made device before it; the last one
    // waits for CleanUp.
    EXPECT_EQ(2, testcontrol::LiveInputObjects());
    m_kMouse.CleanUp();
    EXPECT_EQ(1, testcontrol::LiveInputObjects());
}

TEST_F(MouseTest, LostInputIsReacquiredOrReportedAsAReadFailure)
{
    testcontrol::SetFocus(false);
    InputTestWindow::Pump();
    EXPECT_EQ(tnErrorMouseRead, m_kMouse.Update());
    EXPECT_EQ(tnErrorAcquire, m_kMouse.AcquireDevice());
    testcontrol::SetFocus(true);
    EXPECT_EQ(tnOK, Frame()); // re-acquired on the first slot
    testcontrol::MouseButton(1, true, 0, 0);
    EXPECT_EQ(tnOK, Frame());
    EXPECT_TRUE(m_kMouse.IsButtonDown(1));
    testcontrol::FailOnce(testcontrol::Failure::GetDeviceData);
    EXPECT_EQ(tnErrorMouseRead, m_kMouse.Clear());
    EXPECT_FALSE(m_kMouse.IsButtonDown(1));

    tnMouse unmade;
    EXPECT_EQ(tnErrorMouseRead, unmade.Update());
    EXPECT_EQ(tnErrorMouseRead, unmade.Clear());
    EXPECT_EQ(tnErrorAcquire, unmade.AcquireDevice());
}
