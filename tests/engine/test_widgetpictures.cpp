#include "d3dx8.h"
#include "graphicsscreen.h"
#include "recordingfont.h"
#include "tempgamedir.h"
#include "testcontrol.h"
#include "tnbutton.h"
#include "tncombolist.h"
#include "tntexture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

DWORD Rgb(const std::vector<DWORD>& kFrame, int x, int y) { return GraphicsTestWindow::At(kFrame, x, y); }

std::string PicturePath(const char* name) { return std::string(GROVEKEEP_BUILD_DIR) + "/" + name; }

// The screen, the game's bold 20-pixel font and its button texture, in a
// game folder with the generated pictures.
class WidgetPictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(tnOK, m_kScreen.Start(m_kWindow.Handle()));
        HFONT hFont = CreateFontA(20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
        ASSERT_EQ(S_OK, D3DXCreateFont(m_kScreen.GetDevice(), hFont, &m_pkFont));
        DeleteObject(hFont);
        RECT kCell = {1, 1, 129, 33};
        ASSERT_EQ(tnOK, m_kButtonTexture.CreateFromFile("../Graphics/button.bmp", true, 0xFF00FF, &kCell, nullptr,
                                                        true));
    }
    void TearDown() override
    {
        m_kButtonTexture.CleanUp();
        if (m_pkFont)
            m_pkFont->Release();
    }

    // Clears to the menu's dark green, draws, and returns the finished frame.
    template <class Draw>
    std::vector<DWORD> Picture(Draw draw)
    {
        m_kScreen.Clear(0xFF203020u, nullptr);
        m_kScreen.StartFrame();
        draw();
        m_kScreen.EndFrame();
        return GraphicsTestWindow::Frame();
    }

    TempGameDir m_kDir;
    GraphicsTestWindow m_kWindow;
    GraphicsScreen m_kScreen;
    ID3DXFont* m_pkFont = nullptr;
    tnTexture m_kButtonTexture;
};

} // namespace

TEST_F(WidgetPictures, EachStageDrawsItsCellFromOneOrTwoColumnSheets)
{
    // Frame sheets of 128 x 32 cells behind a one-pixel magenta grid; cell
    // (column, row) is painted colours[row * columns + column]: three rows
    // of two columns at most.
    const DWORD iColours[] = {0xC00000, 0x00C000, 0x0000C0, 0xC0C000, 0x00C0C0, 0xC000C0};
    for (int iColumns : {1, 2}) {
        const std::string strPath = m_kDir.Path("Graphics/cells.bmp");
        WriteBitmap(strPath, 1 + 129 * iColumns, 100, [&](int x, int y) -> std::uint32_t {
            if (x % 129 == 0 || y % 33 == 0)
                return 0xFF00FF;
            return iColours[(y / 33) * iColumns + x / 129];
        });
        tnTexture kTexture;
        RECT kCell = {1, 1, 129, 33};
        ASSERT_EQ(tnOK, kTexture.CreateFromFile("../Graphics/cells.bmp", true, 0xFF00FF, &kCell, nullptr, true));
        tnButton kButtons[3];
        for (int i = 0; i < 3; ++i) {
            kButtons[i].SetTexture(&kTexture, 128, 32);
            kButtons[i].Create(m_pkFont, 100, 100 + 100 * i, 200, 40, static_cast<tnButton::_ButtonStage>(i), "");
        }
        const std::vector<DWORD> kFrame = Picture([&] {
            for (tnButton& kButton : kButtons)
                kButton.Render(0xFFFFFFFFu, 0.0f);
        });
        for (int i = 0; i < 3; ++i) {
            // Stretched over the whole rectangle: both corners and the centre.
            EXPECT_EQ(iColours[i], Rgb(kFrame, 101, 101 + 100 * i)) << iColumns << " columns, stage " << i;
            EXPECT_EQ(iColours[i], Rgb(kFrame, 200, 120 + 100 * i)) << iColumns << " columns, stage " << i;
            EXPECT_EQ(iColours[i], Rgb(kFrame, 298, 138 + 100 * i)) << iColumns << " columns, stage " << i;
        }
        kTexture.CleanUp();
    }
}

TEST_F(WidgetPictures, ButtonStagesDrawTheirOwnCellsAndCaptions)
{
    tnButton kButtons[3];
    const tnButton::_ButtonStage eStages[] = {tnButton::DISABLED, tnButton::ENABLED, tnButton::HIGHLIGHTED};
    const char* strCaptions[] = {"Resume", "Options", "New"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(kButtons[i].SetTexture(&m_kButtonTexture, 128, 32));
        kButtons[i].Create(m_pkFont, 384, 250 + 80 * i, 256, 32, eStages[i], strCaptions[i]);
    }
    const std::vector<DWORD> kFrame = Picture([&] {
        for (tnButton& kButton : kButtons)
            kButton.Render(0xFFFFFFFFu, 0.0f);
    });
    ASSERT_EQ(1024u * 768u, kFrame.size());
    EXPECT_TRUE(testcontrol::SavePNG(PicturePath("widgets_buttons.png"), kFrame, 1024, 768));

    // Away from the caption, each stage shows its own cell, and not the background.
    const DWORD iBackground = Rgb(kFrame, 10, 10);
    DWORD iCellColour[3];
    for (int i = 0; i < 3; ++i) {
        iCellColour[i] = Rgb(kFrame, 384 + 12, 250 + 80 * i + 16);
        EXPECT_NE(iBackground, iCellColour[i]) << "stage " << i;
    }
    EXPECT_NE(iCellColour[0], iCellColour[1]);
    EXPECT_NE(iCellColour[1], iCellColour[2]);
    // Outside the rectangles nothing was drawn.
    EXPECT_EQ(iBackground, Rgb(kFrame, 384 + 128, 250 + 40));
    EXPECT_EQ(iBackground, Rgb(kFrame, 380, 250 + 16));
}

TEST_F(WidgetPictures, ComboListShowsHoveredAndPickedRowsAndScrollButtonStages)
{
    tnCombolist kList;
    const RECT kFrameRect = {262, 84, 762, 684};
    kList.Create(kFrameRect, m_pkFont, 20, 9, tnStringC("Game Level"));
    const char* strTitles[] = {"Meadow", "Orchard", "Riverside", "Old Mill", "Pumpkin Patch", "Bramble Wood"};
    for (int i = 0; i < 30; ++i)
        kList.AddRow(tnStringC(i + 1) + "     " + strTitles[i % 6]);

    const tnInt32 iPicked = kList.Update(300, 146 + 2 * 20 + 5, true); // third row
    EXPECT_EQ(2, iPicked);
    kList.Update(300, 146 + 5 * 20 + 5, false); // hover the sixth
    const std::vector<DWORD> kFrame = Picture([&] { kList.Render(0xFFFFFFFFu); });
    EXPECT_TRUE(testcontrol::SavePNG(PicturePath("widgets_combolist.png"), kFrame, 1024, 768));

    // Bands, sampled at their right end where no text reaches.
    EXPECT_EQ(0x00B478u, Rgb(kFrame, 740, 146 + 2 * 20 + 10));
    EXPECT_EQ(0xC8640Au, Rgb(kFrame, 740, 146 + 5 * 20 + 10));
    EXPECT_EQ(Rgb(kFrame, 100, 100), Rgb(kFrame, 740, 146 + 3 * 20 + 10));
    // Rendering set the scroll buttons' stages: nothing above, more below.
    EXPECT_EQ(tnButton::DISABLED, kList.GetUpButton().GetStage());
    EXPECT_EQ(tnButton::ENABLED, kList.GetDownButton().GetStage());
    // Text was drawn in the rows: some pixel of the first row's left part is white.
    bool bText = false;
    for (int x = 262; x < 400 && !bText; ++x)
        for (int y = 146; y < 166 && !bText; ++y)
            bText = Rgb(kFrame, x, y) == 0xFFFFFFu;
    EXPECT_TRUE(bText);

    // Scrolled to the end the down button gives up and the up button takes over.
    for (int i = 0; i < 10; ++i) {
        kList.Update(512, 668, true);
        Picture([&] { kList.Render(0xFFFFFFFFu); });
    }
    EXPECT_EQ(5u, kList.GetFirstRow());
    EXPECT_EQ(tnButton::ENABLED, kList.GetUpButton().GetStage());
    EXPECT_EQ(tnButton::DISABLED, kList.GetDownButton().GetStage());
}

TEST_F(WidgetPictures, EmptyListDrawsOnlyItsTitleAndButtons)
{
    RecordingFont kFont;
    tnCombolist kList;
    kList.Create(RECT{262, 84, 762, 684}, &kFont, 20, 9, tnStringC("Game Level"));
    kList.Update(300, 150, false); // hovering where a first row would be
    const std::vector<DWORD> kFrame = Picture([&] { kList.Render(0xFFFFFFFFu); });
    ASSERT_EQ(1u, kFont.m_kCalls.size());
    EXPECT_EQ("Game Level", kFont.m_kCalls[0].text);
    EXPECT_EQ(5u, kFont.m_kCalls[0].format);
    EXPECT_EQ(84 + 20, kFont.m_kCalls[0].rect.bottom);
    const DWORD iBackground = Rgb(kFrame, 10, 10);
    EXPECT_EQ(iBackground, Rgb(kFrame, 740, 156)) << "no hover band without rows";
    EXPECT_NE(iBackground, Rgb(kFrame, 512, 125)) << "up button";
    EXPECT_NE(iBackground, Rgb(kFrame, 512, 668)) << "down button";
    EXPECT_EQ(tnButton::DISABLED, kList.GetDownButton().GetStage());
}
