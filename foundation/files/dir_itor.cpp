#include "foundation/files/dir_itor.h"

#include "foundation/files/file_error_class.h"
#include "foundation/files/internal/fs_path_check.h"
#include "foundation/files/name_pattern.h"

#include <filesystem>
#include <new>
#include <string>
#include <string_view>

namespace {

constexpr const char* kWholeFolder = "*.*";

XAString WithSlash(const std::string& path)
{
    if (!path.empty() && path.back() != '/')
        return XAString(std::string_view(path + "/"));
    return XAString(std::string_view(path));
}

} // namespace

void CDirItor::Clear()
{
    scan_.Close();
    stack_.clear();
    pattern_ = folderPath_ = relativePath_ = XAString();
    pending_ = Pending::None;
    justLeft_ = false;
    active_ = false;
    status_ = 0;
}

bool CDirItor::Open(const char* folder, int32_t flags)
{
    std::string path = folder ? folder : "";
    if (!path.empty() && path.back() != '/')
        path += '/';
    return OpenPattern((path + kWholeFolder).c_str(), flags);
}

bool CDirItor::OpenPattern(const char* path, int32_t flags)
{
    Clear();
    flags_ = flags;
    std::string full = path ? path : "";
    if (full.empty() || full.back() == '/')
        full += kWholeFolder;
    const size_t slash = full.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : full.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? full : full.substr(slash + 1);

    std::error_code error;
    namespace fs = std::filesystem;
    if (name == "." || name == "..") {
        // The name filters the entries of the folder it is named in: "sub/.." walks sub.
        const fs::path absolute = fs::absolute(fs::path(folder + "."), error).lexically_normal();
        folderPath_ = WithSlash(absolute.string());
        relativePath_ = PathBelowRoot(folderPath_.CStr());
    } else {
        const fs::path absolute =
            fs::absolute(fs::path(folder.empty() ? "." : folder), error).lexically_normal();
        folderPath_ = WithSlash(absolute.string());
        relativePath_ = PathBelowRoot(WithSlash(folder).CStr());
    }
    if (error) {
        EndWalk(FileErrorFromErrno(error.value()));
        return false;
    }
    const int32_t types = (flags & kDirItorTypes) | kDirEntryFolder;
    const bool patternMode = (flags & kDirItorDescend) && (flags & kDirItorPattern);
    if (patternMode) {
        pattern_ = XAString(std::string_view(name));
        scan_.Open((std::string(folderPath_.View()) + kWholeFolder).c_str(), types);
    } else {
        scan_.Open(full.c_str(), types);
    }
    active_ = true;
    return Step();
}

bool CDirItor::Next()
{
    return active_ && Step();
}

void CDirItor::EndWalk(int32_t status)
{
    scan_.Close();
    stack_.clear();
    status_ = status;
    active_ = false;
}

bool CDirItor::Wanted()
{
    if ((scan_.Type() & flags_ & kDirItorTypes) == 0)
        return false;
    if (pattern_.IsEmpty())
        return true;
    const int32_t match = MatchNamePattern(scan_.Name().CStr(), pattern_.CStr());
    if (match == kFileErrorBadPattern)
        EndWalk(kFileErrorBadPattern);
    return match == kPatternMatch;
}

bool CDirItor::Descend()
{
    const std::string name(scan_.Name().View());
    CDirItorSubdirEntry entry{std::move(scan_), folderPath_, relativePath_};
    try {
        stack_.push_back(std::move(entry));
    } catch (const std::bad_alloc&) {
        EndWalk(kFileErrorOutOfMemory);
        return false;
    }
    folderPath_ = XAString(std::string_view(std::string(folderPath_.View()) + name + "/"));
    relativePath_ = XAString(std::string_view(std::string(relativePath_.View()) + name + "/"));
    scan_.Open((std::string(folderPath_.View()) + kWholeFolder).c_str(),
               (flags_ & kDirItorTypes) | kDirEntryFolder);
    return true;
}

bool CDirItor::Step()
{
    const bool descending = (flags_ & kDirItorDescend) != 0;
    const bool contentsFirst = descending && (flags_ & kDirItorContentsFirst) != 0;
    while (active_) {
        if (pending_ == Pending::Advance) {
            scan_.Next();
        } else if (pending_ == Pending::Descend && !Descend()) {
            return false;
        }
        pending_ = Pending::Advance;

        if (scan_.Type() == 0) {
            if (scan_.Status() != kFileErrorNoMoreEntries || stack_.empty()) {
                EndWalk(scan_.Status());
                return false;
            }
            CDirItorSubdirEntry& top = stack_.back();
            scan_ = std::move(top.scan);
            folderPath_ = top.folderPath;
            relativePath_ = top.relativePath;
            stack_.pop_back();
            // A folder walked before its contents was reported already.
            if (!contentsFirst)
                continue;
            justLeft_ = true;
        }

        const bool folder = scan_.Type() == kDirEntryFolder && !scan_.IsLink();
        if (descending && folder && contentsFirst && !justLeft_) {
            pending_ = Pending::Descend;
            continue;
        }
        justLeft_ = false;
        const bool wanted = Wanted();
        if (!active_)
            return false;
        if (descending && folder && !contentsFirst)
            pending_ = Pending::Descend;
        if (wanted)
            return true;
    }
    return false;
}

XAString CDirItor::GetPath() const
{
    return XAString(std::string_view(std::string(folderPath_.View()) + std::string(scan_.Name().View())));
}
