#include "foundation/files/dir_scan.h"

#include "foundation/files/file_error_class.h"
#include "foundation/files/file_time.h"
#include "foundation/files/name_pattern.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <utility>

namespace {

constexpr const char* kWholeFolder = "*.*";

bool HasWildcard(std::string_view s)
{
    return s.find_first_of("*?") != std::string_view::npos;
}

} // namespace

CDirScan::CDirScan(CDirScan&& other) noexcept
{
    *this = std::move(other);
}

CDirScan& CDirScan::operator=(CDirScan&& other) noexcept
{
    if (this == &other)
        return *this;
    Close();
    name_ = std::move(other.name_);
    wanted_ = other.wanted_;
    type_ = other.type_;
    status_ = other.status_;
    dir_ = std::exchange(other.dir_, nullptr);
    single_ = other.single_;
    folder_ = std::move(other.folder_);
    pattern_ = std::move(other.pattern_);
    entryFlags_ = other.entryFlags_;
    accessFlags_ = other.accessFlags_;
    packedDate_ = other.packedDate_;
    timeOfDay_ = other.timeOfDay_;
    size_ = other.size_;
    isLink_ = other.isLink_;
    other.type_ = 0;
    return *this;
}

CDirScan::~CDirScan()
{
    Close();
}

void CDirScan::Close()
{
    if (dir_)
        ::closedir(dir_);
    dir_ = nullptr;
    single_ = false;
}

void CDirScan::OpenDefault(const char* path)
{
    Open(path, kDirEntryFile);
}

void CDirScan::Open(const char* path, int32_t types)
{
    Close();
    wanted_ = types;
    status_ = 0;
    type_ = 0;
    name_ = XAString();
    const std::string_view full = path ? path : "";
    const size_t slash = full.rfind('/');
    const std::string_view folder =
        slash == std::string_view::npos ? std::string_view() : full.substr(0, slash + 1);
    std::string_view pattern = slash == std::string_view::npos ? full : full.substr(slash + 1);
    folder_ = XAString(folder);
    if (!pattern.empty() && !HasWildcard(pattern) && pattern != "." && pattern != "..") {
        // One named entry.
        pattern_ = XAString(pattern);
        single_ = true;
        Seek(pattern_.CStr());
        return;
    }
    pattern_ = XAString(pattern.empty() ? std::string_view(kWholeFolder) : pattern);
    dir_ = ::opendir(folder.empty() ? "." : folder_.CStr());
    if (!dir_) {
        End(FileErrorFromErrno(errno));
        return;
    }
    Seek(ReadNextName());
}

const char* CDirScan::ReadNextName()
{
    if (single_ || !dir_) {
        End(kFileErrorNoMoreEntries);
        return nullptr;
    }
    errno = 0;
    const dirent* entry = ::readdir(dir_);
    if (!entry) {
        End(errno == 0 ? kFileErrorNoMoreEntries : FileErrorFromErrno(errno));
        return nullptr;
    }
    return entry->d_name;
}

void CDirScan::End(int32_t status)
{
    Close();
    status_ = status;
    type_ = 0;
    name_ = XAString();
    if (status != kFileErrorNoMoreEntries)
        pattern_ = XAString();
}

void CDirScan::Next()
{
    if (!dir_ && !single_)
        return;
    Seek(ReadNextName());
}

bool CDirScan::Describe(const char* name)
{
    const std::string path = std::string(folder_.View()) + name;
    struct stat info = {};
    struct stat own = {};
    if (::lstat(path.c_str(), &own) != 0)
        return false;
    isLink_ = S_ISLNK(own.st_mode);
    // A link that does not resolve (missing target, loop) is described as itself.
    if (!isLink_ || ::stat(path.c_str(), &info) != 0)
        info = own;
    const std::string_view n = name;
    name_ = XAString(n);
    const bool folder = S_ISDIR(info.st_mode);
    type_ = n == "." ? kDirEntrySelf : n == ".." ? kDirEntryParent : folder ? kDirEntryFolder : kDirEntryFile;
    entryFlags_ = n == "." ? kDirFlagSelf : n == ".." ? kDirFlagParent : folder ? kDirFlagFolder : 0;
    accessFlags_ = kDirAccessDefault;
    if (n.size() > 1 && n[0] == '.' && n != "..")
        accessFlags_ |= kDirAccessHidden;
    // Links count as writable: removing one never touches its target.
    if (!isLink_ && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        accessFlags_ &= ~kDirAccessWritable;
    FileTimeToDayTime(FileTimeRecordOf(info.st_mtim), packedDate_, timeOfDay_);
    size_ = static_cast<uint32_t>(info.st_size);
    return true;
}

void CDirScan::Seek(const char* name)
{
    for (; name; name = ReadNextName()) {
        if (!Describe(name)) {
            if (single_) {
                End(FileErrorFromErrno(errno));
                return;
            }
            continue; // gone since the folder was read
        }
        if ((type_ & wanted_) == 0)
            continue;
        const int32_t match = MatchNamePattern(name_.CStr(), pattern_.CStr());
        if (match == kFileErrorBadPattern) {
            End(kFileErrorBadPattern);
            return;
        }
        if (match == kPatternMatch) {
            status_ = 0;
            return;
        }
    }
}
