#ifndef FUZZ_FUZZFOLDER_H
#define FUZZ_FUZZFOLDER_H

#include <cstddef>
#include <cstdint>
#include <string>

// Readers that take a file name get the input as a file. The folder is made
// once per process under the system's temporary folder (with bin/ and Data/
// inside, laid out as the game expects) and removed when the process ends.
namespace fuzzfolder {

// The folder's root, made on first use; aborts when it cannot be made.
const std::string& Root();
// Writes the bytes to Root()/relative (replacing it) and returns the path.
std::string Write(const std::string& relative, const std::uint8_t* data, std::size_t size);
void Remove(const std::string& relative);
// Makes Root()/bin the working directory for its lifetime, so "../Data/..."
// names resolve inside the folder; the old one comes back after each input,
// as the fuzzer itself opens corpus and artifact paths relative to it.
class InBin {
public:
    InBin();
    ~InBin();
    InBin(const InBin&) = delete;
    InBin& operator=(const InBin&) = delete;

private:
    std::string m_strOldCwd;
};
// Hands a value read from a result to the outside, so the reads that let
// the sanitizers check every byte are not optimised away.
void Keep(std::uint32_t value);
// Aborts with a message: the harness's own checks fail as loudly as a
// sanitizer does.
[[noreturn]] void Fail(const char* what);

} // namespace fuzzfolder

#endif
