#include "preview/collect_paths.h"

#include "foundation/files/dir_itor.h"
#include "foundation/files/fs_name.h"
#include "foundation/text/text_compare.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

bool IsLink(const XAString& path)
{
    std::error_code error;
    return std::filesystem::is_symlink(path.CStr(), error);
}

bool IsFolder(const XAString& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path.CStr(), error);
}

// Entries of a walk: a link to a folder is not followed, as the walk itself does not enter it,
// so a link back up the tree cannot make the walk endless.
bool CollectWalkEntry(const XAString& path, std::vector<XAString>& list)
{
    if (IsLink(path) && IsFolder(path))
        return true;
    return CollectPaths(path, list);
}

} // namespace

XAString ResolveLink(const XAString& path)
{
    if (path.IsEmpty() || !IsLink(path))
        return path;
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(path.CStr(), error);
    if (error)
        return path;
    return XAString(target.c_str());
}

bool CollectPaths(const XAString& path, std::vector<XAString>& list)
{
    const XAString target = ResolveLink(path);
    if (target.IsEmpty())
        return true;
    if (!IsFolder(target)) {
        list.push_back(target);
        return true;
    }
    CDirItor walk;
    for (bool more = walk.Open(target.CStr(), kDirEntryFile | kDirItorDescend | kDirItorPattern); more; more = walk.Next()) {
        if (!CollectWalkEntry(walk.GetPath(), list))
            return false;
    }
    return true;
}

void SortPathsNatural(std::vector<XAString>& list)
{
    std::stable_sort(list.begin(), list.end(),
                     [](const XAString& a, const XAString& b) { return StrCompareNatural(a.CStr(), b.CStr()) < 0; });
}

bool HasExtension(const XAString& path, const char* extension)
{
    return StrEqualNoCaseAscii(XAFsName(path).Extension().CStr(), extension);
}
