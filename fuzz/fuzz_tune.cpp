// A tune as the music loader checks it before the synthesiser may see it:
// the header, every chunk inside the file, the tracks declared present, and
// each track's events to its end of track. Nothing may be read outside the
// bytes, and every refusal must say why.
#include "fuzzfolder.h"
#include "midi_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string problem = platform::MidiFileProblem(data, size);
    fuzzfolder::Keep(static_cast<std::uint32_t>(problem.size()));
    if (size < 14 && problem.empty())
        fuzzfolder::Fail("a tune shorter than its header was accepted");
    return 0;
}
