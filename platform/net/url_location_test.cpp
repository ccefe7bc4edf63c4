#include "platform/net/url_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

TEST(UrlLocation, JoinsTextsWithoutSchemeToThePage)
{
    const std::string cwd = std::filesystem::current_path().string();
    struct Case
    {
        const char* url;
        const char* base;
        std::string expected;
    } cases[] = {
        {"http://h.example/a.zyl", "file:///x/page.html", "http://h.example/a.zyl"},
        {"file:///shows/a.zyl", "", "file:///shows/a.zyl"},
        {"a.zyl", "http://h.example/dir/page.html", "http://h.example/dir/a.zyl"},
        {"../b/a.zyl", "https://h.example/dir/sub/page.html", "https://h.example/dir/b/a.zyl"},
        {"/top.zyl", "http://h.example/dir/page.html", "http://h.example/top.zyl"},
        {"a.zyl", "/pages/page.html", "file:///pages/a.zyl"},
        {"shows\\a b.zyl", "/pages/page.html", "file:///pages/shows/a%20b.zyl"},
        {"a.zyl", "file:///pages%20x/page.html", "file:///pages%20x/a.zyl"},
        {"/abs/a.zyl", "/pages/page.html", "file:///abs/a.zyl"},
        {"a.zyl", "", "file://" + cwd + "/a.zyl"},
        {"", "/pages/page.html", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveDownloadLocation(c.url, c.base).View(), c.expected) << c.url << " on " << c.base;
}
