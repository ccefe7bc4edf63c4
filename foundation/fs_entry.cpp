#include "fs_entry.h"

#include <cerrno>
#include <string>
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

} // namespace

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
