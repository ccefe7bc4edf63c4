#include "foundation/files/internal/fs_path_check.h"

#include "foundation/files/file_error_class.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(const XAString& s)
{
    return std::string(s.View());
}

TEST(FsPathCheck, RootsAndBelow)
{
    struct Case
    {
        const char* path;
        const char* root;
        const char* below;
    };
    const Case cases[] = {
        {"\\\\server\\share\\dir\\file", "\\\\server\\share", "dir\\file"},
        {"//server/share", "//server/share", ""},
        {"/home/user/x.zyl", "/", "home/user/x.zyl"},
        {"C:\\dir\\x", "C:", "dir\\x"},
        {"C:x", "C:", "x"},
        {"dir/sub:x", "dir/", "dir/sub:x"},
        {"name", "", "name"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Text(FsRootOfPath(c.path)), c.root) << c.path;
        EXPECT_EQ(Text(PathBelowRoot(c.path)), c.below) << c.path;
    }
    EXPECT_TRUE(FsRootOfPath(nullptr).IsEmpty());
}

TEST(FsPathCheck, Wildcards)
{
    EXPECT_TRUE(FsHasWildcards("a/*.zyl"));
    EXPECT_TRUE(FsHasWildcards("a?"));
    EXPECT_FALSE(FsHasWildcards("a/b.zyl"));
    EXPECT_FALSE(FsHasWildcards(nullptr));
}

TEST(FsPathCheck, CheckPathName)
{
    struct Case
    {
        const char* path;
        int32_t result;
    };
    const Case cases[] = {
        {"show.zyl", 0},
        {"with blank.zyl", kFileErrorBadCharacter},
        {"fifteen_chars_x.zyl", kFileErrorNameTooLong},
        {"fourteen_chars.zyl", 0},
        {"name.abcde", kFileErrorExtensionTooLong},
        {"C:\\dir\\sub\\file.txt", 0},
        {"C:\\dir\\\\file.txt", kFileErrorEmptyComponent},
        {"/home/../x", 0},
        {"/home/a..b", kFileErrorBadCharacter},
        {"/home/we\"ird", kFileErrorBadCharacter},
        {"/home/*.?", 0},
        {"\\\\server\\share\\x", 0},
        {"\\\\server", kFileErrorBadNetworkPrefix},
        {"\\\\\\share", kFileErrorBadNetworkPrefix},
        {"/dir/", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckPathName(c.path), c.result) << c.path;
}

} // namespace
