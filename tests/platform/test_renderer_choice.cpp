// Which renderer the window gets: a GPU's, unless there is none or its
// OpenGL turns out to be drawn in software; SDL_RENDER_DRIVER decides alone;
// a refusal is never the end while SDL can draw at all.
#include "failurecheck.h"
#include "renderer_choice.h"
#include "tempgamedir.h"
#include "testcontrol.h"
#include "tnlog.h"
#include "win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

TEST(RendererChoice, TheGpuRendererOnlyWhereThereIsAGpuAndTheDriverAskedForAlways)
{
    const struct {
        const char* requested;
        const char* video;
        bool gpu;
        bool accelerated;
        const char* reason;
    } kCases[] = {
        {"", "x11", true, true, "GPU"},
        {"", "wayland", true, true, "GPU"},
        {"", "x11", false, false, "no GPU (no render node in /dev/dri)"},
        {"", "dummy", true, false, "no screen (dummy video driver)"},
        {"", "offscreen", false, false, "no screen (offscreen video driver)"},
        {"software", "x11", true, false, "asked for by SDL_RENDER_DRIVER"},
        {"opengl", "x11", false, true, "asked for by SDL_RENDER_DRIVER"},
    };
    for (const auto& c : kCases) {
        platform::RendererFacts facts;
        facts.requested = c.requested;
        facts.videoDriver = c.video;
        facts.gpuNode = c.gpu;
        platform::RendererChoice choice = platform::ChooseRenderer(facts);
        EXPECT_EQ(c.accelerated, choice.accelerated) << c.requested << " " << c.video << " " << c.gpu;
        EXPECT_EQ(c.reason, choice.reason) << c.requested << " " << c.video << " " << c.gpu;
    }
}

TEST(RendererChoice, MesaSoftwareRasterisersAreToldFromGpus)
{
    EXPECT_TRUE(platform::IsSoftwareOpenGL("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(platform::IsSoftwareOpenGL("softpipe"));
    EXPECT_TRUE(platform::IsSoftwareOpenGL("Mesa DRI swrast"));
    EXPECT_TRUE(platform::IsSoftwareOpenGL("Software Rasterizer"));
    EXPECT_FALSE(platform::IsSoftwareOpenGL("AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0)"));
    EXPECT_FALSE(platform::IsSoftwareOpenGL("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
    EXPECT_FALSE(platform::IsSoftwareOpenGL(""));
}

// Whatever the first choices refuse, the window gets the next renderer that
// works, and the log line names it and each refusal; only when every step
// fails is there no window.
TEST(RendererChain, EachRefusalIsNamedAndTheNextRendererTried)
{
    using testcontrol::Failure;
    const struct {
        std::vector<Failure> failures;
        bool window;
        const char* logged;
    } kCases[] = {
        {{}, true, "Renderer: software, chosen for no screen (dummy video driver)\n"},
        {{Failure::CreateRenderer}, true,
         "Renderer: software, chosen for no screen (dummy video driver), after software into the window refused: "
         "made to fail\n"},
        {{Failure::CreateRenderer, Failure::CreateRenderer, Failure::CreateRenderer}, true,
         "after software into the window refused: made to fail; software through SDL's accelerated framebuffer "
         "refused: made to fail; the GPU renderer refused: made to fail\n"},
        {{Failure::CreateRenderer, Failure::CreateRenderer, Failure::CreateRenderer, Failure::CreateRenderer}, false,
         "Display: no display to open"},
        {{Failure::RegisterClassA}, false, ""},
        {{Failure::CreateWindowExA}, false, ""},
    };
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    TempGameDir dir(false);
    for (const auto& c : kCases) {
        const std::string log = dir.Path("chain.log");
        OpenLog(log.c_str());
        for (Failure failure : c.failures)
            testcontrol::FailOnce(failure);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "RendererChain";
        const bool registered = RegisterClassA(&windowClass) != 0;
        HWND window = registered ? CreateWindowExA(0, "RendererChain", "Renderer chain", WS_POPUP, 0, 0, 1024, 768,
                                                   nullptr, nullptr, nullptr, nullptr)
                                 : nullptr;
        CloseLog();
        EXPECT_EQ(c.window, window != nullptr) << c.logged;
        EXPECT_NE(std::string::npos, TempGameDir::ReadFile(log).find(c.logged)) << TempGameDir::ReadFile(log);
        DestroyWindow(window);
        ExpectEveryFailureUsed();
    }
}
