#include "foundation/files/fs_delete.h"

#include "foundation/files/dir_itor.h"

#include <filesystem>
#include <string_view>
#include <unistd.h>

namespace {

constexpr int32_t kWalkRecursive = kDirEntryFile | kDirEntryFolder | kDirItorDescend | kDirItorContentsFirst;
constexpr int32_t kWalkFlat = kDirEntryFile | kDirEntryFolder;

int32_t DeleteOne(const CDirItor& walk)
{
    const XAString path = walk.GetPath();
    const bool folder = walk.Scan().Type() == kDirEntryFolder && !walk.Scan().IsLink();
    const int result = folder ? ::rmdir(path.CStr()) : ::unlink(path.CStr());
    return result == 0 ? kFsOk : FsLastError();
}

} // namespace

int32_t FsDeleteTree(const char* path, bool recursive, int32_t& files, int32_t& folders)
{
    files = folders = 0;
    const std::string_view full = path ? path : "";
    const size_t slash = full.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? full : full.substr(slash + 1);
    if (name.empty())
        return kFsBadName;
    const bool wildcards = name.find_first_of("*?") != std::string_view::npos;

    CDirItor walk;
    if (!walk.OpenPattern(path, recursive ? kWalkRecursive : kWalkFlat)) {
        if (wildcards && walk.Status() == kFileErrorNoMoreEntries)
            return kFsOk;
        return FileErrorToClass(walk.Status());
    }
    do {
        const CDirScan& entry = walk.Scan();
        const bool writable = (entry.AccessFlags() & kDirAccessWritable) == kDirAccessWritable;
        const bool hidden = (entry.AccessFlags() & kDirAccessHidden) != 0;
        if (!writable) {
            if (!wildcards)
                return kFsWriteProtected;
            continue;
        }
        if (wildcards && hidden)
            continue;
        const int32_t result = DeleteOne(walk);
        if (result == kFsAccessDenied && wildcards)
            continue;
        if (result != kFsOk)
            return result;
        ++(entry.Type() == kDirEntryFolder && !entry.IsLink() ? folders : files);
    } while (walk.Next());
    return walk.Status() == kFileErrorNoMoreEntries ? kFsOk : FileErrorToClass(walk.Status());
}

int32_t FsDelete(const char* path, bool recursive)
{
    int32_t files = 0;
    int32_t folders = 0;
    return FsDeleteTree(path, recursive, files, folders);
}

int32_t FsDeleteExact(const char* path)
{
    std::error_code error;
    std::filesystem::remove_all(path ? path : "", error);
    return error ? ErrnoToClass(error.value()) : kFsOk;
}
