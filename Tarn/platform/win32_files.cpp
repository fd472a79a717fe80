// The program's own path and the player's folders, standing in for the
// Win32 and shell calls with /proc and the XDG base directories.
#include "win32.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return home;
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "";
}

// An XDG variable counts only when it holds an absolute path.
std::string XdgFolder(const char* variable, const char* underHome)
{
    const char* value = std::getenv(variable);
    if (value && value[0] == '/')
        return value;
    std::string home = HomeFolder();
    return home.empty() ? "" : home + "/" + underHome;
}

bool CopyOut(const std::string& text, LPSTR out, std::size_t size)
{
    if (text.empty() || text.size() >= size)
        return false;
    std::memcpy(out, text.c_str(), text.size() + 1);
    return true;
}

} // namespace

DWORD GetModuleFileNameA(HMODULE module, LPSTR path, DWORD size)
{
    if (module || !path || size == 0)
        return 0;
    ssize_t length = readlink("/proc/self/exe", path, size);
    if (length <= 0 || static_cast<DWORD>(length) >= size)
        return 0;
    path[length] = '\0';
    return static_cast<DWORD>(length);
}

HRESULT SHGetFolderPathA(HWND, int folder, HANDLE, DWORD, LPSTR path)
{
    if (!path)
        return E_INVALIDARG;
    std::string found;
    if (folder == CSIDL_APPDATA)
        found = XdgFolder("XDG_DATA_HOME", ".local/share");
    else if (folder == CSIDL_LOCAL_APPDATA)
        found = XdgFolder("XDG_STATE_HOME", ".local/state");
    else
        return E_INVALIDARG;
    return CopyOut(found, path, MAX_PATH) ? S_OK : E_FAIL;
}
