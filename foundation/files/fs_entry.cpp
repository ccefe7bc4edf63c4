#include "foundation/files/fs_entry.h"

#include "foundation/files/file_time.h"
#include "foundation/files/name_pattern.h"

#include <cerrno>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace {

constexpr mode_t kNewFolderMode = 0777;

// The path without trailing '/', keeping a lone root.
std::string StripTrailingSeparators(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool HasWildcard(std::string_view s)
{
    return s.find_first_of("*?") != std::string_view::npos;
}

// Describes the entry at path under the given name; false with errno set when it is not there.
bool DescribeEntry(const std::string& path, std::string_view name, FsEntry& entry)
{
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0 && ::lstat(path.c_str(), &info) != 0)
        return false;
    entry.longName = XAString(name);
    entry.shortName = entry.longName;
    entry.size = static_cast<uint32_t>(info.st_size);
    entry.attributes = 0;
    if (S_ISDIR(info.st_mode))
        entry.attributes |= kFsAttributeDirectory;
    if (name.size() > 1 && name[0] == '.' && name != "..")
        entry.attributes |= kFsAttributeHidden;
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        entry.attributes |= kFsAttributeReadOnly;
    entry.lastWrite = FileTimeRecordOf(info.st_mtim);
    return true;
}

} // namespace

int32_t LSmbFsSearchHandle::FindFirst(const char* path, FsEntry& entry)
{
    Close();
    std::string full = path ? path : "";
    if (full.empty() || full.back() == '/')
        full += '*';
    const size_t slash = full.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : full.substr(0, slash + 1);
    const std::string pattern = full.substr(folder.size());
    if (!HasWildcard(pattern)) {
        if (!DescribeEntry(full, pattern, entry))
            return FsLastError();
        single_ = true;
        return kFsOk;
    }
    dir_ = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir_)
        return FsLastError();
    while (true) {
        errno = 0;
        const dirent* found = ::readdir(dir_);
        if (!found)
            return errno == 0 ? kFsNotFound : FsLastError();
        const int32_t match = MatchNamePattern(found->d_name, pattern.c_str());
        if (match == kFileErrorBadPattern)
            return kFsBadName;
        if (match == kPatternMatch && DescribeEntry(folder + found->d_name, found->d_name, entry))
            return kFsOk;
    }
}

int32_t LSmbFsSearchHandle::Close()
{
    if (!dir_ && !single_)
        return kFsInvalidHandle;
    const int result = dir_ ? ::closedir(dir_) : 0;
    dir_ = nullptr;
    single_ = false;
    return result == 0 ? kFsOk : FsLastError();
}

int32_t FsGetEntry(const char* path, FsEntry& entry)
{
    std::string full = StripTrailingSeparators(path ? path : "");
    if (full.empty() || full.back() == '/')
        full += '.';
    if (HasWildcard(full))
        return kFsInvalidArgument;
    LSmbFsSearchHandle search;
    return search.FindFirst(full.c_str(), entry);
}

int32_t FsDirectoryExists(const XAString& path)
{
    struct stat info = {};
    if (path.IsEmpty())
        return kFsNotFound;
    if (::stat(path.CStr(), &info) != 0)
        return FsLastError();
    return S_ISDIR(info.st_mode) ? kFsOk : kFsAccessDenied;
}

int32_t FsCreateDirectory(const XAString& path)
{
    return ::mkdir(path.CStr(), kNewFolderMode) == 0 ? kFsOk : FsLastError();
}

int32_t MakeDirs(const XAString& path)
{
    const int32_t exists = FsDirectoryExists(path);
    if (exists != kFsNotFound)
        return exists;
    const std::string stripped = StripTrailingSeparators(std::string(path.View()));
    const size_t slash = stripped.rfind('/');
    const std::string name = slash == std::string::npos ? stripped : stripped.substr(slash + 1);
    if (name.empty())
        return kFsBadName;
    if (slash != std::string::npos && slash > 0) {
        const int32_t parent = MakeDirs(XAString(std::string_view(stripped).substr(0, slash)));
        if (parent != kFsOk)
            return parent;
    }
    const int32_t created = FsCreateDirectory(XAString(std::string_view(stripped)));
    // Another process may have made it in the meantime.
    if (created == kFsAlreadyExists)
        return FsDirectoryExists(path);
    return created;
}

int32_t FsVolumeLabel(const char* path, XAString& label)
{
    label = XAString();
    return kFsNotSupported;
}
