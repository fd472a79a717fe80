// Frames that differ a little are drawn and sent only where they differ:
// squares that jump, appear, vanish and overlap, frame after frame, must
// leave on the window what the last frame drawn whole leaves there, in a
// window of the picture's size and scaled into larger ones.
#include "graphicstestwindow.h"

#include "testcontrol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void DrawSquares(IDirect3DDevice8* device, int frame)
{
    device->BeginScene();
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF203040, 1.0f, 0);
    // A square that jumps across the picture, one that comes and goes, and
    // two whose order swaps over where they overlap.
    const D3DRECT jumping = {(frame * 337) % 900, (frame * 211) % 650, (frame * 337) % 900 + 60,
                             (frame * 211) % 650 + 60};
    device->Clear(1, &jumping, D3DCLEAR_TARGET, 0xFFE0C020, 1.0f, 0);
    if (frame % 3 != 0) {
        const D3DRECT blinking = {700, 100, 740, 140};
        device->Clear(1, &blinking, D3DCLEAR_TARGET, 0xFF20E040, 1.0f, 0);
    }
    const D3DRECT red = {300, 500, 380, 580}, blue = {340, 540, 420, 620};
    device->Clear(1, frame % 2 ? &red : &blue, D3DCLEAR_TARGET, frame % 2 ? 0xFFE02020 : 0xFF2020E0, 1.0f, 0);
    device->Clear(1, frame % 2 ? &blue : &red, D3DCLEAR_TARGET, frame % 2 ? 0xFF2020E0 : 0xFFE02020, 1.0f, 0);
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
}

} // namespace

TEST(PartialPresent, JumpingAppearingAndSwappedSquaresLeaveTheFrameDrawnWhole)
{
    GraphicsTestWindow window;
    TestDevice device(window.Handle());
    ASSERT_NE(nullptr, device.Get());
    for (const auto& size : {std::pair<int, int>{0, 0}, {1440, 1080}, {1280, 800}}) {
        if (size.first > 0)
            testcontrol::ResizeWindow(size.first, size.second);
        const int partialBefore = testcontrol::PartialFrameCount();
        for (int frame = 0; frame < 12; ++frame) {
            DrawSquares(device.Get(), frame);
            std::vector<DWORD> partial, whole;
            ASSERT_TRUE(testcontrol::ReadWindow(partial));
            testcontrol::RedrawLastFrame();
            ASSERT_TRUE(testcontrol::ReadWindow(whole));
            ASSERT_EQ(partial, whole) << size.first << " x " << size.second << ", frame " << frame;
        }
        EXPECT_GE(testcontrol::PartialFrameCount() - partialBefore, 10) << size.first << " x " << size.second;
    }
}
