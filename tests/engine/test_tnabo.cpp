// Animations and ABOs: names, the text format (several records in one
// stream), refused records, frame advance, animation choice, drawing and
// collisions.
#include "graphicsscreen.h"
#include "tempgamedir.h"
#include "tnabo.h"
#include "tnlog.h"
#include "tntexture.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace ANIMATION_DATA;

namespace {

// Two records back to back, the second sharing the first one's texture.
const char* const kTwoRecords =
    "Player ../Graphics/player.bmp 1 255 0 255 32 32 2\n"
    "Walk 4\n"
    "  North 3 0 0   East 3 1 0   South 3 2 0   West 3 3 0\n"
    "Die 1 South 4 4 0\n"
    "Apple ../Graphics/player.bmp 0 255 0 255\t16 16 1 Show 1 ShowSub 2 0 5\n";

class Animations : public ::testing::Test {
protected:
    Animations()
    {
        screen.Start(window.Handle());
        path = TempGameDir::UniquePath("animation_test.txt");
    }
    ~Animations() override { std::remove(path.c_str()); }

    void WriteText(const std::string& text) { std::ofstream(path) << text; }

    GraphicsTestWindow window;
    GraphicsScreen screen;
    std::string path;
    tnTexture texture;
};

} // namespace

TEST(AnimationData, NamesConvertBothWaysIgnoringCase)
{
    EXPECT_EQ(WALK, GetType("walk"));
    EXPECT_EQ(WALK, GetType("WALK"));
    EXPECT_EQ(WALK, GetType("Walk"));
    EXPECT_EQ(WALKBEGIN, GetType("walk begin"));
    EXPECT_EQ(SHOW, GetType("Show"));
    EXPECT_EQ(NONETYPE, GetType("Begin"));
    EXPECT_EQ(NONETYPE, GetType(""));
    EXPECT_EQ(NORTHWEST, GetSubType("northwest"));
    EXPECT_EQ(NONESUBTYPE, GetSubType("nowhere"));
    EXPECT_EQ(0, GetTypeName(35).GetLength());
    EXPECT_EQ(0, GetTypeName(0).GetLength());
    EXPECT_EQ(0, GetTypeName(99).GetLength());
    EXPECT_TRUE(GetTypeName(36) == "Die");
    EXPECT_TRUE(GetTypeName(29) == "Rotate 90\xB0 left");
    EXPECT_TRUE(GetSubTypeName(9) == "ShowSub");
    EXPECT_EQ(0, GetSubTypeName(10).GetLength());
}

TEST_F(Animations, SeveralRecordsAreReadFromOneStream)
{
    WriteText(kTwoRecords);
    std::fstream stream(path, std::ios::in);
    tnABO player, apple, past;
    tnAnimation* playerSet = player.CreateFromFile(stream, &texture, false);
    ASSERT_NE(nullptr, playerSet);
    tnAnimation* appleSet = apple.CreateFromFile(stream, &texture, true);
    ASSERT_NE(nullptr, appleSet);
    EXPECT_EQ(nullptr, past.CreateFromFile(stream, &texture, true)); // the stream is used up

    EXPECT_EQ(2, player.GetNumOfAnimations());
    EXPECT_EQ(playerSet, player.GetAnimations());
    EXPECT_EQ(WALK, playerSet[0].GetType());
    EXPECT_EQ(4, playerSet[0].GetStripCount());
    EXPECT_EQ(32, playerSet[0].GetFrameWidth());
    EXPECT_EQ(EAST, playerSet[0].GetStrips()[1].GetSubType());
    EXPECT_EQ(3, playerSet[0].GetStrips()[1].GetFrameCount());
    EXPECT_EQ(1, playerSet[0].GetStrips()[1].GetRow()); // the row comes first in the file
    EXPECT_EQ(0, playerSet[0].GetStrips()[1].GetStartColumn());
    EXPECT_EQ(DIE, playerSet[1].GetType());
    EXPECT_EQ(4, playerSet[1].GetStrips()[0].GetRow());
    EXPECT_EQ(SHOW, appleSet[0].GetType());
    EXPECT_EQ(16, appleSet[0].GetFrameHeight());
    EXPECT_EQ(5, appleSet[0].GetStrips()[0].GetStartColumn());
    // The first record asked for its texture from a file that is not there.
    EXPECT_EQ(nullptr, texture.GetTexture());
    delete[] playerSet;
    delete[] appleSet;
}

TEST_F(Animations, MalformedRecordsAreRefusedWhole)
{
    tnABO abo;
    EXPECT_EQ(nullptr, abo.CreateFromFile("missing.txt", &texture));
    WriteText(kTwoRecords);
    EXPECT_EQ(nullptr, abo.CreateFromFile(path.c_str(), nullptr));
    std::fstream closed;
    EXPECT_EQ(nullptr, abo.CreateFromFile(closed, &texture));

    // 4 frames of 16 x 16 in one row with the one-pixel grid.
    const std::string sheet = TempGameDir::UniquePath("animation_sheet.bmp");
    WriteBitmap(sheet, 69, 18, [](int, int) { return 0x00FF00u; });
    const std::string generic = "(cut short, or counts out of range)";
    const struct {
        std::string text;
        std::string why; // the log line's reason, after "bad animation records "
    } broken[] = {
        {"Player file 1 255 0 255 32 32 2 Walk 1 North 3 0 0", generic},        // ends before the second animation
        {"Player file 1 255 0 255 32 32 1 Walk 2 North 3 0 0", generic},        // ends inside the strips
        {"Player file 1 255 0 255 thirty 32 1 Walk 1 North 3 0 0", generic},    // not a number
        {"Player file 1 255 0 255 32 70000 1 Walk 1 North 3 0 0", generic},     // beyond 16 bits
        {"Player file 1 255 0 255 32 32 1 Walk 1234 North 3 0 0", generic},     // count word over 3 characters
        {"Player file 1 255 0 255 32 32 1 Walk 1 North 3 0 -1", generic},       // negative column
        {"Player file 1 255 0 255 65535 32 1 Walk 1 North 3 0 65535", generic}, // frames past any sheet's width
        {"Player file 1 255 0 255 32 65535 1 Walk 1 North 3 65535 0", generic}, // rows past any sheet's height
        {"Player " + std::string(80, 'x') + " 1 255 0 255 32 32 0", generic},
        {"Player file 1 255 0 255 32 32 1 Walk 1 North 0 0 0", "(direction 1 of animation 1 has 0 frames)"},
        {"Player file 1 255 0 255 32 32 1 Walk 2 North 3 0 0 East -1 1 0",
         "(direction 2 of animation 1 has -1 frames)"},
        {"Player file 1 255 0 255 0 32 1 Walk 1 North 3 0 0", "(a frame of 0 x 32 texels)"},
        {"Player file 1 255 0 255 32 0 1 Walk 1 North 3 0 0", "(a frame of 32 x 0 texels)"},
        {"Player file 1 255 0 255 32 32 0", "(no animations)"},
        // A count word that is no number counts 0, as atoi reads it.
        {"Player file 0 0 0 0 32 32 1 Walk x", "(animation 1 has 0 directions)"},
        {"Player file 1 255 0 255 32 32 2 Walk 1 North 3 0 0 Die -5", "(animation 2 has -5 directions)"},
        {"Thing " + sheet + " 1 255 0 255 900 900 1 Show 1 ShowSub 4 0 0",
         "(frames of 900 x 900 texels do not fit its sheet of 69 x 18)"},
    };
    const std::string log = TempGameDir::UniquePath("animation_test.log");
    for (const auto& c : broken) {
        SCOPED_TRACE(c.text);
        WriteText(c.text);
        OpenLog(log.c_str());
        EXPECT_EQ(nullptr, abo.CreateFromFile(path.c_str(), &texture));
        EXPECT_EQ(0, abo.GetNumOfAnimations());
        CloseLog();
        EXPECT_EQ("Error: " + path + ": bad animation records " + c.why + "\n", TempGameDir::ReadFile(log));
    }

    // A record sharing a sheet whose frames are smaller than its own.
    WriteText("Thing " + sheet + " 1 255 0 255 16 16 1 Show 1 ShowSub 4 0 0\n"
              "Big " + sheet + " 1 255 0 255 100 100 1 Show 1 ShowSub 1 0 0\n");
    std::fstream stream(path, std::ios::in);
    tnAnimation* first = abo.CreateFromFile(stream, &texture, false, "list.txt");
    ASSERT_NE(nullptr, first);
    delete[] first;
    OpenLog(log.c_str());
    tnABO big;
    EXPECT_EQ(nullptr, big.CreateFromFile(stream, &texture, true, "list.txt"));
    CloseLog();
    EXPECT_EQ("Error: list.txt: bad animation records (frames of 100 x 100 texels do not fit its sheet of 64 x 16)\n",
              TempGameDir::ReadFile(log));
    std::remove(sheet.c_str());
    std::remove(log.c_str());
}

// Colour-key components are kept to their low 8 bits, as they always were;
// one out of range is said, and the set still loads.
TEST_F(Animations, AColourKeyOutOfRangeIsNamedAndTheSetLoads)
{
    WriteText("Thing file 0 999 -5 256 16 16 1 Show 1 ShowSub 1 0 0");
    const std::string log = TempGameDir::UniquePath("animation_key.log");
    OpenLog(log.c_str());
    tnABO abo;
    tnAnimation* set = abo.CreateFromFile(path.c_str(), &texture);
    CloseLog();
    ASSERT_NE(nullptr, set);
    EXPECT_EQ(1, abo.GetNumOfAnimations());
    EXPECT_EQ("Error: " + path + ": colour key 999 -5 256 is outside 0 to 255, its low 8 bits are used\n",
              TempGameDir::ReadFile(log));
    delete[] set;
    std::remove(log.c_str());
}

TEST_F(Animations, LoadsTheSheetNamedInTheRecord)
{
    std::string sheet = TempGameDir::UniquePath("animation_sheet.bmp");
    // 4 frames of 16 x 16 in one row with the one-pixel grid.
    WriteBitmap(sheet, 69, 18, [](int x, int y) { return (x % 17 == 0 || y % 17 == 0) ? 0xFF00FFu : 0x00FF00u; });
    WriteText("Thing " + sheet + " 1 255 0 255 16 16 1 Show 1 ShowSub 4 0 0");
    tnABO abo;
    tnAnimation* set = abo.CreateFromFile(path.c_str(), &texture);
    ASSERT_NE(nullptr, set);
    EXPECT_EQ(64u, texture.GetWidth());
    EXPECT_EQ(16u, texture.GetHeight());
    delete[] set;
    std::remove(sheet.c_str());
}

TEST_F(Animations, FramesAdvanceAtTheUpdateSpeedAndWrap)
{
    WriteText(kTwoRecords);
    tnABO abo;
    tnAnimation* set = abo.CreateFromFile(path.c_str(), &texture);
    ASSERT_NE(nullptr, set);
    ASSERT_TRUE(abo.SetAnimation(WALK, SOUTH));
    abo.SetUpdateSpeed(4);
    std::vector<int> frames;
    for (int call = 1; call <= 10; ++call) {
        abo.Update();
        frames.push_back(abo.GetCurrentFrame());
    }
    // Advances on calls 1, 5 and 9; three frames cycle 0, 1, 2, 0.
    EXPECT_EQ((std::vector<int>{1, 1, 1, 1, 2, 2, 2, 2, 0, 0}), frames);

    abo.SetUpdateSpeed(1);
    abo.SetCurrentFrame(1);
    EXPECT_FALSE(abo.IsLastFrame());
    abo.Update();
    EXPECT_TRUE(abo.IsLastFrame());
    abo.Update();
    EXPECT_EQ(0, abo.GetCurrentFrame());

    // Neither a speed of 0 nor a strip without frames divides by zero.
    abo.SetUpdateSpeed(0);
    abo.Update();
    set[0].SetStrip(2, 0, 0, 2, SOUTH);
    abo.Update();
    EXPECT_EQ(0, abo.GetCurrentFrame());
    delete[] set;
}

TEST_F(Animations, SetAnimationPicksTypeAndDirectionAndRestarts)
{
    WriteText(kTwoRecords);
    tnABO abo;
    tnAnimation* set = abo.CreateFromFile(path.c_str(), &texture);
    ASSERT_NE(nullptr, set);
    ASSERT_TRUE(abo.SetAnimation(WALK, WEST));
    EXPECT_EQ(WEST, abo.GetSubType());
    abo.SetCurrentFrame(2);
    EXPECT_FALSE(abo.SetAnimation(JUMP, WEST)); // not in the set: nothing changes
    EXPECT_FALSE(abo.SetAnimation(NONETYPE, WEST));
    EXPECT_EQ(WALK, abo.GetType());
    EXPECT_EQ(WEST, abo.GetSubType());
    EXPECT_EQ(2, abo.GetCurrentFrame());
    EXPECT_TRUE(abo.SetAnimation(DIE, SOUTH));
    EXPECT_EQ(DIE, abo.GetType());
    EXPECT_EQ(0, abo.GetCurrentFrame());
    EXPECT_FALSE(abo.SetAnimation(WALK, NORTHEAST)); // the walk stays, its strip does not exist
    EXPECT_EQ(WALK, abo.GetType());
    tnUInt8 index = 0;
    EXPECT_TRUE(set[0].FindSubType(SOUTH, index));
    EXPECT_EQ(2, index);
    EXPECT_FALSE(set[0].FindSubType(SHOWSUB, index));
    delete[] set;
}

TEST_F(Animations, StripsPastTheTextureEdgeContinueOnTheNextRow)
{
    std::string sheet = TempGameDir::UniquePath("animation_edge.bmp");
    WriteBitmap(sheet, 69, 35, [](int, int) { return 0x00FF00u; }); // 4 x 2 frames of 16
    WriteText("Thing " + sheet + " 1 255 0 255 16 16 1 Show 1 ShowSub 4 0 2");
    tnABO abo;
    tnAnimation* set = abo.CreateFromFile(path.c_str(), &texture);
    ASSERT_NE(nullptr, set);
    ASSERT_TRUE(abo.SetAnimation(SHOW, SHOWSUB));
    RecordingDevice* device = screen.Record();
    abo.SetPosition(50, 60);
    abo.SetCurrentFrame(1);
    ASSERT_EQ(tnOK, abo.Render()); // column 3: source x 48
    abo.SetCurrentFrame(2);
    ASSERT_EQ(tnOK, abo.Render()); // column 4 is past the edge: row 1, x 0
    ASSERT_EQ(2u, device->draws.size());
    EXPECT_FLOAT_EQ(48.0f / 64.0f, device->draws[0][0].u);
    EXPECT_FLOAT_EQ(0.0f, device->draws[0][0].v);
    EXPECT_FLOAT_EQ(0.0f, device->draws[1][0].u);
    EXPECT_FLOAT_EQ(16.0f / 32.0f, device->draws[1][0].v);
    EXPECT_FLOAT_EQ(42.0f, device->draws[1][0].x);
    delete[] set;
    std::remove(sheet.c_str());

    tnAnimation empty;
    EXPECT_EQ(tnErrorAnimation, empty.Render(0, 0, 1, 1, 0xFFFFFFFF, 0, 0, 0));
    tnABO none;
    EXPECT_EQ(tnErrorAnimation, none.Render());
}

TEST_F(Animations, SizeColourAndCollisions)
{
    WriteText(kTwoRecords);
    tnABO abo, other;
    tnAnimation* set = abo.CreateFromFile(path.c_str(), &texture);
    ASSERT_NE(nullptr, set);
    tnABO empty;
    EXPECT_EQ(0, empty.GetWidth());
    EXPECT_EQ(32, abo.GetWidth());
    abo.SetScaleX(2.0f);
    EXPECT_EQ(64, abo.GetWidth());
    abo.SetScale(1.0f, 1.5f);
    EXPECT_EQ(48, abo.GetHeight());
    abo.SetScale(1.0f, 1.0f);

    abo.SetColor(0xFF, 0x0A, 0x20, 0x30);
    EXPECT_EQ(0xFF0A2030u, abo.GetColor());
    abo.FadeColor(16);
    EXPECT_EQ(0xFF001020u, abo.GetColor());
    abo.Rotate(30.0f, false);
    abo.Rotate(15.0f, true);
    EXPECT_FLOAT_EQ(45.0f, abo.GetAngle());

    abo.SetPosition(100, 100);
    EXPECT_TRUE(abo.Contains(84, 116));
    EXPECT_TRUE(abo.Contains(116, 84));
    EXPECT_FALSE(abo.Contains(117, 100));

    other = abo;
    other.SetPosition(132, 100);
    EXPECT_TRUE(abo.Collides(other, false)); // touching edges count
    other.SetPosition(133, 100);
    EXPECT_FALSE(abo.Collides(other, false));
    // Circles: radii sqrt(16^2 + 16^2) = 22.6 each.
    other.SetPosition(145, 100);
    EXPECT_TRUE(abo.Collides(other, true));
    other.SetPosition(146, 100);
    EXPECT_FALSE(abo.Collides(other, true));
    other.SetRadius(30.0f);
    EXPECT_TRUE(abo.Collides(other, true));

    abo.CleanUp();
    EXPECT_EQ(0xFFFFFFFFu, abo.GetColor());
    EXPECT_EQ(0, abo.GetNumOfAnimations());
    EXPECT_EQ(set, abo.GetAnimations()); // the array is the caller's
    delete[] set;
}
