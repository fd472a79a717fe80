// tnRGBAImage, tnSurface and tnTexture: bitmaps with a colour key, frame
// sheets repacked into power-of-two textures, numbers, binding and quads.
#include "graphicsscreen.h"
#include "tempgamedir.h"
#include "tnrgbaimage.h"
#include "tnsurface.h"
#include "tntexture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const tnUInt32 kMagenta = 0xFF00FF; // as a Windows RGB value

// The 97 x 65 sheet: a one-pixel magenta grid around six 32 x 32 frames,
// frame (c, r) filled with 0x10 * (1 + c + 3r) in red.
std::uint32_t SheetColour(int x, int y)
{
    if (x % 33 == 0 || y % 33 == 0)
        return 0xFF00FF;
    int frame = (x / 33) + 3 * (y / 33);
    return static_cast<std::uint32_t>(0x10 * (frame + 1)) << 16;
}

class Textures : public ::testing::Test {
protected:
    Textures()
    {
        screen.Start(window.Handle());
        path = TempGameDir::UniquePath("texture_test.bmp");
    }
    ~Textures() override { std::remove(path.c_str()); }

    // Texel (x, y) of a texture's level 0.
    static DWORD Texel(tnTexture& texture, int x, int y)
    {
        D3DLOCKED_RECT locked = {};
        if (FAILED(texture.GetTexture()->LockRect(0, &locked, nullptr, D3DLOCK_READONLY)))
            return 0xDEADBEEF;
        DWORD value = reinterpret_cast<const DWORD*>(static_cast<const char*>(locked.pBits) + y * locked.Pitch)[x];
        texture.GetTexture()->UnlockRect(0);
        return value;
    }

    GraphicsTestWindow window;
    GraphicsScreen screen;
    std::string path;
};

} // namespace

TEST_F(Textures, AFrameSheetIsRepackedIntoAPowerOfTwoTexture)
{
    WriteBitmap(path, 97, 65, SheetColour);
    tnTexture texture;
    RECT frame = {1, 1, 33, 33};
    ASSERT_EQ(tnOK, texture.CreateFromFile(path.c_str(), true, kMagenta, &frame, nullptr, true));
    EXPECT_EQ(128u, texture.GetWidth());
    EXPECT_EQ(64u, texture.GetHeight());
    EXPECT_TRUE(texture.HasAlpha());
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            DWORD expected = 0xFF000000u | (static_cast<DWORD>(0x10 * (1 + c + 3 * r)) << 16);
            EXPECT_EQ(expected, Texel(texture, c * 32, r * 32)) << c << "," << r;
            // The last column and row of frames run 2 and 1 pixels past the
            // 97 x 65 bitmap: what lies inside it is copied.
            EXPECT_EQ(expected, Texel(texture, c * 32 + 29, r * 32 + 30)) << c << "," << r;
        }
    }
    EXPECT_EQ(0xFF100000u, Texel(texture, 31, 31));
    EXPECT_EQ(0u, Texel(texture, 100, 10)); // beyond the frames: empty
}

TEST_F(Textures, SheetsWhoseFrameIsLargerThanTheBitmapAreRefused)
{
    WriteBitmap(path, 20, 20, [](int, int) { return 0x123456u; });
    tnTexture texture;
    RECT frame = {1, 1, 33, 33};
    EXPECT_EQ(tnErrorCreateTexture, texture.CreateFromFile(path.c_str(), true, kMagenta, &frame, nullptr, true));
    EXPECT_EQ(nullptr, texture.GetTexture());
    EXPECT_EQ(0u, texture.GetWidth());
    RECT empty = {1, 1, 1, 5};
    EXPECT_EQ(tnErrorCreateTexture, texture.CreateFromFile(path.c_str(), true, kMagenta, &empty, nullptr, false));
    EXPECT_EQ(tnErrorCreateTexture, texture.CreateFromFile("missing.bmp", true, kMagenta, nullptr, nullptr, false));
    EXPECT_EQ(tnErrorCreateTexture, texture.Create(nullptr, nullptr, nullptr, false));
    testcontrol::FailOnce(testcontrol::Failure::CreateTexture);
    EXPECT_EQ(tnErrorCreateTexture, texture.CreateFromFile(path.c_str(), false, kMagenta, nullptr, nullptr, false));
    EXPECT_EQ(tnTexture::NoNumber, texture.GetNumber());
    ASSERT_EQ(tnOK, texture.CreateFromFile(path.c_str(), false, kMagenta, nullptr, nullptr, false));
    EXPECT_EQ(20u, texture.GetWidth()); // not a sheet: the size of the picture
}

TEST_F(Textures, NumbersAreUniqueAndKeptWhenATextureIsRemade)
{
    WriteBitmap(path, 8, 8, [](int, int) { return 0x808080u; });
    tnTexture first, second;
    ASSERT_EQ(tnOK, first.CreateFromFile(path.c_str(), false, kMagenta, nullptr, nullptr, false));
    ASSERT_EQ(tnOK, second.CreateFromFile(path.c_str(), false, kMagenta, nullptr, nullptr, false));
    EXPECT_EQ(first.GetNumber() + 1, second.GetNumber());
    tnUInt32 number = first.GetNumber();
    ASSERT_EQ(tnOK, first.CreateFromFile(path.c_str(), false, kMagenta, nullptr, nullptr, false));
    EXPECT_EQ(number, first.GetNumber());
    first.CleanUp();
    ASSERT_EQ(tnOK, first.CreateFromFile(path.c_str(), false, kMagenta, nullptr, nullptr, false));
    EXPECT_EQ(second.GetNumber() + 1, first.GetNumber());
}

TEST_F(Textures, SetActiveTextureBindsOnceAndAgainAfterTheStageWasCleared)
{
    WriteBitmap(path, 8, 8, [](int, int) { return 0x808080u; });
    tnTexture a, b;
    ASSERT_EQ(tnOK, a.CreateFromFile(path.c_str(), false, kMagenta, nullptr, nullptr, false));
    ASSERT_EQ(tnOK, b.CreateFromFile(path.c_str(), false, kMagenta, nullptr, nullptr, false));
    RecordingDevice* device = screen.Record();
    a.SetActiveTexture();
    a.SetActiveTexture();
    EXPECT_EQ(1, device->setTextureCalls);
    EXPECT_EQ(a.GetNumber(), tnTexture::GetActiveNumber());
    b.SetActiveTexture();
    EXPECT_EQ(2, device->setTextureCalls);
    // The game clears stage 0 directly; the texture must be bound again.
    device->SetTexture(0, nullptr);
    b.SetActiveTexture();
    EXPECT_EQ(4, device->setTextureCalls);
    // A texture that was never made binds nothing.
    tnTexture none;
    none.SetActiveTexture();
    EXPECT_EQ(4, device->setTextureCalls);
    EXPECT_EQ(tnOK, none.Render(10, 10, 0, 0, 8, 8, 1.0f, 1.0f, 0xFFFFFFFF, 0.0f));
    EXPECT_TRUE(device->draws.empty());
}

TEST_F(Textures, TheQuadIsPlacedByItsCentreScaledTintedAndTurned)
{
    WriteBitmap(path, 64, 32, [](int x, int) { return x < 32 ? 0xFFFFFFu : 0xFF00FFu; });
    tnTexture texture;
    ASSERT_EQ(tnOK, texture.CreateFromFile(path.c_str(), true, kMagenta, nullptr, nullptr, false));
    RecordingDevice* device = screen.Record();
    screen.Clear(0xFF000000, nullptr);
    texture.SetActiveTexture();
    ASSERT_EQ(tnOK, texture.Render(100, 100, 0, 0, 32, 32, 1.0f, 1.0f, 0xFFFFFFFF, 0.0f));
    ASSERT_EQ(1u, device->draws.size());
    const std::vector<tnVertex>& quad = device->draws[0];
    ASSERT_EQ(4u, quad.size());
    EXPECT_FLOAT_EQ(84.0f, quad[0].x);
    EXPECT_FLOAT_EQ(84.0f, quad[0].y);
    EXPECT_FLOAT_EQ(116.0f, quad[3].x);
    EXPECT_FLOAT_EQ(116.0f, quad[3].y);
    EXPECT_FLOAT_EQ(0.5f, quad[1].u);
    EXPECT_FLOAT_EQ(1.0f, quad[3].v);
    // (Which pixels such a quad covers is the device's rule, pinned in its own tests.)

    // The keyed right half draws nothing; a tint colours the left half.
    ASSERT_EQ(tnOK, texture.Render(300, 100, 0, 0, 64, 32, 1.0f, 1.0f, 0xFF00FF00, 0.0f));
    std::vector<DWORD> frame = GraphicsTestWindow::Frame();
    EXPECT_EQ(0x00FF00u, GraphicsTestWindow::At(frame, 280, 100));
    EXPECT_EQ(0u, GraphicsTestWindow::At(frame, 320, 100));

    // Scale 2 doubles the half sizes; a quarter turn of 90 * 0.0174 rad.
    texture.Render(500, 500, 0, 0, 32, 16, 2.0f, 1.0f, 0xFFFFFFFF, 90.0f);
    const std::vector<tnVertex>& turned = device->draws.back();
    float theta = 90.0f * 0.0174f;
    EXPECT_NEAR(500.0f + (-32.0f * std::cos(theta) + 8.0f * std::sin(theta)), turned[0].x, 1e-3);
    EXPECT_NEAR(500.0f + (-32.0f * std::sin(theta) - 8.0f * std::cos(theta)), turned[0].y, 1e-3);
    EXPECT_NEAR(508.0f, turned[0].x, 0.25f);
    EXPECT_NEAR(468.0f, turned[0].y, 0.25f);
}

TEST_F(Textures, ColourKeyedSurfacesHaveAlphaZeroExactlyOnTheKey)
{
    WriteBitmap(path, 3, 1, [](int x, int) { return x == 0 ? 0xFF00FFu : (x == 1 ? 0xFF01FFu : 0x102030u); });
    tnSurface surface;
    ASSERT_EQ(tnOK, surface.CreateFromFile(path.c_str(), true, kMagenta));
    EXPECT_EQ(D3DFMT_A8R8G8B8, surface.GetFormat());
    D3DLOCKED_RECT locked = {};
    ASSERT_EQ(D3D_OK, surface.GetSurface()->LockRect(&locked, nullptr, 0));
    const DWORD* row = static_cast<const DWORD*>(locked.pBits);
    EXPECT_EQ(0x00FF00FFu, row[0]);
    EXPECT_EQ(0xFFFF01FFu, row[1]);
    EXPECT_EQ(0xFF102030u, row[2]);
    surface.GetSurface()->UnlockRect();

    tnSurface opaque;
    ASSERT_EQ(tnOK, opaque.CreateFromFile(path.c_str(), false, kMagenta));
    EXPECT_EQ(D3DFMT_X8R8G8B8, opaque.GetFormat());
    EXPECT_EQ(tnNotOK, opaque.CreateFromFile("missing.bmp", false, kMagenta));
    EXPECT_EQ(tnErrorNoImage, opaque.CreateFromMemory(nullptr, false, kMagenta));
    testcontrol::FailOnce(testcontrol::Failure::CreateImageSurface);
    EXPECT_EQ(tnErrorCreateSurface, opaque.CreateFromFile(path.c_str(), false, kMagenta));
    EXPECT_EQ(nullptr, opaque.GetSurface());
}

// A size set larger than the pixels held never reads past them.
TEST(RGBAImage, ASizeLargerThanThePixelsHeldReadsAsNoPixels)
{
    tnRGBAImage image;
    image.SetWidth(2);
    image.SetHeight(1);
    const tnUInt32 pixels[2] = {0x112233, 0x445566};
    image.SetImageBuffer(pixels);
    image.SetWidth(4);
    image.SetHeight(4);
    EXPECT_EQ(nullptr, image.GetImageBuffer());
    EXPECT_EQ(0x445566u, image.GetPixel(1, 0));
    EXPECT_EQ(0u, image.GetPixel(3, 3));
    image.SetImageBuffer(nullptr); // sized to 4 x 4 again, black
    ASSERT_NE(nullptr, image.GetImageBuffer());
    EXPECT_EQ(0u, image.GetImageBuffer()[15]);
}

// Each channel keeps its top bits: five of red and blue, five or six of green.
TEST(SixteenBitSurfaces, PackChannelsIntoOneFiveFiveFiveAndFiveSixFive)
{
    GraphicsTestWindow window;
    GraphicsScreen screen;
    ASSERT_EQ(tnOK, screen.Start(window.Handle(), 1024, 768, 16));
    tnRGBAImage image;
    image.SetWidth(3);
    image.SetHeight(1);
    const tnUInt32 pixels[3] = {0xFF00FF, 0xFF01FF, RGB(0x12, 0x34, 0x56)};
    image.SetImageBuffer(pixels);
    struct Case {
        bool transparent;
        D3DFORMAT format;
        std::uint16_t expected[3];
    };
    const Case cases[] = {
        // (0 >> 7) << 15 | 31 << 10 | 0 << 5 | 31; then 0x12 >> 3 = 2, 0x34 >> 3 = 6, 0x56 >> 3 = 10
        {true, D3DFMT_A1R5G5B5, {0x7C1F, 0xFC1F, 0x88CA}},
        // 31 << 11 | 0 << 5 | 31; then 2 << 11 | (0x34 >> 2 = 13) << 5 | 10
        {false, D3DFMT_R5G6B5, {0xF81F, 0xF81F, 0x11AA}},
    };
    for (const Case& c : cases) {
        tnSurface surface;
        ASSERT_EQ(tnOK, surface.CreateFromMemory(&image, c.transparent, kMagenta));
        EXPECT_EQ(c.format, surface.GetFormat());
        D3DLOCKED_RECT locked = {};
        ASSERT_EQ(D3D_OK, surface.GetSurface()->LockRect(&locked, nullptr, 0));
        const std::uint16_t* row = static_cast<const std::uint16_t*>(locked.pBits);
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(c.expected[x], row[x]) << "pixel " << x << " of format " << c.format;
        surface.GetSurface()->UnlockRect();
    }
}

TEST_F(Textures, SurfacesAreCopiedToTheBackBufferUnscaled)
{
    WriteBitmap(path, 4, 4, [](int x, int y) { return static_cast<std::uint32_t>(0x100000 * (x + 1) + 0x10 * (y + 1)); });
    tnRGBAImage image;
    ASSERT_EQ(tnOK, image.LoadFromBitmap(path.c_str()));
    EXPECT_EQ(4u, image.GetWidth());
    EXPECT_EQ(RGB(0x10, 0, 0x20), image.GetPixel(0, 1)); // 0x100000 + 0x20 as red, green, blue
    EXPECT_EQ(0u, image.GetPixel(4, 0));
    tnRGBAImage copy(image);
    EXPECT_EQ(image.GetPixel(3, 3), copy.GetPixel(3, 3));
    EXPECT_EQ(tnNotOK, copy.LoadFromBitmap("missing.bmp"));
    EXPECT_EQ(4u, copy.GetWidth());

    tnSurface surface;
    ASSERT_EQ(tnOK, surface.CreateFromMemory(&image, false, kMagenta));
    screen.Clear(0xFF000000, nullptr);
    POINT at = {600, 300};
    RECT part = {2, 2, 4, 4};
    ASSERT_EQ(tnOK, surface.Render(&at, &part));
    std::vector<DWORD> frame = GraphicsTestWindow::Frame();
    EXPECT_EQ(0x300030u, GraphicsTestWindow::At(frame, 600, 300));
    EXPECT_EQ(0x400040u, GraphicsTestWindow::At(frame, 601, 301));
    EXPECT_EQ(0u, GraphicsTestWindow::At(frame, 602, 300));
    ASSERT_EQ(tnOK, surface.Render(nullptr, nullptr));
    EXPECT_EQ(0x100010u, GraphicsTestWindow::At(GraphicsTestWindow::Frame(), 0, 0));
}
