// Which renderer the window gets: a GPU's, unless there is none or its
// OpenGL turns out to be drawn in software; SDL_RENDER_DRIVER decides alone.
#include "renderer_choice.h"

#include <gtest/gtest.h>

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
