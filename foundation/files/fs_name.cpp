#include "foundation/files/fs_name.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace {

constexpr char kSeparator = '/';
constexpr char kDriveColon = ':';
constexpr int32_t kDrivePrefixLength = 2;
constexpr const char* kProgramLink = "/proc/self/exe";

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasDrivePrefix(std::string_view text)
{
    return text.size() >= kDrivePrefixLength && IsAsciiLetter(text[0]) && text[1] == kDriveColon;
}

bool IsDrivePrefix(std::string_view text)
{
    return text.size() == kDrivePrefixLength && HasDrivePrefix(text);
}

bool HasServerPrefix(std::string_view text)
{
    return text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1]);
}

std::size_t NextSeparator(std::string_view text, std::size_t from)
{
    while (from < text.size() && !IsSeparator(text[from]))
        ++from;
    return from;
}

// Where the part that no path operation may split ends: after a complete server prefix or a
// drive prefix; the length of the text when the text ends inside a server prefix.
std::size_t RootEnd(std::string_view text)
{
    if (HasServerPrefix(text)) {
        const std::size_t serverEnd = NextSeparator(text, 2);
        const std::size_t shareEnd = NextSeparator(text, serverEnd + 1);
        return shareEnd < text.size() ? shareEnd + 1 : text.size();
    }
    return HasDrivePrefix(text) ? kDrivePrefixLength : 0;
}

std::size_t FileNameStart(std::string_view text)
{
    std::size_t start = RootEnd(text);
    for (std::size_t i = start; i < text.size(); ++i) {
        if (IsSeparator(text[i]))
            start = i + 1;
    }
    return start;
}

// The server prefix without its closing separator, complete or not: two separators, the server
// name and possibly a separator and the share name.
bool IsServerPrefix(std::string_view text)
{
    if (!HasServerPrefix(text))
        return false;
    const std::size_t serverEnd = NextSeparator(text, 2);
    return serverEnd == text.size() || NextSeparator(text, serverEnd + 1) == text.size();
}

int32_t Index(std::size_t position)
{
    return static_cast<int32_t>(position);
}

} // namespace

XAFsName XAFsName::FileNamePart() const
{
    return Sub(Index(FileNameStart(View())), Length());
}

XAFsName XAFsName::DirectoryPart() const
{
    return Sub(0, Index(FileNameStart(View())));
}

XAFsName XAFsName::Extension() const
{
    const XAFsName part = FileNamePart();
    const std::size_t dot = part.View().rfind('.');
    return dot == std::string_view::npos ? XAFsName() : XAFsName(part.Sub(Index(dot + 1), part.Length()));
}

XAFsName XAFsName::FileTitle() const
{
    const XAFsName part = FileNamePart();
    const std::string_view name = part.View();
    if (name == "." || name == "..")
        return part;
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? part : XAFsName(part.Sub(0, Index(dot)));
}

// A run of separators at the start of name counts as one. Empty sides give the other side; a
// drive prefix is followed directly by name; otherwise exactly one separator stands between
// them: the one a side brings (the directory's when both do), or '/' when neither does.
XAFsName XAFsName::AppendPath(const char* name) const
{
    std::string_view tail = name ? name : "";
    if (IsEmpty())
        return XAFsName(tail);
    while (tail.size() >= 2 && IsSeparator(tail[0]) && IsSeparator(tail[1]))
        tail.remove_prefix(1);
    if (tail.empty())
        return *this;
    const std::string_view directory = View();
    const bool directoryHasSeparator = IsSeparator(directory.back());
    const bool nameHasSeparator = IsSeparator(tail.front());
    if (directoryHasSeparator && nameHasSeparator)
        tail.remove_prefix(1);
    std::string joined(directory);
    if (!directoryHasSeparator && !nameHasSeparator && !IsDrivePrefix(directory))
        joined += kSeparator;
    joined += tail;
    return XAFsName(std::string_view(joined));
}

XAFsName XAFsName::StripTrailingSlashes() const
{
    const std::string_view text = View();
    std::size_t end = text.size();
    while (end > 0 && IsSeparator(text[end - 1]))
        --end;
    if (end == text.size())
        return *this;
    const std::string_view rest = text.substr(0, end);
    const bool keepOne = rest.empty() || IsDrivePrefix(rest) || IsServerPrefix(rest);
    return Sub(0, Index(keepOne ? end + 1 : end));
}

XAFsName XAFsName::FullPath() const
{
    if (IsEmpty())
        return XAFsName();
    std::string text(View());
    for (char& c : text) {
        if (c == '\\')
            c = kSeparator;
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(text, error);
    if (error)
        return XAFsName();
    std::string full = absolute.lexically_normal().string();
    // Normalising "dir/.." leaves "/cwd/"; like the name asked for, the result ends in a
    // separator only when the name did (or it is the root).
    if (full.size() > 1 && full.back() == kSeparator && text.back() != kSeparator)
        full.pop_back();
    if (full.size() > static_cast<std::size_t>(kMaxFullPath))
        return XAFsName();
    return XAFsName(std::string_view(full));
}

XAFsName XAFsName::FromModuleFileName(const void* address)
{
    if (address) {
        Dl_info info{};
        link_map* module = nullptr;
        if (!dladdr1(address, &info, reinterpret_cast<void**>(&module), RTLD_DL_LINKMAP) || !module)
            return XAFsName();
        // The program itself has an empty name in the loader's list.
        if (module->l_name && module->l_name[0] != 0) {
            const XAFsName path(module->l_name);
            if (path.Length() > kMaxModulePath)
                return XAFsName();
            return path.CStr()[0] == kSeparator ? path : path.FullPath();
        }
    }
    char path[kMaxModulePath + 1];
    const ssize_t length = readlink(kProgramLink, path, sizeof(path));
    if (length <= 0 || length > kMaxModulePath)
        return XAFsName();
    return XAFsName(std::string_view(path, static_cast<std::size_t>(length)));
}

XAFsName XAFsName::FromModuleDirectory(const void* address)
{
    return FromModuleFileName(address).DirectoryPart().StripTrailingSlashes();
}
