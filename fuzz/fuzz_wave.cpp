// The WAV parser, on the bytes directly and through LoadFromFile as the
// game's effects are read.
#include "fuzzfolder.h"
#include "tnsound.h"

namespace {

void CheckInside(const tnSound::WaveData& wave, const std::uint8_t* data, std::size_t size)
{
    if (!wave.wavHeader || !wave.wavData)
        fuzzfolder::Fail("an accepted wave has no header or no data");
    const std::uint8_t* end = data + size;
    if (wave.wavData < data || wave.wavData > end || wave.wavSize > static_cast<std::size_t>(end - wave.wavData))
        fuzzfolder::Fail("the wave's data lies outside the file");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tnSound::WaveData parsed = {nullptr, nullptr, 0};
    const bool accepted = tnSound::ParseWave(data, size, parsed);
    if (accepted) {
        CheckInside(parsed, data, size);
        delete parsed.wavHeader;
    } else if (parsed.wavHeader || parsed.wavData || parsed.wavSize) {
        fuzzfolder::Fail("a refused wave left a filled record");
    }

    const std::string path = fuzzfolder::Write("input.wav", data, size);
    tnSound sound;
    tnSound::WaveData loaded = {nullptr, nullptr, 0};
    const tnError32 result = sound.LoadFromFile(path.c_str(), loaded, false);
    if ((result == tnOK) != accepted)
        fuzzfolder::Fail("LoadFromFile and ParseWave disagree");
    if (result == tnOK && loaded.wavSize != parsed.wavSize)
        fuzzfolder::Fail("LoadFromFile copied a different size");
    tnSound::FreeWaveData(loaded);
    return 0;
}
