// A frame that changed little is drawn and sent to the screen only where it
// changed. Whatever the frames before it, the screen must then show what
// the frame drawn whole shows: in a window of the picture's size, scaled
// into a larger one, after the window is exposed or resized.
#include "bot.h"
#include "gamefixture.h"

#include "dinput.h"
#include "testcontrol.h"

#include <string>
#include <vector>

namespace {

class PartialFrames : public GameFixture {
protected:
    // The screen now, then the same frame drawn whole: the same pixels.
    void ExpectScreenAsIfDrawnWhole(const std::string& what)
    {
        std::vector<DWORD> partial, whole;
        int width = 0, height = 0;
        ASSERT_TRUE(testcontrol::ReadWindow(partial, &width, &height));
        std::size_t differ = 0, first = partial.size();
        for (std::size_t i = 0; i < partial.size() && i < whole.size(); ++i) {
            if (partial[i] != whole[i] && differ++ == 0)
                first = i;
        }
        EXPECT_EQ(0u, differ) << what << ": first at " << first % width << ", " << first / width << " of " << width
                              << " x " << height;
    }

    // Level 1 played by the bot in a window of the size given (0: the
    // picture's), the grid turned on, a pause and back, the screen checked
    // after every frame.
    void PlayAndCheck(int width, int height)
    {
        ReachMenu();
        ClickMenu(MyGame::MenuNew);
        Click(400, kFirstLevelRowY);
        ASSERT_EQ(MyGame::GameRunning, Probe().State());
        if (width > 0)
            testcontrol::ResizeWindow(width, height); // the pointer's clicks are over
        const std::string size = width > 0 ? std::to_string(width) + " x " + std::to_string(height) : "1024 x 768";
        Bot bot(Probe());
        const int partialBefore = testcontrol::PartialFrameCount();
        for (int frame = 0; frame < 90; ++frame) {
            if (frame == 30)
                Probe().GridOn() = true;
            if (frame == 60)
                PressKey(DIK_P);
            if (frame == 61)
                ReleaseKey(DIK_P);
            if (frame == 75) {
                Probe().TimerCount2() = 1.0f;
                PressKey(DIK_P);
            }
            if (frame == 76)
                ReleaseKey(DIK_P);
            bot.Act();
            Frame();
            ExpectScreenAsIfDrawnWhole(size + ", frame " + std::to_string(frame));
            if (HasFailure())
                return;
        }
        // Most frames changed a little: those took the partial way.
        EXPECT_GT(testcontrol::PartialFrameCount() - partialBefore, 45) << size;
    }
};

} // namespace

TEST_F(PartialFrames, TheScreenAfterPartialFramesIsTheFrameDrawnWhole)
{
    PlayAndCheck(0, 0);
}

TEST_F(PartialFrames, ScaledIntoALargerWindowAsWell)
{
    PlayAndCheck(1440, 1080);
}

TEST_F(PartialFrames, AnAwkwardScaleAnExposureAndAResize)
{
    PlayAndCheck(1366, 768);
    testcontrol::ExposeWindow();
    Frame();
    ExpectScreenAsIfDrawnWhole("exposed");
    testcontrol::ResizeWindow(1000, 700);
    Frame();
    ExpectScreenAsIfDrawnWhole("resized");
}
