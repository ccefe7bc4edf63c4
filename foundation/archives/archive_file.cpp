#include "foundation/archives/archive_file.h"

#include "foundation/files/fs_entry.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kDiskFullText = "UnbufferedWriteRaw: Disk full!";
constexpr int64_t kMaxPosition = std::numeric_limits<int32_t>::max();
constexpr mode_t kNewFileMode = 0666;

int OpenFlags(int32_t mode)
{
    switch (mode) {
    case kArchiveFileRewrite:
        return O_RDWR;
    case kArchiveFileCreate:
    case kArchiveFileCreateDirs:
        return O_RDWR | O_CREAT | O_TRUNC;
    case kArchiveFileAppend:
        return O_RDWR | O_CREAT;
    default:
        return O_RDONLY;
    }
}

bool IsWriterMode(int32_t mode)
{
    return OpenFlags(mode) != O_RDONLY;
}

} // namespace

LArchiveFile::~LArchiveFile()
{
    Close(false);
}

void LArchiveFile::SetSystemError()
{
    Status().FromSystemCode(errno);
}

bool LArchiveFile::TooLarge(int64_t end)
{
    if (end <= kMaxPosition)
        return false;
    Status().SetError(kArchiveTooLargeText, 0);
    return true;
}

bool LArchiveFile::Open(const char* name, int32_t mode, bool owned)
{
    Close(false);
    if (mode == kArchiveFileCreateDirs) {
        const std::filesystem::path folder = std::filesystem::path(name ? name : "").parent_path();
        // A folder that cannot be made shows in the open's own error.
        if (!folder.empty())
            MakeDirs(folder.c_str());
    }
    int handle = ::open(name ? name : "", OpenFlags(mode) | O_CLOEXEC, kNewFileMode);
    if (handle != kNoHandle) {
        // A folder opens for reading on this system but reads nothing.
        struct stat info = {};
        if (::fstat(handle, &info) == 0 && S_ISDIR(info.st_mode)) {
            ::close(handle);
            handle = kNoHandle;
            errno = EISDIR;
        }
    }
    if (!Attach(handle, IsWriterMode(mode), owned))
        return false;
    if (mode == kArchiveFileAppend) {
        const int32_t size = GetFileSize();
        if (size > 0) {
            if (UnbufferedSkipRaw(size, size) != size)
                return false;
            SetPosition(size);
        }
    }
    return !HasError();
}

bool LArchiveFile::Attach(int handle, bool writer, bool owned)
{
    const int openError = errno;
    Close(false);
    Reset();
    if (handle == kNoHandle) {
        errno = openError;
        SetSystemError();
        return false;
    }
    uint8_t* base =
        static_cast<uint8_t*>(buffer_.Alloc(kIoBufferBytes, &XABlock::ReleasePlain, kIoBufferBytes));
    const int32_t size = base ? kIoBufferBytes : kFallbackBytes;
    if (!base)
        base = fallback_;
    if (writer)
        SetWriteBuffer(base, size);
    else
        SetReadBuffer(base, size);
    handle_ = handle;
    owned_ = owned;
    struct stat info = {};
    if (::fstat(handle, &info) == 0 && S_ISREG(info.st_mode) && TooLarge(info.st_size)) {
        Close(false);
        return false;
    }
    return true;
}

bool LArchiveFile::Close(bool force)
{
    if (IsWriter()) {
        Flush();
        SetWriteBuffer(nullptr, 0);
    } else {
        SetReadBuffer(nullptr, 0);
    }
    buffer_.Clear();
    if (handle_ != kNoHandle && (owned_ || force) && ::close(handle_) != 0)
        SetSystemError();
    handle_ = kNoHandle;
    owned_ = false;
    return !HasError();
}

int32_t LArchiveFile::UnbufferedReadRaw(void* destination, int32_t min, int32_t max)
{
    auto* out = static_cast<uint8_t*>(destination);
    int32_t total = 0;
    while (total < max) {
        const ssize_t got = ::read(handle_, out + total, static_cast<size_t>(max - total));
        if (got > 0) {
            total += static_cast<int32_t>(got);
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            SetSystemError();
            return total;
        }
        break;
    }
    if (total < min)
        Status().SetError(kArchiveEndOfFileText, 0);
    return total;
}

int64_t LArchiveFile::RawOffset()
{
    const off_t here = ::lseek(handle_, 0, SEEK_CUR);
    if (here < 0)
        SetSystemError();
    return here;
}

int32_t LArchiveFile::UnbufferedSkipRaw(int32_t min, int32_t max)
{
    struct stat info = {};
    const int64_t here = RawOffset();
    if (here < 0)
        return 0;
    if (::fstat(handle_, &info) != 0) {
        SetSystemError();
        return 0;
    }
    const int64_t left = std::max<int64_t>(0, info.st_size - here);
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(std::max(min, 0), left));
    if (::lseek(handle_, n, SEEK_CUR) < 0) {
        SetSystemError();
        return 0;
    }
    if (n < min)
        Status().SetError(kArchiveEndOfFileText, 0);
    return n;
}

int32_t LArchiveFile::UnbufferedWriteRaw(const void* source, int32_t n)
{
    if (n <= 0)
        return 0;
    const int64_t here = RawOffset();
    if (here < 0 || TooLarge(here + n))
        return 0;
    const auto* in = static_cast<const uint8_t*>(source);
    int32_t total = 0;
    while (total < n) {
        const ssize_t put = ::write(handle_, in + total, static_cast<size_t>(n - total));
        if (put > 0) {
            total += static_cast<int32_t>(put);
            continue;
        }
        if (put < 0 && errno == EINTR)
            continue;
        if (put == 0 || errno == ENOSPC || errno == EDQUOT)
            Status().SetError(kDiskFullText, 0);
        else
            SetSystemError();
        break;
    }
    return total;
}

int32_t LArchiveFile::GetFileSize()
{
    if (IsWriter())
        Flush();
    struct stat info = {};
    if (::fstat(handle_, &info) != 0) {
        SetSystemError();
        return 0;
    }
    if (TooLarge(info.st_size))
        return static_cast<int32_t>(kMaxPosition);
    return static_cast<int32_t>(info.st_size);
}

int32_t LArchiveFile::SeekRel(int32_t distance)
{
    int64_t d = 0;
    if (SeekWithinBuffer(distance, d))
        return Tell();
    const int64_t from = RawOffset();
    if (from < 0)
        return 0;
    if (TooLarge(from + d))
        return 0;
    const off_t to = ::lseek(handle_, static_cast<off_t>(from + d), SEEK_SET);
    if (to < 0) {
        SetSystemError();
        return 0;
    }
    // With the buffer empty the logical position is the file's offset.
    SetPosition(static_cast<int32_t>(to));
    return Tell();
}

XAString LArchiveFile::ReadAll()
{
    return ReadAString(GetFileSize());
}

XAString LoadFileToString(const char* name)
{
    LArchiveFile file(name, kArchiveFileRead, true);
    XAString text = file.ReadAll();
    file.Close(false);
    return text;
}
