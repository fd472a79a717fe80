#include "testcontrol.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<testcontrol::Failure>& Pending()
{
    static std::vector<testcontrol::Failure> failures;
    return failures;
}
} // namespace

namespace testcontrol {

const char* FailureName(Failure operation)
{
    static const char* const kNames[] = {
        "Acquire",           "CreateDevice",       "CreateFontA",       "CreateImageSurface",
        "CreateKeyboard",    "CreateMouse",        "CreateRenderer",    "CreateSoundBuffer",
        "CreateTexture",     "CreateWindowExA",    "D3DXCreateFont",    "Direct3DCreate8",
        "DirectInput8Create", "DirectSoundCreate8", "DirectSoundSetCooperativeLevel",
        "Download",          "GetDeviceData",      "GetDeviceState",    "InitAudio",
        "InitGameControllers", "LoadImageA",       "OpenAudioDevice",   "Play",
        "PlaySegmentEx",     "QueryPerformanceFrequency", "RegisterClassA", "Reset",
        "SetCooperativeLevel", "SetDataFormat", "SetProperty", "SetVolume",
    };
    static_assert(sizeof(kNames) / sizeof(kNames[0]) == static_cast<std::size_t>(Failure::SetVolume) + 1,
                  "one name for each failure");
    return kNames[static_cast<std::size_t>(operation)];
}

void FailOnce(Failure operation)
{
    Pending().push_back(operation);
}

bool ConsumeFailure(Failure operation)
{
    std::vector<Failure>& failures = Pending();
    if (failures.empty())
        return false;
    auto it = std::find(failures.begin(), failures.end(), operation);
    if (it == failures.end())
        return false;
    failures.erase(it);
    return true;
}

std::vector<Failure> PendingFailures()
{
    return Pending();
}

void ClearFailures()
{
    Pending().clear();
}

} // namespace testcontrol
