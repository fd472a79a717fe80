#include "screentext.h"

#include <cstdio>

namespace ScreenText {

const char* const BackHint = "Press Esc to go to the Menu";

namespace {
const char* const kNextPageHint = "Press space to continue, Esc to the Menu";
const unsigned kPercentPerPixel = 25;
} // namespace

void GameSpeed(signed char speed, char* out, tnUInt32 size)
{
    if (out && size)
        std::snprintf(out, size, "%d%%", static_cast<int>(speed));
}

void PlayerSpeed(tnUInt16 speed, char* out, tnUInt32 size)
{
    if (!out || !size)
        return;
    if (speed == 0)
        std::snprintf(out, size, "--%%");
    else
        std::snprintf(out, size, "%u%%", static_cast<unsigned>(speed) * kPercentPerPixel);
}

const char* HelpHint(tnUInt16 page, tnUInt16 totalPages)
{
    return page == totalPages ? BackHint : kNextPageHint;
}

} // namespace ScreenText
