#include "file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr size_t kCopyBlockBytes = 65536;
constexpr mode_t kNewFileMode = 0666;

// The errno of the first failure, 0 on success.
int CopyFile(const char* source, const char* target)
{
    const int in = open(source, O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    const int out = open(target, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kNewFileMode);
    if (out < 0) {
        const int error = errno;
        close(in);
        return error;
    }
    static thread_local char block[kCopyBlockBytes];
    int error = 0;
    for (;;) {
        const ssize_t got = read(in, block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error = got < 0 ? errno : 0;
            break;
        }
        for (ssize_t put = 0; put < got && error == 0;) {
            const ssize_t n = write(out, block + put, static_cast<size_t>(got - put));
            if (n < 0 && errno != EINTR)
                error = errno;
            else if (n > 0)
                put += n;
        }
        if (error != 0)
            break;
    }
    close(in);
    if (close(out) != 0 && error == 0)
        error = errno;
    return error;
}

} // namespace

int ReplaceFileWith(const char* source, const char* target)
{
    if (std::rename(source, target) == 0)
        return 0;
    if (errno != EXDEV)
        return errno;
    const int error = CopyFile(source, target);
    if (error != 0)
        return error;
    return unlink(source) == 0 ? 0 : errno;
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
