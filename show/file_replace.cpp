#include "file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kCopyBlockBytes = 65536;
constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kNewFileMode = 0666;
constexpr const char* kCopySuffix = ".XXXXXX";

// The permissions the replaced file had, so that a rewrite does not widen or narrow them.
bool ExistingMode(const char* target, mode_t& mode)
{
    struct stat info = {};
    if (::stat(target, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    mode = info.st_mode & kPermissionBits;
    return true;
}

int SyncHandle(int handle)
{
    while (::fsync(handle) != 0) {
        if (errno != EINTR)
            return errno;
    }
    return 0;
}

// The new file's bytes must be on disk before its name replaces the old one, or a crash
// just after the rename could leave an empty file where the user's show was.
int SettleSource(const char* source, const char* target)
{
    const int handle = ::open(source, O_RDONLY | O_CLOEXEC);
    if (handle < 0)
        return errno;
    mode_t mode = 0;
    struct stat info = {};
    if (ExistingMode(target, mode) && ::fstat(handle, &info) == 0 && S_ISREG(info.st_mode))
        ::fchmod(handle, mode);
    const int error = SyncHandle(handle);
    ::close(handle);
    return error;
}

// Makes the rename itself durable; some file systems cannot sync a folder, which costs
// nothing but durability, so that is not a failure of the replace.
void SyncFolder(const char* path)
{
    const int handle = ::open(FolderOf(path).CStr(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return;
    SyncHandle(handle);
    ::close(handle);
}

int WriteAll(int out, const char* bytes, ssize_t count)
{
    for (ssize_t put = 0; put < count;) {
        const ssize_t n = ::write(out, bytes + put, static_cast<size_t>(count - put));
        if (n > 0)
            put += n;
        else if (n == 0)
            return ENOSPC;
        else if (errno != EINTR)
            return errno;
    }
    return 0;
}

// The errno of the first failure, 0 on success.
int CopyBytes(int in, int out)
{
    static thread_local char block[kCopyBlockBytes];
    for (;;) {
        const ssize_t got = ::read(in, block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got < 0 ? errno : 0;
        if (const int error = WriteAll(out, block, got); error != 0)
            return error;
    }
}

// Copies source to a new file beside target and renames that over target, so that a copy
// failing halfway (a full disk) leaves the user's file as it was.
int CopyOver(const char* source, const char* target)
{
    const int in = ::open(source, O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    std::string copy = std::string(target) + kCopySuffix;
    const int out = ::mkostemp(copy.data(), O_CLOEXEC);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        return error;
    }
    mode_t mode = 0;
    if (!ExistingMode(target, mode)) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = kNewFileMode & ~mask;
    }
    ::fchmod(out, mode);
    int error = CopyBytes(in, out);
    ::close(in);
    if (error == 0)
        error = SyncHandle(out);
    if (::close(out) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(copy.c_str(), target) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(copy.c_str());
        return error;
    }
    SyncFolder(target);
    return 0;
}

} // namespace

int ReplaceFileWith(const char* source, const char* target)
{
    if (const int error = SettleSource(source, target); error != 0)
        return error;
    if (std::rename(source, target) == 0) {
        SyncFolder(target);
        return 0;
    }
    if (errno != EXDEV)
        return errno;
    const int error = CopyOver(source, target);
    if (error != 0)
        return error;
    return ::unlink(source) == 0 ? 0 : errno;
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
