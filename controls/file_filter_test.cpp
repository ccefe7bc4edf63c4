#include "controls/file_filter.h"

#include <gtest/gtest.h>

namespace {

TEST(FileFilter, ParsesPairsUpToTheClosingBars)
{
    const std::vector<LFileFilter> filters = ParseFileFilters("Zyl Files|*.zyl|All Files (*.*)|*.*||ignored|*.x");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_STREQ(filters[0].description.CStr(), "Zyl Files");
    ASSERT_EQ(filters[0].patterns.size(), 1u);
    EXPECT_STREQ(filters[0].patterns[0].CStr(), "*.zyl");
    EXPECT_STREQ(filters[1].description.CStr(), "All Files (*.*)");

    const std::vector<LFileFilter> pictures = ParseFileFilters("Pictures|*.bmp; *.png;*.jpg||");
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].patterns.size(), 3u);
    EXPECT_STREQ(pictures[0].patterns[1].CStr(), "*.png");

    EXPECT_TRUE(ParseFileFilters("").empty());
    EXPECT_TRUE(ParseFileFilters(nullptr).empty());
    EXPECT_EQ(ParseFileFilters("Only a description").size(), 0u);
}

TEST(FileFilter, MatchesWithoutRegardToAsciiCase)
{
    struct Case
    {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const Case cases[] = {
        {"show.zyl", "*.zyl", true},   {"SHOW.ZYL", "*.zyl", true},  {"show.zyl.bak", "*.zyl", false},
        {"README", "*.*", true},       {"README", "*", true},        {".hidden", "*.zyl", false},
        {"a.zyp", "?.zyp", true},      {"ab.zyp", "?.zyp", false},   {"Ä.zyl", "*.ZYL", true},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileNameMatches(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
    const LFileFilter all = ParseFileFilters("All|*.zyl;*.zyp||")[0];
    EXPECT_TRUE(FileNameMatchesFilter("x.ZYP", all));
    EXPECT_FALSE(FileNameMatchesFilter("x.png", all));
}

TEST(FileFilter, SaveNamesGetTheDefaultExtension)
{
    EXPECT_STREQ(WithDefaultExtension("/home/u/settings", "zyp").CStr(), "/home/u/settings.zyp");
    EXPECT_STREQ(WithDefaultExtension("/home/u/settings.zyp", "zyp").CStr(), "/home/u/settings.zyp");
    EXPECT_STREQ(WithDefaultExtension("/home/u/settings.txt", "zyp").CStr(), "/home/u/settings.txt");
    EXPECT_STREQ(WithDefaultExtension("/home/u.d/settings", "zyp").CStr(), "/home/u.d/settings.zyp");
    EXPECT_STREQ(WithDefaultExtension("/home/u/", "zyp").CStr(), "/home/u/");
    EXPECT_STREQ(WithDefaultExtension("", "zyp").CStr(), "");
    EXPECT_STREQ(WithDefaultExtension("name", "").CStr(), "name");
}

} // namespace
