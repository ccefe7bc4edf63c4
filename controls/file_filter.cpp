#include "controls/file_filter.h"

#include "foundation/files/fs_name.h"
#include "foundation/text/text_compare.h"

#include <string_view>

namespace {

constexpr char kFilterSeparator = '|';
constexpr char kPatternSeparator = ';';
constexpr std::string_view kEveryName = "*.*";

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

XAString ToXAString(std::string_view text)
{
    return XAString(text);
}

bool Matches(std::string_view name, std::string_view pattern)
{
    // Iterative wildcard match with one backtrack point: linear in practice, never recursive.
    size_t n = 0;
    size_t p = 0;
    size_t starAt = std::string_view::npos;
    size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || FoldCharAscii(static_cast<unsigned char>(pattern[p])) ==
                                      FoldCharAscii(static_cast<unsigned char>(name[n])))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace

std::vector<LFileFilter> ParseFileFilters(const char* filters)
{
    std::string_view text = filters != nullptr ? filters : "";
    // The list ends at its first empty description: the closing "||".
    const size_t end = text.find("||");
    if (end != std::string_view::npos)
        text = text.substr(0, end);
    std::vector<LFileFilter> result;
    if (text.empty())
        return result;
    const std::vector<std::string_view> parts = Split(text, kFilterSeparator);
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        LFileFilter filter;
        filter.description = ToXAString(parts[i]);
        for (std::string_view pattern : Split(parts[i + 1], kPatternSeparator)) {
            pattern = Trimmed(pattern);
            if (!pattern.empty())
                filter.patterns.push_back(ToXAString(pattern));
        }
        result.push_back(filter);
    }
    return result;
}

bool FileNameMatches(const char* name, const char* pattern)
{
    const std::string_view p = pattern != nullptr ? pattern : "";
    if (p == kEveryName)
        return true;
    return Matches(name != nullptr ? name : "", p);
}

bool FileNameMatchesFilter(const char* name, const LFileFilter& filter)
{
    for (const XAString& pattern : filter.patterns) {
        if (FileNameMatches(name, pattern.CStr()))
            return true;
    }
    return false;
}

XAString WithDefaultExtension(const XAString& path, const char* extension)
{
    if (path.IsEmpty() || extension == nullptr || *extension == '\0' || !XAFsName(path).Extension().IsEmpty())
        return path;
    const XAFsName name(path);
    if (name.FileNamePart().IsEmpty())
        return path;
    return path + "." + extension;
}

namespace {

std::string ChooserPattern(const XAString& pattern)
{
    if (std::string_view(pattern.CStr()) == kEveryName)
        return "*";
    std::string glob;
    for (const char* at = pattern.CStr(); *at != '\0'; ++at) {
        const char c = *at;
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
            glob += c;
            continue;
        }
        const char lower = static_cast<char>(c | 0x20);
        const char upper = static_cast<char>(lower - 'a' + 'A');
        glob += '[';
        glob += lower;
        glob += upper;
        glob += ']';
    }
    return glob;
}

} // namespace

std::string ChooserFilterText(const char* filters)
{
    std::string text;
    for (const LFileFilter& filter : ParseFileFilters(filters)) {
        if (!text.empty())
            text += kFilterSeparator;
        text += filter.description.CStr();
        text += kFilterSeparator;
        for (size_t i = 0; i < filter.patterns.size(); ++i) {
            if (i > 0)
                text += kPatternSeparator;
            text += ChooserPattern(filter.patterns[i]);
        }
    }
    return text;
}
