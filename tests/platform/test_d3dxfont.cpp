// The D3DX font stand-in: creation from a GDI font and DrawText's layout,
// read back from the pixels it draws.
#include "d3dx8.h"
#include "graphicstestwindow.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Box {
    int left = 1024, top = 768, right = -1, bottom = -1;
    bool Empty() const { return right < 0; }
};

// The bounding box of every pixel that differs from the background.
Box LitPixels(const std::vector<DWORD>& frame, DWORD background)
{
    Box box;
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            if (GraphicsTestWindow::At(frame, x, y) == background)
                continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}

class D3DXFontTest : public ::testing::Test {
protected:
    D3DXFontTest() : device(window.Handle())
    {
        HFONT gdi = CreateFontA(20, 9, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
        D3DXCreateFont(device.Get(), gdi, &font);
        DeleteObject(gdi);
    }
    ~D3DXFontTest() override
    {
        if (font)
            font->Release();
    }

    // Clears to black, draws the text in white and returns the lit box.
    Box Draw(const char* text, RECT rect, DWORD format, int* height = nullptr)
    {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
        int drawn = font->DrawTextA(text, -1, &rect, format, 0xFFFFFFFF);
        if (height)
            *height = drawn;
        return LitPixels(GraphicsTestWindow::Frame(), 0);
    }

    GraphicsTestWindow window;
    TestDevice device;
    ID3DXFont* font = nullptr;
};

} // namespace

TEST(D3DXFontCreation, FailsForAnInjectedFailureOrAForeignHandle)
{
    GraphicsTestWindow window;
    TestDevice device(window.Handle());
    HFONT gdi = CreateFontA(36, 20, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
    ASSERT_NE(nullptr, gdi);
    ID3DXFont* font = nullptr;
    testcontrol::FailOnce(testcontrol::Failure::D3DXCreateFont);
    EXPECT_TRUE(FAILED(D3DXCreateFont(device.Get(), gdi, &font)));
    EXPECT_EQ(nullptr, font);
    EXPECT_TRUE(FAILED(D3DXCreateFont(device.Get(), reinterpret_cast<HFONT>(&font), &font)));
    EXPECT_TRUE(FAILED(D3DXCreateFont(nullptr, gdi, &font)));
    ASSERT_EQ(D3D_OK, D3DXCreateFont(device.Get(), gdi, &font));
    LOGFONTA description = {};
    font->GetLogFont(&description);
    EXPECT_EQ(36, description.lfHeight);
    EXPECT_EQ(FW_BOLD, description.lfWeight);
    EXPECT_STREQ("Arial", description.lfFaceName);
    font->Release();
    EXPECT_EQ(TRUE, DeleteObject(gdi));
    EXPECT_EQ(FALSE, DeleteObject(gdi));
    testcontrol::FailOnce(testcontrol::Failure::CreateFontA);
    EXPECT_EQ(nullptr, CreateFontA(10, 5, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
}

TEST_F(D3DXFontTest, LinesAreOneCellHighAndMeasuredWithCalcRect)
{
    ASSERT_NE(nullptr, font);
    RECT rect = {0, 0, 1000, 0};
    EXPECT_EQ(20, font->DrawTextA("Statistics", -1, &rect, DT_CALCRECT, 0xFFFFFFFF));
    EXPECT_EQ(20, rect.bottom);
    // Bold Arial at a 9-pixel average width: ten characters are about 90 wide.
    EXPECT_GT(rect.right, 70);
    EXPECT_LT(rect.right, 115);
    RECT two = {0, 0, 1000, 0};
    EXPECT_EQ(40, font->DrawTextA("Top\nScore", -1, &two, DT_CALCRECT, 0xFFFFFFFF));
    RECT counted = {0, 0, 1000, 0};
    font->DrawTextA("Statistics and more", 10, &counted, DT_CALCRECT, 0xFFFFFFFF);
    EXPECT_EQ(rect.right, counted.right);
}

TEST_F(D3DXFontTest, AlignsLeftCentreRightAndVerticalCentre)
{
    ASSERT_NE(nullptr, font);
    RECT rect = {200, 100, 600, 200};
    Box left = Draw("Level 1", rect, 0);
    Box centre = Draw("Level 1", rect, DT_CENTER);
    Box right = Draw("Level 1", rect, DT_RIGHT);
    Box middle = Draw("Level 1", rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ASSERT_FALSE(left.Empty());
    EXPECT_NEAR(200, left.left, 3);
    EXPECT_NEAR(600 - 1, right.right, 3);
    EXPECT_NEAR((600 - centre.right) - (centre.left - 200), 0, 3);
    // The same width wherever it is placed; OpenGL may blend one more
    // column of a glyph's edge in at another place.
    int width = left.right - left.left;
    EXPECT_NEAR(width, centre.right - centre.left, 1);
    EXPECT_NEAR(width, right.right - right.left, 1);
    // Top-aligned text sits in the first 20 rows; centred text around row 150.
    EXPECT_GE(left.top, 100);
    EXPECT_LE(left.bottom, 120);
    EXPECT_NEAR(150, (middle.top + middle.bottom) / 2.0, 3);
    // A one-line caption is centred without DT_SINGLELINE too; wrapping or
    // broken text keeps the top.
    Box caption = Draw("Level 1", rect, DT_CENTER | DT_VCENTER);
    EXPECT_EQ(middle.top, caption.top);
    Box lines = Draw("Level\n1", rect, DT_VCENTER);
    EXPECT_EQ(left.top, lines.top);
    Box wrapped = Draw("Level 1", rect, DT_VCENTER | DT_WORDBREAK);
    EXPECT_EQ(left.top, wrapped.top);
}

TEST_F(D3DXFontTest, WordBreakWrapsInsideTheWidthAndClipsUnlessTold)
{
    ASSERT_NE(nullptr, font);
    RECT narrow = {10, 300, 130, 340};
    int height = 0;
    Box wrapped = Draw("Collect the fruits and avoid the traps", narrow, DT_WORDBREAK, &height);
    EXPECT_GE(height, 4 * 20);
    EXPECT_GE(wrapped.left, 10);
    EXPECT_LE(wrapped.right, 129);
    EXPECT_LE(wrapped.bottom, 339); // clipped to the rectangle
    Box unclipped = Draw("Collect the fruits and avoid the traps", narrow, DT_WORDBREAK | DT_NOCLIP);
    EXPECT_GT(unclipped.bottom, 340 + 20);
    EXPECT_LE(unclipped.right, 129);
    // Without word break the text stays on one line, cut at the right edge.
    Box oneLine = Draw("Collect the fruits and avoid the traps", narrow, 0);
    EXPECT_LE(oneLine.bottom, 320);
    EXPECT_LE(oneLine.right, 129);
    Box overflow = Draw("Collect the fruits and avoid the traps", narrow, DT_NOCLIP);
    EXPECT_GT(overflow.right, 200);
}

TEST_F(D3DXFontTest, DrawsInItsColourWithAlpha)
{
    ASSERT_NE(nullptr, font);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 0.0f, 0);
    RECT rect = {100, 100, 400, 140};
    font->DrawTextA("IIIIIIII", -1, &rect, DT_SINGLELINE, 0x80FF0000);
    std::vector<DWORD> frame = GraphicsTestWindow::Frame();
    // The fullest pixel of the strokes is half red over the blue background.
    DWORD strongest = 0xFF;
    for (int y = 100; y < 140; ++y) {
        for (int x = 100; x < 400; ++x) {
            DWORD pixel = GraphicsTestWindow::At(frame, x, y);
            if ((pixel & 0xFF) < (strongest & 0xFF))
                strongest = pixel;
        }
    }
    EXPECT_NEAR(0x80, static_cast<int>((strongest >> 16) & 0xFF), 3);
    EXPECT_NEAR(0x7F, static_cast<int>(strongest & 0xFF), 3);
    EXPECT_EQ(0u, (strongest >> 8) & 0xFF);
}

TEST_F(D3DXFontTest, ALatin1LetterAfterAsciiInTheSameFrameDrawsBoth)
{
    // The atlas holds ASCII until a text needs more; growing it must not
    // lose what the frame already drew from the old one.
    ASSERT_NE(nullptr, font);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
    RECT plain = {100, 100, 200, 140};
    RECT accented = {300, 100, 400, 140};
    font->DrawTextA("E", -1, &plain, DT_SINGLELINE, 0xFFFFFFFF);
    font->DrawTextA("\xC9", -1, &accented, DT_SINGLELINE, 0xFFFFFFFF);
    std::vector<DWORD> frame = GraphicsTestWindow::Frame();
    Box left, right;
    for (int y = 100; y < 140; ++y) {
        for (int x = 100; x < 400; ++x) {
            if (GraphicsTestWindow::At(frame, x, y) == 0)
                continue;
            Box& box = x < 300 ? left : right;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    }
    ASSERT_LE(left.left, left.right) << "the E";
    ASSERT_LE(right.left, right.right) << "the accented E";
    EXPECT_LT(right.top, left.top); // the accent stands above the letter
    EXPECT_EQ(left.bottom, right.bottom);
}

TEST_F(D3DXFontTest, DrawsNothingWhileTheDeviceIsLost)
{
    ASSERT_NE(nullptr, font);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
    testcontrol::LoseDevice();
    RECT rect = {0, 0, 300, 40};
    EXPECT_EQ(0, font->DrawTextA("Lost", -1, &rect, 0, 0xFFFFFFFF));
    EXPECT_TRUE(LitPixels(GraphicsTestWindow::Frame(), 0).Empty());
}

TEST(WindowText, TheLoadingTextIsDrawnCentredInLightGrey)
{
    GraphicsTestWindow window;
    HDC dc = GetDC(window.Handle());
    RECT rect = {0, 0, 1024, 768};
    EXPECT_GT(DrawTextA(dc, "Loading... Please wait", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 0);
    ReleaseDC(window.Handle(), dc);
    std::vector<DWORD> frame = GraphicsTestWindow::Frame();
    Box box = LitPixels(frame, 0);
    ASSERT_FALSE(box.Empty());
    EXPECT_NEAR(512, (box.left + box.right) / 2.0, 3);
    EXPECT_NEAR(384, (box.top + box.bottom) / 2.0, 4);
    DWORD brightest = 0;
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left; x <= box.right; ++x)
            brightest = std::max(brightest, GraphicsTestWindow::At(frame, x, y) & 0xFF);
    EXPECT_GE(brightest, 0xC0u);
}
