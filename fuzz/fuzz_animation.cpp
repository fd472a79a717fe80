// Animation description texts, read by tnABO as the game reads them: records
// back to back from one stream, each sharing the texture (so no sheet is
// opened), then every animation and direction played and drawn once.
#include "fuzzfolder.h"
#include "fuzzscreen.h"
#include "tnabo.h"
#include "tntexture.h"

#include <fstream>

namespace {

// More records than any animation file holds.
const int kMaxRecords = 64;
const int kUpdatesPerStrip = 3;

void PlayEveryStrip(tnABO& abo)
{
    tnAnimation* animations = abo.GetAnimations();
    for (tnUInt16 a = 0; a < abo.GetNumOfAnimations(); ++a) {
        tnAnimation& animation = animations[a];
        for (tnUInt8 s = 0; s < animation.GetStripCount(); ++s) {
            if (!abo.SetAnimation(animation.GetType(), animation.GetStrips()[s].GetSubType()))
                continue;
            for (int u = 0; u < kUpdatesPerStrip; ++u) {
                abo.Update();
                abo.Render();
            }
            tnFrameStrip* strip = abo.GetCurrentStrip();
            if (strip && strip->GetFrameCount() && abo.GetCurrentFrame() >= strip->GetFrameCount())
                fuzzfolder::Fail("the frame ran past its strip");
            abo.IsLastFrame();
        }
    }
    abo.Contains(0, 0);
    abo.Collides(abo, true);
    abo.Collides(abo, false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MakeScreenWithoutDevice();
    const std::string path = fuzzfolder::Write("input.txt", data, size);
    tnTexture texture;
    std::fstream stream(path, std::ios::in);
    for (int record = 0; record < kMaxRecords; ++record) {
        tnABO abo;
        tnAnimation* set = abo.CreateFromFile(stream, &texture, true);
        if (!set)
            break;
        PlayEveryStrip(abo);
        delete[] set;
    }
    return 0;
}
