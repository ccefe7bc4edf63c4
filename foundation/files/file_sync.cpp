#include "foundation/files/file_sync.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kUmaskBits = 0777;
constexpr const char* kStatusFile = "/proc/self/status";
constexpr const char* kUmaskField = "Umask:";

// The process's umask, read where the kernel shows it: setting it to read it back would, for a
// moment, give every file another thread creates full permissions.
mode_t ProcessUmask()
{
    std::ifstream status(kStatusFile);
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(kUmaskField, 0) == 0)
            return static_cast<mode_t>(std::strtoul(line.c_str() + std::strlen(kUmaskField), nullptr, 8)) &
                   kUmaskBits;
    }
    // Kernels before 4.7 do not show it.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

int SyncFileHandle(int handle)
{
    while (::fsync(handle) != 0) {
        if (errno != EINTR)
            return errno;
    }
    return 0;
}

void SyncFolderOf(const char* path)
{
    const int handle = ::open(FolderOf(path).CStr(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return;
    SyncFileHandle(handle);
    ::close(handle);
}

XAString FolderOf(const char* path)
{
    const char* slash = path ? std::strrchr(path, '/') : nullptr;
    if (!slash)
        return XAString(".");
    if (slash == path)
        return XAString("/");
    return XAString(path, static_cast<int32_t>(slash - path));
}

bool ExistingFileMode(const char* path, mode_t& mode)
{
    struct stat info = {};
    if (!path || ::stat(path, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    mode = info.st_mode & kPermissionBits;
    return true;
}

mode_t ReplacementFileMode(const char* path)
{
    mode_t mode = 0;
    if (ExistingFileMode(path, mode))
        return mode;
    return kNewFileMode & ~ProcessUmask();
}

XAString ReplacementTarget(const char* path)
{
    struct stat info = {};
    if (!path || ::lstat(path, &info) != 0 || !S_ISLNK(info.st_mode))
        return XAString(path ? path : "");
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    // A link to nothing is replaced itself: there is no file behind it to keep.
    return error ? XAString(path) : XAString(resolved.c_str());
}
