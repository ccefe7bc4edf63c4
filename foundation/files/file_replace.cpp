#include "foundation/files/file_replace.h"

#include "foundation/files/file_sync.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kCopyBlockBytes = 65536;
constexpr const char* kCopySuffix = ".XXXXXX";

// The new file's bytes must be on disk before its name replaces the old one, or a crash
// just after the rename could leave an empty file where the user's show was.
int SettleSource(const char* source, const char* target)
{
    const int handle = ::open(source, O_RDONLY | O_CLOEXEC);
    if (handle < 0)
        return errno;
    mode_t mode = 0;
    struct stat info = {};
    if (ExistingFileMode(target, mode) && ::fstat(handle, &info) == 0 && S_ISREG(info.st_mode))
        ::fchmod(handle, mode);
    const int error = SyncFileHandle(handle);
    ::close(handle);
    return error;
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
    ::fchmod(out, ReplacementFileMode(target));
    int error = CopyBytes(in, out);
    ::close(in);
    if (error == 0)
        error = SyncFileHandle(out);
    if (::close(out) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(copy.c_str(), target) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(copy.c_str());
        return error;
    }
    SyncFolderOf(target);
    return 0;
}

} // namespace

int ReplaceFileWith(const char* source, const char* targetPath)
{
    const XAString resolved = ReplacementTarget(targetPath);
    const char* target = resolved.CStr();
    if (const int error = SettleSource(source, target); error != 0)
        return error;
    if (std::rename(source, target) == 0) {
        SyncFolderOf(target);
        return 0;
    }
    if (errno != EXDEV)
        return errno;
    const int error = CopyOver(source, target);
    if (error != 0)
        return error;
    return ::unlink(source) == 0 ? 0 : errno;
}
