#include "recordingfont.h"
#include "tnbutton.h"
#include "tnvector.h"

#include <gtest/gtest.h>

#include <string>

TEST(tnButton, NewButtonIsDisabledWithoutTextureFontOrCaption)
{
    tnButton kButton;
    EXPECT_EQ(tnButton::DISABLED, kButton.GetStage());
    EXPECT_EQ(nullptr, kButton.GetTexture());
    EXPECT_EQ(nullptr, kButton.GetFont());
    EXPECT_STREQ("", kButton.GetCaption());
    EXPECT_EQ(0, kButton.GetX());
    EXPECT_FALSE(kButton.Contains(0, 0));
}

TEST(tnButton, RectangleKeepsItsLeftColumnAndTopRowOutside)
{
    tnButton kButton;
    kButton.Create(nullptr, 384, 229, 256, 32, tnButton::ENABLED, "New");
    EXPECT_EQ(384, kButton.GetX());
    EXPECT_EQ(229, kButton.GetY());
    EXPECT_EQ(256, kButton.GetWidth());
    EXPECT_EQ(32, kButton.GetHeight());
    EXPECT_EQ(tnButton::ENABLED, kButton.GetStage());
    EXPECT_FALSE(kButton.Contains(384, 240)); // left edge
    EXPECT_TRUE(kButton.Contains(385, 240));
    EXPECT_TRUE(kButton.Contains(639, 240));  // right edge, inclusive
    EXPECT_FALSE(kButton.Contains(640, 240));
    EXPECT_FALSE(kButton.Contains(500, 229)); // top edge
    EXPECT_TRUE(kButton.Contains(500, 230));
    EXPECT_TRUE(kButton.Contains(500, 260));  // bottom edge, inclusive
    EXPECT_FALSE(kButton.Contains(500, 261));

    // A button hanging off the left of the picture still compares by value.
    kButton.Create(nullptr, -10, 0, 20, 20, tnButton::ENABLED, "");
    EXPECT_TRUE(kButton.Contains(5, 5));
    EXPECT_FALSE(kButton.Contains(10, 5));
}

TEST(tnButton, CaptionIsCopiedAndCutToEightySevenCharacters)
{
    tnButton kButton;
    std::string strCaption = "Top Score";
    kButton.Create(nullptr, 0, 0, 10, 10, tnButton::ENABLED, strCaption.c_str());
    strCaption[0] = 'X';
    EXPECT_STREQ("Top Score", kButton.GetCaption());
    const std::string strLong(200, 'a');
    kButton.Create(nullptr, 0, 0, 10, 10, tnButton::ENABLED, strLong.c_str());
    EXPECT_EQ(std::string(87, 'a'), kButton.GetCaption());
    kButton.Create(nullptr, 0, 0, 10, 10, tnButton::ENABLED, nullptr);
    EXPECT_STREQ("", kButton.GetCaption());
}

TEST(tnButton, SetTextureRefusesNullAndKeepsTheOldOne)
{
    tnTexture kTexture;
    tnButton kButton;
    EXPECT_TRUE(kButton.SetTexture(&kTexture, 128, 32));
    EXPECT_FALSE(kButton.SetTexture(nullptr, 64, 64));
    EXPECT_EQ(&kTexture, kButton.GetTexture());
    kButton.CleanUp();
    EXPECT_EQ(nullptr, kButton.GetTexture());
}

TEST(tnButton, StageChoosesTheCellFromTheTexturesWidth)
{
    struct Case {
        tnUInt32 iStage, iTextureWidth;
        tnInt32 iX, iY;
    } kCases[] = {
        // one cell wide: stages go down the rows
        {0, 128, 0, 0}, {1, 128, 0, 32}, {2, 128, 0, 64},
        // two cells wide: stage 2 starts the second row
        {0, 256, 0, 0}, {1, 256, 128, 0}, {2, 256, 0, 32},
        // a power-of-two texture with room for four
        {2, 512, 256, 0},
        // narrower than a cell still counts as one column
        {1, 64, 0, 32},
    };
    for (const Case& kCase : kCases) {
        tnInt32 x = -1, y = -1;
        tnButton::CellSource(kCase.iStage, kCase.iTextureWidth, 128, 32, x, y);
        EXPECT_EQ(kCase.iX, x) << "stage " << kCase.iStage << " width " << kCase.iTextureWidth;
        EXPECT_EQ(kCase.iY, y) << "stage " << kCase.iStage << " width " << kCase.iTextureWidth;
    }
    tnInt32 x = -1, y = -1;
    tnButton::CellSource(2, 128, 0, 32, x, y); // no cell width: no division by zero
    EXPECT_EQ(0, x);
}

TEST(tnButton, CaptionIsGreyWhenDisabledWhiteOtherwiseAndSkippedWhenEmpty)
{
    RecordingFont kFont;
    tnButton kButton;
    const tnButton::_ButtonStage eStages[] = {tnButton::DISABLED, tnButton::ENABLED, tnButton::HIGHLIGHTED};
    const tnUInt32 iColours[] = {0xFF808080u, 0xFFFFFFFFu, 0xFFFFFFFFu};
    for (int i = 0; i < 3; ++i) {
        kButton.Create(&kFont, 384, 279, 256, 32, eStages[i], "Options");
        kButton.Render(0xFFFFFFFFu, 0.0f);
        ASSERT_EQ(static_cast<size_t>(i + 1), kFont.m_kCalls.size());
        const RecordingFont::Call& kCall = kFont.m_kCalls.back();
        EXPECT_EQ("Options", kCall.text);
        EXPECT_EQ(iColours[i], kCall.colour);
        EXPECT_EQ(5u, kCall.format);
        EXPECT_EQ(384, kCall.rect.left);
        EXPECT_EQ(279, kCall.rect.top);
        EXPECT_EQ(639, kCall.rect.right);
        EXPECT_EQ(310, kCall.rect.bottom);
    }
    EXPECT_EQ(3, kFont.m_iBegins);
    EXPECT_EQ(3, kFont.m_iEnds);

    kButton.Create(&kFont, 0, 0, 32, 32, tnButton::ENABLED, "");
    kButton.Render(0xFFFFFFFFu, 0.0f);
    EXPECT_EQ(3u, kFont.m_kCalls.size());
    EXPECT_EQ(3, kFont.m_iBegins);
}

TEST(tnButton, ButtonsCopyByValueInAVector)
{
    tnVector<tnButton> kButtons;
    const char* strNames[] = {"New", "Options", "Top Score", "Resume", "Quit", "Help"};
    for (int i = 0; i < 6; ++i) {
        tnButton kButton;
        kButton.Create(nullptr, 384, 229 + 50 * i, 256, 32, i == 3 ? tnButton::DISABLED : tnButton::ENABLED,
                       strNames[i]);
        kButtons.push_back(kButton);
    }
    EXPECT_STREQ("Resume", kButtons[3].GetCaption());
    EXPECT_EQ(tnButton::DISABLED, kButtons[3].GetStage());
    EXPECT_EQ(479, kButtons[5].GetY());
    EXPECT_TRUE(kButtons[4].Contains(400, 440));
}
