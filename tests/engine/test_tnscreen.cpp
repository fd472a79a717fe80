// tnScreen: the device search with ConfirmDevice vetoes, descriptions,
// frames, recovery of a lost device, drawing and the format helpers.
#include "graphicsscreen.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Rejects the behaviours it is told to and logs the hooks it runs.
class VetoScreen : public GraphicsScreen {
public:
    std::vector<DWORD> rejected;
    std::vector<DWORD> offered;
    std::vector<std::string> hooks;

    tnError32 ConfirmDevice(D3DCAPS8*, DWORD behaviour, D3DFORMAT) override
    {
        offered.push_back(behaviour);
        for (DWORD r : rejected) {
            if (r == behaviour)
                return tnNotOK;
        }
        return tnOK;
    }
    tnError32 InvalidateDeviceObjects() override
    {
        hooks.push_back("invalidate");
        return tnNotOK; // must not stop the recovery
    }
    tnError32 RestoreDeviceObjects() override
    {
        hooks.push_back("restore");
        return tnOK;
    }
};

const DWORD kPureHardware = D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE;

} // namespace

TEST(tnScreenSearch, PicksPureHardwareThenHardwareThenSoftwareAsConfirmDeviceAllows)
{
    GraphicsTestWindow window;
    {
        VetoScreen screen;
        ASSERT_EQ(tnOK, screen.Start(window.Handle(), 800, 600, 32));
        EXPECT_EQ(0x50u, screen.GetBehavior());
        EXPECT_EQ(800u, screen.GetScreenWidth());
        EXPECT_EQ(600u, screen.GetScreenHeight());
        EXPECT_EQ(D3DFMT_X8R8G8B8, screen.GetBackBufferFormat());
        EXPECT_EQ(32u, screen.GetBitsPerPixel());
        EXPECT_EQ(800u, screen.BackBufferDesc().Width);
        EXPECT_EQ(0, std::strncmp("HAL (pure hw vp)\n\tDriver: sdl2-", screen.GetDeviceStats(), 31));
        EXPECT_STREQ("(800x600x32)\n\tStentilFormat: NO", screen.GetFrameStats());
        EXPECT_EQ(tnScreen::GetSingleton(), &screen);
    }
    {
        VetoScreen screen;
        screen.rejected = {kPureHardware};
        ASSERT_EQ(tnOK, screen.Start(window.Handle(), 800, 600, 32));
        EXPECT_EQ(0x40u, screen.GetBehavior());
        EXPECT_EQ(0, std::strncmp("HAL (hw vp)", screen.GetDeviceStats(), 11));
    }
    {
        VetoScreen screen;
        screen.rejected = {kPureHardware, D3DCREATE_HARDWARE_VERTEXPROCESSING, D3DCREATE_MIXED_VERTEXPROCESSING};
        ASSERT_EQ(tnOK, screen.Start(window.Handle(), 800, 600, 32));
        EXPECT_EQ(0x20u, screen.GetBehavior());
        EXPECT_EQ((std::vector<DWORD>{0x50, 0x40, 0x80, 0x20}), screen.offered);
        EXPECT_EQ(0, std::strncmp("HAL (sw vp)", screen.GetDeviceStats(), 11));
    }
    {
        VetoScreen screen;
        screen.rejected = {kPureHardware, D3DCREATE_HARDWARE_VERTEXPROCESSING, D3DCREATE_MIXED_VERTEXPROCESSING,
                           D3DCREATE_SOFTWARE_VERTEXPROCESSING};
        EXPECT_EQ(tnErrorCreateDevice, screen.Start(window.Handle(), 800, 600, 32));
        EXPECT_EQ(nullptr, screen.GetDevice());
    }
}

TEST(tnScreenSearch, ModesAndDepthFormats)
{
    GraphicsTestWindow window;
    {
        GraphicsScreen screen;
        EXPECT_EQ(tnErrorCreateDevice, screen.Start(window.Handle(), 1000, 700, 32));
        EXPECT_EQ(nullptr, screen.GetDevice());
        EXPECT_EQ(tnErrorCreateDevice, screen.Start(window.Handle(), 1024, 768, 24));
    }
    {
        GraphicsScreen screen;
        ASSERT_EQ(tnOK, screen.Start(window.Handle(), 640, 480, 16));
        EXPECT_EQ(D3DFMT_R5G6B5, screen.GetBackBufferFormat());
        EXPECT_EQ(16u, screen.GetBitsPerPixel());
    }
    {
        GraphicsScreen screen;
        ASSERT_EQ(tnOK, screen.InitD3D(window.Handle()));
        screen.WantDepthBuffer(16, 0);
        ASSERT_EQ(tnOK, screen.InitD3DDevice(true, 1024, 768, 32));
        EXPECT_EQ(D3DFMT_D16, screen.GetDepthStencilFormat());
        EXPECT_STREQ("(1024x768x32)\n\tStentilFormat: (D16)", screen.GetFrameStats());
        // 24 depth bits and a stencil bit: D15S1 is too shallow, D24X8 has no
        // stencil, so D24S8.
        screen.WantDepthBuffer(24, 1);
        ASSERT_EQ(tnOK, screen.InitD3DDevice(true, 1024, 768, 32));
        EXPECT_EQ(D3DFMT_D24S8, screen.GetDepthStencilFormat());
        // Nothing offers 16 stencil bits: the device cannot be made.
        screen.WantDepthBuffer(16, 16);
        EXPECT_EQ(tnErrorCreateDevice, screen.InitD3DDevice(true, 1024, 768, 32));
    }
    {
        GraphicsScreen screen;
        testcontrol::FailOnce(testcontrol::Failure::Direct3DCreate8);
        EXPECT_EQ(tnErrorCreateD3D, screen.InitD3D(window.Handle()));
        EXPECT_EQ(tnErrorCreateDevice, screen.InitD3DDevice(true, 1024, 768, 32));
        ASSERT_EQ(tnOK, screen.InitD3D(window.Handle()));
        testcontrol::FailOnce(testcontrol::Failure::CreateDevice);
        EXPECT_EQ(tnErrorCreateDevice, screen.InitD3DDevice(true, 1024, 768, 32));
        ASSERT_EQ(tnOK, screen.InitD3DDevice(false, 0, 0, 0));
        EXPECT_EQ(1024u, screen.GetScreenWidth());
        EXPECT_EQ(static_cast<DWORD>(D3DCREATE_SOFTWARE_VERTEXPROCESSING), screen.GetBehavior());
    }
}

TEST(tnScreenFrames, EndFramePresentsOnlyWhenReadyAndInFront)
{
    GraphicsTestWindow window;
    GraphicsScreen screen;
    ASSERT_EQ(tnOK, screen.Start(window.Handle()));
    int presents = testcontrol::PresentCount();
    ASSERT_EQ(tnOK, screen.StartFrame());
    EXPECT_EQ(tnErrorBeginScene, screen.StartFrame());
    ASSERT_EQ(tnOK, screen.EndFrame());
    EXPECT_EQ(presents + 1, testcontrol::PresentCount());
    EXPECT_EQ(tnErrorEndScene, screen.EndFrame());

    screen.SetReady(false);
    screen.StartFrame();
    EXPECT_EQ(tnOK, screen.EndFrame());
    EXPECT_EQ(presents + 1, testcontrol::PresentCount());

    screen.SetReady(true);
    testcontrol::SetFocus(false);
    GraphicsTestWindow::Pump();
    screen.StartFrame();
    EXPECT_EQ(tnOK, screen.EndFrame());
    EXPECT_EQ(presents + 1, testcontrol::PresentCount());
    testcontrol::SetFocus(true);
    GraphicsTestWindow::Pump();
}

TEST(tnScreenFrames, ALostDeviceIsRecoveredWithTheHooksAroundTheReset)
{
    GraphicsTestWindow window;
    VetoScreen screen;
    ASSERT_EQ(tnOK, screen.Start(window.Handle()));
    EXPECT_EQ(tnOK, screen.RecoverDevice());
    EXPECT_TRUE(screen.hooks.empty());

    testcontrol::SetFocus(false);
    GraphicsTestWindow::Pump();
    EXPECT_EQ(tnOK, screen.RecoverDevice()); // lost: nothing to do yet
    EXPECT_TRUE(screen.hooks.empty());
    testcontrol::SetFocus(true);
    GraphicsTestWindow::Pump();
    EXPECT_EQ(tnOK, screen.RecoverDevice()); // reported lost once more
    EXPECT_EQ(tnOK, screen.RecoverDevice()); // now waiting for the reset
    EXPECT_EQ((std::vector<std::string>{"invalidate", "restore"}), screen.hooks);
    EXPECT_EQ(D3D_OK, screen.GetDevice()->TestCooperativeLevel());
    EXPECT_EQ(1024u, screen.BackBufferDesc().Width);

    // A failing reset leaves the device waiting and restores nothing.
    screen.hooks.clear();
    testcontrol::RequireDeviceReset();
    testcontrol::FailOnce(testcontrol::Failure::Reset);
    EXPECT_EQ(tnOK, screen.RecoverDevice());
    EXPECT_EQ((std::vector<std::string>{"invalidate"}), screen.hooks);
    EXPECT_EQ(D3DERR_DEVICENOTRESET, screen.GetDevice()->TestCooperativeLevel());
}

TEST(tnScreenFrames, CleanUpTwiceIsHarmlessAndFreesTheSingleton)
{
    GraphicsTestWindow window;
    {
        GraphicsScreen screen;
        ASSERT_EQ(tnOK, screen.Start(window.Handle()));
        screen.SetFPS(30);
        screen.CleanUp();
        EXPECT_EQ(nullptr, screen.GetDevice());
        EXPECT_EQ(0u, screen.GetFPS());
        screen.CleanUp();
        EXPECT_EQ(tnErrorClear, screen.Clear(0, nullptr));
        EXPECT_EQ(tnErrorDrawPrimitive, screen.DrawLine(0, 0, 1, 1, 255, 255, 255, 255));
        // The singleton is free for a new screen.
        GraphicsScreen next;
        EXPECT_EQ(&next, tnScreen::GetSingleton());
    }
}

TEST(tnScreenDrawing, ClearsOneRectangleAndDrawsLinesAndOutlines)
{
    GraphicsTestWindow window;
    GraphicsScreen screen;
    ASSERT_EQ(tnOK, screen.Start(window.Handle()));
    ASSERT_EQ(tnOK, screen.Clear(0xFF000000, nullptr));
    D3DRECT panel = {0, 0, 128, 768};
    ASSERT_EQ(tnOK, screen.Clear(0xFF003232, &panel));
    ASSERT_EQ(tnOK, screen.DrawRectangle(144, 16, 1007, 751, 255, 255, 255, 255));
    ASSERT_EQ(tnOK, screen.DrawLine(144, 48, 1007, 48, 180, 180, 180, 200));
    std::vector<DWORD> frame = GraphicsTestWindow::Frame();
    EXPECT_EQ(0x003232u, GraphicsTestWindow::At(frame, 0, 0));
    EXPECT_EQ(0x003232u, GraphicsTestWindow::At(frame, 127, 767));
    EXPECT_EQ(0x000000u, GraphicsTestWindow::At(frame, 128, 300));
    EXPECT_EQ(0xFFFFFFu, GraphicsTestWindow::At(frame, 144, 16));
    EXPECT_EQ(0xFFFFFFu, GraphicsTestWindow::At(frame, 1007, 751));
    EXPECT_EQ(0xFFFFFFu, GraphicsTestWindow::At(frame, 500, 751));
    EXPECT_EQ(0xFFFFFFu, GraphicsTestWindow::At(frame, 144, 400));
    EXPECT_EQ(0x000000u, GraphicsTestWindow::At(frame, 500, 400));
    EXPECT_EQ(0xB4B4B4u, GraphicsTestWindow::At(frame, 500, 48)); // opaque: no blending set
    EXPECT_EQ(0x000000u, GraphicsTestWindow::At(frame, 500, 49));
}

TEST(tnScreenFormats, NamesMasksAndBitCounts)
{
    char name[16];
    GetFormatName(static_cast<D3DFORMAT>(25), name);
    EXPECT_STREQ("A1R5G5B5", name);
    GetFormatName(static_cast<D3DFORMAT>(50), name);
    EXPECT_STREQ("Unknown", name);
    GetFormatName(D3DFMT_X4R4G4B4, name);
    EXPECT_STREQ("X4R4G4B4", name);
    EXPECT_EQ(0xF800u, GetFormatRMask(D3DFMT_R5G6B5));
    EXPECT_EQ(6u, GetFormatGBits(D3DFMT_R5G6B5));
    EXPECT_EQ(0x8000u, GetFormatAMask(D3DFMT_A1R5G5B5));
    EXPECT_EQ(8u, GetFormatXBits(D3DFMT_X8R8G8B8));
    EXPECT_EQ(0u, GetFormatABits(D3DFMT_X8R8G8B8));
    EXPECT_EQ(8u, GetFormatABits(D3DFMT_A8));
    EXPECT_EQ(0u, GetFormatRBits(D3DFMT_D16));
    EXPECT_EQ(24u, GetFormatDBits(D3DFMT_D24X4S4));
    EXPECT_EQ(4u, GetFormatSBits(D3DFMT_D24X4S4));
    EXPECT_EQ(15u, GetFormatDBits(D3DFMT_D15S1));
    EXPECT_EQ(1u, GetFormatSBits(D3DFMT_D15S1));
    EXPECT_EQ(0u, GetFormatSBits(D3DFMT_X8R8G8B8));
    EXPECT_EQ(24u, GetBitsPerPixel(D3DFMT_R8G8B8));
    EXPECT_EQ(16u, GetBitsPerPixel(D3DFMT_A4R4G4B4));
    EXPECT_EQ(0u, GetBitsPerPixel(D3DFMT_A8));
    EXPECT_STREQ("(D24X4S4)", GetDepthFormatName(D3DFMT_D24X4S4));
    EXPECT_STREQ("NO", GetDepthFormatName(D3DFMT_UNKNOWN));
    EXPECT_STREQ("NO", GetDepthFormatName(D3DFMT_D16_LOCKABLE));
}
