// Profile (INI) files on the local file system.

#include "../winsys.h"
#include "profile_document.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string WindowsDirectory()
{
    if (const char* dir = std::getenv("AOKIRI_CONFIG_DIR"); dir && *dir) return dir;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return std::string(config) + "/aokiri";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/aokiri";
}

std::string ProfilePath(LPCSTR fileName)
{
    if (std::strchr(fileName, '/')) return fileName;
    return WindowsDirectory() + "/" + fileName;
}

// A missing or unreadable file reads as an empty one, as on Windows.
std::string ReadWholeFile(const std::string& path)
{
    std::string text;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return text;
    char chunk[4096];
    size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, count);
    std::fclose(file);
    return text;
}

bool MakeDirectories(const std::string& dir)
{
    for (size_t slash = dir.find('/', 1); ; slash = dir.find('/', slash + 1)) {
        std::string prefix = dir.substr(0, slash);
        if (mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) return true;
    }
}

mode_t NewFileMode(const std::string& path)
{
    struct stat existing;
    if (stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, const std::string& text)
{
    for (size_t done = 0; done < text.size();) {
        ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

// Writes beside the file, then renames over it, so that a reader never
// sees half a file and a failure leaves the old one whole.
bool ReplaceFile(const std::string& path, const std::string& text)
{
    size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !MakeDirectories(path.substr(0, slash))) return false;

    std::string temporary = path + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0) return false;
    bool written = fchmod(fd, NewFileMode(path)) == 0 && WriteAll(fd, text) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

UINT GetWindowsDirectoryA(LPSTR buffer, UINT size)
{
    std::string dir = WindowsDirectory();
    if (!buffer || size <= dir.size()) return static_cast<UINT>(dir.size() + 1);
    std::memcpy(buffer, dir.c_str(), dir.size() + 1);
    return static_cast<UINT>(dir.size());
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName)
{
    if (!section || !key || !*key || !fileName) return static_cast<UINT>(defaultValue);
    winsys::ProfileDocument document(ReadWholeFile(ProfilePath(fileName)));
    std::optional<std::string> value = document.Find(section, key);
    return winsys::ProfileValueToInt(value.value_or(""), defaultValue);
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName)
{
    if (!section || !key || !*key || !value || !fileName) return FALSE;
    std::string path = ProfilePath(fileName);
    winsys::ProfileDocument document(ReadWholeFile(path));
    document.Set(section, key, value);
    return ReplaceFile(path, document.Text()) ? TRUE : FALSE;
}
