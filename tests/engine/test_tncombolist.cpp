#include "recordingfont.h"
#include "tncombolist.h"

#include <gtest/gtest.h>

namespace {

// The level list as the game lays it out on a 1024 x 768 picture.
const RECT LevelFrame = {262, 84, 762, 684};
const tnUInt32 UpX = 496 + 16, UpY = 109 + 16;     // inside the up button
const tnUInt32 DownX = 496 + 16, DownY = 652 + 16; // inside the down button

class ComboListTest : public ::testing::Test {
protected:
    void Build(int rows)
    {
        m_kList.Create(LevelFrame, &m_kFont, 20, 9, tnStringC("Game Level"));
        for (int i = 1; i <= rows; ++i)
            m_kList.AddRow(tnStringC(i) + "     Level");
    }
    tnInt32 Click(tnUInt32 x, tnUInt32 y) { return m_kList.Update(x, y, true); }

    RecordingFont m_kFont;
    tnCombolist m_kList;
};

} // namespace

TEST_F(ComboListTest, CreateLaysOutTitleRowsAndScrollButtons)
{
    Build(0);
    EXPECT_EQ(146, m_kList.GetListArea().top);
    EXPECT_EQ(647, m_kList.GetListArea().bottom);
    EXPECT_EQ(262, m_kList.GetListArea().left);
    EXPECT_EQ(762, m_kList.GetListArea().right);
    EXPECT_EQ(25u, m_kList.GetVisibleRows());
    EXPECT_EQ(496, m_kList.GetUpButton().GetX());
    EXPECT_EQ(109, m_kList.GetUpButton().GetY());
    EXPECT_EQ(496, m_kList.GetDownButton().GetX());
    EXPECT_EQ(652, m_kList.GetDownButton().GetY());
    EXPECT_EQ(32, m_kList.GetDownButton().GetWidth());
    EXPECT_EQ(tnButton::ENABLED, m_kList.GetUpButton().GetStage());
    EXPECT_EQ(&m_kFont, m_kList.GetUpButton().GetFont());
    EXPECT_EQ(tnCombolist::NoRow, m_kList.GetPickedRow());
    EXPECT_EQ(0u, m_kList.GetHoverRow());
    EXPECT_EQ(0u, m_kList.GetFirstRow());
}

TEST_F(ComboListTest, WithoutAFontTheListStaysEmptyAndInert)
{
    m_kList.Create(LevelFrame, nullptr, 20, 9, tnStringC("Game Level"));
    m_kList.AddRow(tnStringC("1     Meadow"));
    EXPECT_EQ(0, m_kList.GetFrame().right);
    EXPECT_EQ(0u, m_kList.GetVisibleRows());
    EXPECT_EQ(-1, Click(0, 0));
    EXPECT_EQ(-1, Click(300, 150));

    tnCombolist kNoRowHeight;
    kNoRowHeight.Create(LevelFrame, &m_kFont, 0, 9, tnStringC("Game Level"));
    kNoRowHeight.AddRow(tnStringC("1     Meadow"));
    EXPECT_EQ(-1, kNoRowHeight.Update(300, 150, true));
}

TEST_F(ComboListTest, ClickOnTheListsTopEdgePicksTheFirstVisibleRow)
{
    Build(3);
    EXPECT_EQ(0, Click(300, 146));
    EXPECT_EQ(0u, m_kList.GetPickedRow());
    EXPECT_EQ(1, Click(300, 166));
    EXPECT_EQ(2, Click(762, 186));
    EXPECT_EQ(2u, m_kList.GetPickedRow());
}

TEST_F(ComboListTest, HoverWithoutClickAndClicksBelowTheLastRowPickNothing)
{
    Build(3);
    EXPECT_EQ(-1, m_kList.Update(300, 170, false));
    EXPECT_EQ(1u, m_kList.GetHoverRow());
    EXPECT_EQ(tnCombolist::NoRow, m_kList.GetPickedRow());
    EXPECT_EQ(-1, Click(300, 206)); // row 3 does not exist
    EXPECT_EQ(3u, m_kList.GetHoverRow());
    EXPECT_EQ(tnCombolist::NoRow, m_kList.GetPickedRow());
    EXPECT_EQ(-1, Click(261, 150)); // left of the frame
    EXPECT_EQ(-1, Click(300, 685)); // below the frame
    EXPECT_EQ(-1, Click(300, 130)); // the title band
}

TEST_F(ComboListTest, ScrollingStopsAtBothEndsEvenBeforeTheFirstRender)
{
    Build(30);
    EXPECT_EQ(-1, Click(UpX, UpY));
    EXPECT_EQ(0u, m_kList.GetFirstRow());
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(-1, Click(DownX, DownY));
        EXPECT_EQ(static_cast<tnUInt32>(i), m_kList.GetFirstRow());
    }
    for (int i = 0; i < 3; ++i)
        Click(DownX, DownY);
    EXPECT_EQ(5u, m_kList.GetFirstRow());
    // The top band now shows row 5, the last band row 29.
    EXPECT_EQ(5, Click(300, 146));
    EXPECT_EQ(29, Click(300, 146 + 24 * 20));
    Click(UpX, UpY);
    EXPECT_EQ(4u, m_kList.GetFirstRow());
    // Without the mouse button nothing scrolls.
    EXPECT_EQ(-1, m_kList.Update(DownX, DownY, false));
    EXPECT_EQ(4u, m_kList.GetFirstRow());
}

TEST_F(ComboListTest, DisabledScrollButtonsIgnoreClicks)
{
    Build(30);
    m_kList.GetDownButton().SetStage(tnButton::DISABLED);
    EXPECT_EQ(-1, Click(DownX, DownY));
    EXPECT_EQ(0u, m_kList.GetFirstRow());
    m_kList.GetDownButton().SetStage(tnButton::ENABLED);
    Click(DownX, DownY);
    m_kList.GetUpButton().SetStage(tnButton::DISABLED);
    EXPECT_EQ(-1, Click(UpX, UpY));
    EXPECT_EQ(1u, m_kList.GetFirstRow());
}

TEST_F(ComboListTest, TheSliverBelowTheLastVisibleBandPicksNothing)
{
    // 25 bands of 20 pixels fill 500 of the 501 pixels of the list area.
    Build(30);
    EXPECT_EQ(24, Click(300, 645));
    EXPECT_EQ(-1, Click(300, 647));
    EXPECT_EQ(24u, m_kList.GetPickedRow());
}

TEST_F(ComboListTest, ShortListsDoNotScroll)
{
    Build(25);
    Click(DownX, DownY);
    EXPECT_EQ(0u, m_kList.GetFirstRow());
    m_kList.AddRow(tnStringC("26     Orchard"));
    Click(DownX, DownY);
    Click(DownX, DownY);
    EXPECT_EQ(1u, m_kList.GetFirstRow());
}

TEST_F(ComboListTest, SetFontReachesTheScrollButtons)
{
    Build(2);
    RecordingFont kNewFont;
    m_kList.SetFont(&kNewFont);
    EXPECT_EQ(&kNewFont, m_kList.GetUpButton().GetFont());
    EXPECT_EQ(&kNewFont, m_kList.GetDownButton().GetFont());
}
