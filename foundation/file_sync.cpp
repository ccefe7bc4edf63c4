#include "file_sync.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kNewFileMode = 0666;

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
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return kNewFileMode & ~mask;
}
