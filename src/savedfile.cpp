#include "savedfile.h"

#include "tnlog.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

int SystemOpen(const char* path, int flags, mode_t mode)
{
    return ::open(path, flags, mode);
}

// The folder a file lies in, as open() takes it.
std::string FolderOf(const std::string& name)
{
    const std::string::size_type slash = name.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : name.substr(0, slash);
}

bool g_bWriteNothing = false;

void LogFailure(const std::string& name, const char* what, int error)
{
    const std::string reason = std::string(what) + " (" + std::strerror(error) + ")";
    LogFileProblem(name.c_str(), reason.c_str());
}

} // namespace

SavedFile::Calls SavedFile::System()
{
    return Calls{SystemOpen, ::write, ::fsync, ::close, ::rename, ::unlink};
}

SavedFile::Calls& SavedFile::Use()
{
    static Calls calls = System();
    return calls;
}

void SavedFile::WriteNothing(bool nothing)
{
    g_bWriteNothing = nothing;
}

bool SavedFile::Replace(const std::string& name, const std::string& bytes)
{
    if (g_bWriteNothing)
        return false;
    const std::string aside = name + ".new";
    if (!WriteAside(aside, bytes) || Use().rename(aside.c_str(), name.c_str()) != 0) {
        const int error = errno;
        Use().unlink(aside.c_str());
        LogFailure(name, "cannot be saved", error);
        return false;
    }
    FlushFolder(name);
    return true;
}

// Leaves errno as the failing call set it.
bool SavedFile::WriteAside(const std::string& aside, const std::string& bytes)
{
    const int file = Use().open(aside.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file < 0)
        return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t got = Use().write(file, bytes.data() + written, bytes.size() - written);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got == 0)
                errno = ENOSPC;
            break;
        }
        written += static_cast<std::size_t>(got);
    }
    bool whole = written == bytes.size() && Use().fsync(file) == 0;
    int error = errno;
    // A close that fails can mean the data never reached the disk.
    if (Use().close(file) != 0 && whole) {
        whole = false;
        error = errno;
    }
    errno = error;
    return whole;
}

// The rename is a change of the folder: only when the folder is on the disk
// does the new name survive a power cut.
void SavedFile::FlushFolder(const std::string& name)
{
    const int folder = Use().open(FolderOf(name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (folder < 0) {
        LogFailure(name, "saved, but its folder cannot be flushed", errno);
        return;
    }
    if (Use().fsync(folder) != 0)
        LogFailure(name, "saved, but its folder cannot be flushed", errno);
    Use().close(folder);
}
