#include "fuzzfolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace fuzzfolder {

namespace {
void RemoveRoot()
{
    std::error_code ignored;
    std::filesystem::remove_all(Root(), ignored);
}
} // namespace

const std::string& Root()
{
    static const std::string root = [] {
        std::error_code error;
        std::string pattern = (std::filesystem::temp_directory_path(error) / "grovekeep-fuzz-XXXXXX").string();
        if (error || !mkdtemp(pattern.data()))
            Fail("cannot make the temporary folder");
        std::filesystem::create_directories(pattern + "/bin", error);
        std::filesystem::create_directories(pattern + "/Data", error);
        if (error)
            Fail("cannot make bin/ and Data/ in the temporary folder");
        return pattern;
    }();
    static const bool removedAtExit = std::atexit(RemoveRoot) == 0;
    (void)removedAtExit;
    return root;
}

std::string Write(const std::string& relative, const std::uint8_t* data, std::size_t size)
{
    std::string path = Root() + "/" + relative;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (size)
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    file.close();
    if (!file)
        Fail("cannot write the input file");
    return path;
}

void Remove(const std::string& relative)
{
    std::remove((Root() + "/" + relative).c_str());
}

InBin::InBin()
{
    std::error_code error;
    m_strOldCwd = std::filesystem::current_path(error).string();
    if (error || chdir((Root() + "/bin").c_str()) != 0)
        Fail("cannot enter bin/ in the temporary folder");
}

InBin::~InBin()
{
    if (chdir(m_strOldCwd.c_str()) != 0)
        Fail("cannot return to the working directory");
}

void Keep(std::uint32_t value)
{
    static volatile std::uint32_t kept;
    kept = kept ^ value;
}

void Fail(const char* what)
{
    std::fprintf(stderr, "fuzz harness: %s\n", what);
    std::abort();
}

} // namespace fuzzfolder
