#include "tempgamedir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

TempGameDir::TempGameDir(bool withContent)
{
    m_strOldCwd = fs::current_path().string();
    std::string pattern = (fs::temp_directory_path() / "grovekeep-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    m_strRoot = pattern;
    fs::create_directories(Bin());
    for (const char* folder : {"Data", "Graphics", "sound"}) {
        fs::path source = fs::path(GROVEKEEP_GAME_DIR) / folder;
        if (withContent && fs::exists(source))
            fs::copy(source, Path(folder), fs::copy_options::recursive);
        else
            fs::create_directories(Path(folder));
    }
    fs::current_path(Bin());
}

TempGameDir::~TempGameDir()
{
    std::error_code ignored;
    fs::current_path(m_strOldCwd, ignored);
    fs::remove_all(m_strRoot, ignored);
}

std::string TempGameDir::ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void TempGameDir::WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempGameDir::UniquePath(const std::string& name)
{
    return (fs::temp_directory_path() / ("grovekeep-" + std::to_string(getpid()) + "-" + name)).string();
}
