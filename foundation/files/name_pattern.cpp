#include "foundation/files/name_pattern.h"

#include "foundation/files/file_error_class.h"
#include "foundation/text/text_compare.h"

#include <string_view>

namespace {

constexpr size_t kMaxHalf = 256;

// Matches one half of the name against the pattern from `at`; on return `at` stands where the
// half's pattern ends. In the title half a '*' must end the half ('.' or the pattern's end
// follows); in the extension half it must be the pattern's last character.
int32_t MatchHalf(std::string_view text, std::string_view pattern, size_t& at, bool extension)
{
    text = text.substr(0, kMaxHalf);
    size_t i = 0;
    while (true) {
        if (at < pattern.size() && pattern[at] == '*') {
            ++at;
            if (at == pattern.size())
                return kPatternMatch;
            return !extension && pattern[at] == '.' ? kPatternMatch : kFileErrorBadPattern;
        }
        if (i == text.size()) {
            while (at < pattern.size() && pattern[at] == '?')
                ++at;
            if (at == pattern.size())
                return kPatternMatch;
            if (extension)
                return kPatternNoMatch;
            if (pattern[at] == '*')
                continue;
            return pattern[at] == '.' ? kPatternMatch : kPatternNoMatch;
        }
        if (at == pattern.size())
            return kPatternNoMatch;
        const auto p = static_cast<unsigned char>(pattern[at]);
        if (p != '?' && FoldCharAscii(p) != FoldCharAscii(static_cast<unsigned char>(text[i])))
            return kPatternNoMatch;
        ++at;
        ++i;
    }
}

} // namespace

int32_t MatchNamePattern(const char* name, const char* pattern)
{
    const std::string_view n = name ? name : "";
    const std::string_view p = pattern ? pattern : "";
    if (p == "..")
        return n == ".." ? kPatternMatch : kPatternNoMatch;
    const size_t dot = n.rfind('.');
    const std::string_view title = dot == std::string_view::npos ? n : n.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : n.substr(dot + 1);

    size_t at = 0;
    const int32_t titleResult = MatchHalf(title, p, at, false);
    if (titleResult != kPatternMatch)
        return titleResult;
    if (at < p.size() && p[at] == '.')
        ++at;
    return MatchHalf(extension, p, at, true);
}
