#include "recordingfont.h"
#include "tnstatement.h"
#include "tnvector.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

tnUInt32 Alpha(const tnStatement& kStatement) { return kStatement.GetColor() >> 24; }

} // namespace

TEST(tnStatement, ConstructorsSetEveryField)
{
    tnStatement kStatement(120, 300, tnStringC("Nice Hit..."), 0xFFFF001Eu, 4, 6);
    EXPECT_EQ(120, kStatement.GetX());
    EXPECT_EQ(300, kStatement.GetY());
    EXPECT_STREQ("Nice Hit...", static_cast<char*>(const_cast<tnStringC&>(kStatement.GetText())));
    EXPECT_EQ(0xFFFF001Eu, kStatement.GetColor());
    EXPECT_EQ(4, kStatement.GetRise());
    EXPECT_EQ(6, kStatement.GetAlphaStep());

    tnStatement kDefault;
    EXPECT_EQ(0, kDefault.GetX());
    EXPECT_EQ(0, kDefault.GetY());
    EXPECT_EQ(0, kDefault.GetText().GetLength());
    EXPECT_EQ(0xFFFFFFFFu, kDefault.GetColor());
    EXPECT_EQ(4, kDefault.GetAlphaStep());
}

TEST(tnStatement, CopiesAreDeepAndSelfAssignmentKeepsEverything)
{
    tnStatement kOriginal(10, 20, tnStringC("Life +1"), 0x80112233u, 3, 9);
    tnStatement kCopy(kOriginal);
    tnStatement kAssigned;
    kAssigned = kOriginal;
    tnStatement kCopied;
    kCopied.Copy(kOriginal);
    kOriginal = tnStatement(0, 0, tnStringC("changed"), 0, 0, 0);
    for (const tnStatement* pkStatement : {&kCopy, &kAssigned, &kCopied}) {
        EXPECT_EQ(10, pkStatement->GetX());
        EXPECT_EQ(20, pkStatement->GetY());
        EXPECT_EQ(0x80112233u, pkStatement->GetColor());
        EXPECT_EQ(3, pkStatement->GetRise());
        EXPECT_EQ(9, pkStatement->GetAlphaStep());
        EXPECT_TRUE(pkStatement->GetText() == "Life +1");
    }
    tnStatement& kSame = kCopy;
    kCopy = kSame;
    EXPECT_TRUE(kCopy.GetText() == "Life +1");
    EXPECT_EQ(3, kCopy.GetRise());
}

TEST(tnStatement, UpdateRisesThenFadesWithoutEverWrapping)
{
    tnStatement kStatement(0, 100, tnStringC("x"), 0x0BAABBCCu, 4, 4);
    kStatement.Update();
    EXPECT_EQ(96, kStatement.GetY());
    EXPECT_EQ(0x07AABBCCu, kStatement.GetColor());
    kStatement.Update();
    EXPECT_EQ(3u, Alpha(kStatement));
    kStatement.Update(); // alpha 3, step 4: empty, not 255
    EXPECT_EQ(0x00AABBCCu, kStatement.GetColor());
    kStatement.FadeOut();
    EXPECT_EQ(0x00AABBCCu, kStatement.GetColor());
    EXPECT_EQ(88, kStatement.GetY());

    tnStatement kExact(0, 0, tnStringC("x"), 0x04FFFFFFu, 4, 4);
    kExact.FadeOut();
    EXPECT_EQ(0u, Alpha(kExact));
}

TEST(tnStatement, DeltaColorSpreadsTheAlphaOverTheDistance)
{
    tnStatement kStatement(0, 0, tnStringC("x"), 0xFFFFFFFFu, 4, 4);
    kStatement.SetDeltaColor(100, 4); // 256 * 4 / 100 + 0.5 = 10.74
    EXPECT_EQ(10, kStatement.GetAlphaStep());
    EXPECT_EQ(4, kStatement.GetRise());
    kStatement.SetDeltaColor(-100, 4);
    EXPECT_EQ(10, kStatement.GetAlphaStep());
    kStatement.SetDeltaColor(100, 2); // only the step changes, not the rise
    EXPECT_EQ(5, kStatement.GetAlphaStep());
    EXPECT_EQ(4, kStatement.GetRise());
    kStatement.SetDeltaColor(512, 4);
    EXPECT_EQ(2, kStatement.GetAlphaStep()) << "1024 / 512 + 0.5 = 2.5, integer part 2";
    kStatement.SetDeltaColor(410, 4); // 2.497 + 0.5
    EXPECT_EQ(2, kStatement.GetAlphaStep());
    kStatement.SetDeltaColor(300, 4); // 3.41 + 0.5
    EXPECT_EQ(3, kStatement.GetAlphaStep());

    tnStatement kHalf(0, 0, tnStringC("x"), 0x7F000000u, 4, 4);
    kHalf.SetDeltaColor(100, 4); // 128 * 4 / 100 + 0.5 = 5.62
    EXPECT_EQ(5, kHalf.GetAlphaStep());
}

TEST(tnStatement, DeltaColorCloserThanOneRiseFadesInOneUpdate)
{
    tnStatement kStatement(0, 102, tnStringC("x"), 0xFFFFFFFFu, 4, 4);
    kStatement.SetDeltaColor(2, 4); // treated as 4 pixels: 256, capped at 255
    EXPECT_EQ(255, kStatement.GetAlphaStep());
    kStatement.Update();
    EXPECT_EQ(0u, Alpha(kStatement));

    tnStatement kStill(0, 0, tnStringC("x"), 0xFFFFFFFFu, 0, 4);
    kStill.SetDeltaColor(0, 0); // nowhere to go: no fading, no division by zero
    EXPECT_EQ(0, kStill.GetAlphaStep());

    tnStatement kSinking(0, 0, tnStringC("x"), 0xFFFFFFFFu, -4, 4);
    kSinking.SetDeltaColor(100, -4);
    EXPECT_EQ(10, kSinking.GetAlphaStep());
}

TEST(tnStatement, RenderDrawsCentredUnclippedInItsOwnColour)
{
    RecordingFont kFont;
    tnStatement kStatement(200, 150, tnStringC("Life +1"), 0x80FF001Eu, 4, 4);
    kStatement.Render(&kFont, 9, 20);
    ASSERT_EQ(1u, kFont.m_kCalls.size());
    const RecordingFont::Call& kCall = kFont.m_kCalls[0];
    EXPECT_EQ("Life +1", kCall.text);
    EXPECT_EQ(200, kCall.rect.left);
    EXPECT_EQ(150, kCall.rect.top);
    EXPECT_EQ(200 + 7 * 9, kCall.rect.right);
    EXPECT_EQ(150 + 20 + 10, kCall.rect.bottom);
    EXPECT_EQ(0x101u, kCall.format);
    EXPECT_EQ(0x80FF001Eu, kCall.colour);

    kStatement.Render(nullptr, 9, 20); // no font: nothing, and no crash
    tnStatement kEmpty;
    kEmpty.Render(&kFont, 9, 20);
    EXPECT_EQ(1u, kFont.m_kCalls.size());
}

TEST(tnStatement, SurvivesBeingMovedAboutInsideAVector)
{
    tnVector<tnStatement> kList;
    for (int i = 0; i < 40; ++i)
        kList.push_back(tnStatement(i, 10 * i, tnStringC("Found ") + i, 0xFFFFFFFFu, 4, 4));
    kList.erase(kList.GetArray() + 3);
    ASSERT_EQ(39u, kList.size());
    EXPECT_EQ(4, kList[3].GetX());
    EXPECT_TRUE(kList[3].GetText() == "Found 4");
    EXPECT_TRUE(kList[38].GetText() == "Found 39");
}
