#include "foundation/files/internal/fs_path_check.h"

#include "foundation/files/file_error_class.h"

#include <string_view>

namespace {

constexpr size_t kMaxNamePart = 14;
constexpr size_t kMaxExtension = 4;

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool IsNetworkPath(std::string_view p)
{
    return p.size() >= 2 && IsSeparator(p[0]) && IsSeparator(p[1]);
}

// Where the share name of a network path ends (the end of the text when it has no further
// separator); npos when the server or the share is missing.
size_t ShareEnd(std::string_view p)
{
    const size_t server = 2;
    size_t at = server;
    while (at < p.size() && !IsSeparator(p[at]))
        ++at;
    if (at == server || at == p.size())
        return std::string_view::npos;
    const size_t share = at + 1;
    at = share;
    while (at < p.size() && !IsSeparator(p[at]))
        ++at;
    return at == share ? std::string_view::npos : at;
}

XAString FromView(std::string_view v)
{
    return XAString(v);
}

bool IsPlainNameChar(unsigned char c)
{
    return c == 0x21 || (c >= 0x23 && c <= 0x29) || (c >= 0x2B && c <= 0x2D) || (c >= 0x30 && c <= 0x39) ||
           c == 0x3B || c == 0x3D || (c >= 0x40 && c <= 0x5B) || (c >= 0x5D && c <= 0x7B) ||
           (c >= 0x7D && c <= 0x7E) || c >= 0x80 || c == '?' || c == '*';
}

int32_t CheckComponent(std::string_view name)
{
    if (name == "..")
        return kFsOk;
    const size_t dot = name.find('.');
    const std::string_view title = name.substr(0, dot);
    const std::string_view extension =
        dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    for (const std::string_view part : {title, extension})
        for (const char c : part)
            if (!IsPlainNameChar(static_cast<unsigned char>(c)))
                return kFileErrorBadCharacter;
    if (title.size() > kMaxNamePart)
        return kFileErrorNameTooLong;
    if (extension.size() > kMaxExtension)
        return kFileErrorExtensionTooLong;
    return kFsOk;
}

} // namespace

XAString FsRootOfPath(const char* path)
{
    const std::string_view p = path ? path : "";
    if (IsNetworkPath(p)) {
        const size_t end = ShareEnd(p);
        return FromView(p.substr(0, end == std::string_view::npos ? p.size() : end));
    }
    const size_t first = p.find_first_of("/\\:");
    return first == std::string_view::npos ? XAString() : FromView(p.substr(0, first + 1));
}

XAString PathBelowRoot(const char* path)
{
    const std::string_view p = path ? path : "";
    if (IsNetworkPath(p)) {
        const size_t end = ShareEnd(p);
        return end == std::string_view::npos || end == p.size() ? XAString() : FromView(p.substr(end + 1));
    }
    const size_t separator = p.find_first_of("/\\");
    const size_t colon = p.find(':');
    if (separator == 0)
        return FromView(p.substr(1));
    if (colon == std::string_view::npos || (separator != std::string_view::npos && separator < colon))
        return XAString(path);
    size_t rest = colon + 1;
    if (rest < p.size() && IsSeparator(p[rest]))
        ++rest;
    return FromView(p.substr(rest));
}

bool FsHasWildcards(const char* path)
{
    return std::string_view(path ? path : "").find_first_of("*?") != std::string_view::npos;
}

int32_t CheckPathName(const char* path)
{
    std::string_view p = path ? path : "";
    if (IsNetworkPath(p)) {
        const size_t end = ShareEnd(p);
        if (end == std::string_view::npos)
            return kFileErrorBadNetworkPrefix;
        p = p.substr(end);
    } else if (const size_t root = p.find_first_of("/\\:"); root != std::string_view::npos) {
        p = p.substr(root + 1);
    } else {
        return CheckComponent(p);
    }
    // What follows the root: components between separators; only the first may be empty.
    bool first = true;
    while (true) {
        const size_t end = p.find_first_of("/\\");
        const std::string_view component = p.substr(0, end);
        if (component.empty() && !first && end != std::string_view::npos)
            return kFileErrorEmptyComponent;
        if (const int32_t result = CheckComponent(component); result != kFsOk)
            return result;
        if (end == std::string_view::npos)
            return kFsOk;
        p = p.substr(end + 1);
        first = false;
    }
}
