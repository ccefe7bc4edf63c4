#include "foundation/files/fs_name.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct SplitCase
{
    const char* path;
    const char* fileName;
    const char* directory;
    const char* extension;
    const char* title;
};

TEST(XAFsName, SplitTable)
{
    const SplitCase cases[] = {
        {"", "", "", "", ""},
        {"name", "name", "", "", "name"},
        {"dir/name.ext", "name.ext", "dir/", "ext", "name"},
        {"C:\\dir\\archive.tar.gz", "archive.tar.gz", "C:\\dir\\", "gz", "archive.tar"},
        {"mixed\\dir/file.zyl", "file.zyl", "mixed\\dir/", "zyl", "file"},
        {"C:x.txt", "x.txt", "C:", "txt", "x"},
        {"dir/a:b", "a:b", "dir/", "", "a:b"}, // a colon past the start is part of the name
        {"12:34", "12:34", "", "", "12:34"},
        {"dir/", "", "dir/", "", ""},
        {"/", "", "/", "", ""},
        {"dir/.ext", ".ext", "dir/", "ext", ""},
        {"dir/name.", "name.", "dir/", "", "name"},
        {"dir/..", "..", "dir/", "", ".."},
        {"dir/.", ".", "dir/", "", "."},
        {"dir.d/name", "name", "dir.d/", "", "name"},
        {"\\\\server\\share", "", "\\\\server\\share", "", ""},
        {"\\\\server", "", "\\\\server", "", ""},
        {"\\\\server\\share\\", "", "\\\\server\\share\\", "", ""},
        {"\\\\server\\share\\f.txt", "f.txt", "\\\\server\\share\\", "txt", "f"},
        {"//server/share/d/f", "f", "//server/share/d/", "", "f"},
    };
    for (const SplitCase& c : cases) {
        const XAFsName path(c.path);
        EXPECT_STREQ(path.FileNamePart().CStr(), c.fileName) << c.path;
        EXPECT_STREQ(path.DirectoryPart().CStr(), c.directory) << c.path;
        EXPECT_STREQ(path.Extension().CStr(), c.extension) << c.path;
        EXPECT_STREQ(path.FileTitle().CStr(), c.title) << c.path;
    }
}

TEST(XAFsName, WholeNameIsShared)
{
    const XAFsName name("plain.txt");
    const XAFsName part = name.FileNamePart();
    EXPECT_EQ(part.Block(), name.Block());
    const XAFsName server("\\\\server\\share");
    EXPECT_EQ(server.DirectoryPart().Block(), server.Block());
}

struct JoinCase
{
    const char* directory;
    const char* name;
    const char* expected;
};

TEST(XAFsName, AppendPathTable)
{
    const JoinCase cases[] = {
        {"C:", "x", "C:x"},
        {"C:", "\\x", "C:\\x"},
        {"dir\\", "\\x", "dir\\x"},
        {"dir", "x", "dir/x"},
        {"dir/", "x", "dir/x"},
        {"dir", "\\x", "dir\\x"},
        {"dir", "\\\\\\x", "dir\\x"}, // a run of separators counts as one
        {"dir/", "//x", "dir/x"},
        {"", "x", "x"},
        {"", "//server/x", "//server/x"},
        {"dir", "", "dir"},
        {"dir", nullptr, "dir"},
        {"a:", "x", "a:x"},
        {"ab:", "x", "ab:/x"}, // only a leading letter and colon is a drive
        {"/", "x", "/x"},
    };
    for (const JoinCase& c : cases) {
        EXPECT_STREQ(XAFsName(c.directory).AppendPath(c.name).CStr(), c.expected)
            << c.directory << " + " << (c.name ? c.name : "null");
    }
}

TEST(XAFsName, StripTrailingSlashesTable)
{
    const JoinCase cases[] = {
        {"C:\\", nullptr, "C:\\"},
        {"C:\\\\", nullptr, "C:\\"},
        {"\\", nullptr, "\\"},
        {"///", nullptr, "/"},
        {"C:\\dir\\", nullptr, "C:\\dir"},
        {"dir//", nullptr, "dir"},
        {"dir", nullptr, "dir"},
        {"", nullptr, ""},
        {"\\\\server\\", nullptr, "\\\\server\\"},
        {"\\\\server\\share\\\\", nullptr, "\\\\server\\share\\"},
        {"\\\\server\\share\\dir\\", nullptr, "\\\\server\\share\\dir"},
        {"ab:/", nullptr, "ab:"},
    };
    for (const JoinCase& c : cases)
        EXPECT_STREQ(XAFsName(c.directory).StripTrailingSlashes().CStr(), c.expected) << c.directory;
}

class XAFsNameFullPath : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        saved_ = std::filesystem::current_path();
        folder_ = std::filesystem::temp_directory_path() / ("fs_name_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
        std::filesystem::current_path(folder_);
    }
    void TearDown() override
    {
        std::filesystem::current_path(saved_);
        std::filesystem::remove_all(folder_);
    }
    std::string Folder() const { return folder_.string(); }

    std::filesystem::path saved_;
    std::filesystem::path folder_;
};

TEST_F(XAFsNameFullPath, Table)
{
    const std::string folder = Folder();
    const std::string parent = folder_.parent_path().string();
    const struct
    {
        const char* path;
        std::string expected;
    } cases[] = {
        {".", folder},
        {"x", folder + "/x"},
        {"x/", folder + "/x/"},
        {"sub\\file.zyl", folder + "/sub/file.zyl"}, // the path need not exist
        {"a/./b/../c", folder + "/a/c"},
        {"..", parent},
        {"/abs//path", "/abs/path"},
        {"/", "/"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(XAFsName(c.path).FullPath().View(), c.expected) << c.path;
}

TEST_F(XAFsNameFullPath, TooLongGivesEmpty)
{
    const std::string longest = "/" + std::string(XAFsName::kMaxFullPath - 1, 'n');
    EXPECT_EQ(XAFsName(longest.c_str()).FullPath().Length(), XAFsName::kMaxFullPath);
    const std::string tooLong = longest + "n";
    EXPECT_TRUE(XAFsName(tooLong.c_str()).FullPath().IsEmpty());
}

void ModulePathsProbe()
{
}

TEST(XAFsName, ModulePaths)
{
    const XAFsName program = XAFsName::FromModuleFileName();
    EXPECT_EQ(program.View(), std::filesystem::read_symlink("/proc/self/exe").string());
    EXPECT_STREQ(program.FileNamePart().CStr(), "foundation_files_test");
    EXPECT_EQ(XAFsName::FromModuleFileName(reinterpret_cast<const void*>(&ModulePathsProbe)).View(),
              program.View());
    const XAFsName directory = XAFsName::FromModuleDirectory();
    EXPECT_EQ(directory.View(), std::filesystem::path(program.CStr()).parent_path().string());

    const XAFsName library = XAFsName::FromModuleFileName(reinterpret_cast<const void*>(&::fopen));
    EXPECT_EQ(library.CStr()[0], '/');
    EXPECT_NE(library.View().find(".so"), std::string_view::npos) << library.CStr();
}

} // namespace
