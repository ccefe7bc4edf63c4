#include "foundation/files/name_pattern.h"

#include "foundation/files/file_error_class.h"

#include <gtest/gtest.h>

namespace {

TEST(NamePattern, Table)
{
    struct Case
    {
        const char* name;
        const char* pattern;
        int32_t result;
    };
    const Case cases[] = {
        {"ab.txt", "*.*", kPatternMatch},
        {"abc", "*.*", kPatternMatch},
        {".bashrc", "*.*", kPatternMatch},
        {"abc", "*", kPatternMatch},
        {"ab.txt", "*", kPatternNoMatch},
        {"ab.txt", "a?.t*", kPatternMatch},
        {"AB.TXT", "a?.t*", kPatternMatch},
        {"ab.txt", "a?.t", kPatternNoMatch},
        {"ab.t", "a?.t??", kPatternMatch},
        {"a", "a??.*", kPatternMatch},
        {"ab", "a?c", kPatternNoMatch},
        {"abc", "ab", kPatternNoMatch},
        {"foo.tar.gz", "foo.tar.gz", kPatternMatch},
        {"foo.tar.gz", "*.gz", kPatternMatch},
        {"foo.tar.gz", "*.tar", kPatternNoMatch},
        {"x.zyl", "*.ZYL", kPatternMatch},
        {"..", "..", kPatternMatch},
        {"...", "..", kPatternNoMatch},
        {".", ".", kPatternMatch},
        {"a", ".", kPatternNoMatch},
        {"ab.txt", "a*b.txt", kFileErrorBadPattern},
        {"ab.txt", "*.t*t", kFileErrorBadPattern},
        {"", "*", kPatternMatch},
        {"a", "", kPatternNoMatch},
        {nullptr, nullptr, kPatternMatch},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchNamePattern(c.name, c.pattern), c.result)
            << (c.name ? c.name : "null") << " " << (c.pattern ? c.pattern : "null");
}

} // namespace
