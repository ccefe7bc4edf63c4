// A test fixture: a fresh temporary folder holding the awkward names a Linux folder can hold
// (dotfiles, blanks, '*', '?', '\', UTF-8), a read-only file, a symbolic-link loop and a link
// that leads out of the tree.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class TempTreeFixture : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zyl_tree_XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
    }

    void TearDown() override
    {
        std::error_code error;
        std::filesystem::permissions(Path("readonly.txt"), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(root_, error);
    }

    std::string Path(const std::string& relative) const { return (root_ / relative).string(); }
    // The root with a trailing '/'.
    std::string Root() const { return root_.string() + "/"; }

    void MakeFile(const std::string& relative, const std::string& bytes = "x") const
    {
        std::filesystem::create_directories((root_ / relative).parent_path());
        std::ofstream(Path(relative), std::ios::binary) << bytes;
    }

    void MakeTree() const
    {
        for (const char* name : {"a.txt", "b.zyl", "noext", ".hidden", "with space.txt", "star*name.txt",
                                 "what?.txt", "back\\slash.txt",
                                 "\xC3\xBCnic\xC3\xB6"
                                 "de.zyl",
                                 "sub/c.txt", "sub/deeper/d.zyl"})
            MakeFile(name);
        MakeFile("readonly.txt");
        std::filesystem::permissions(Path("readonly.txt"), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        std::filesystem::create_directory(Path("empty"));
        std::filesystem::create_symlink("loop", Path("loop"));
        std::filesystem::create_symlink("..", Path("up"));
    }

    static std::vector<std::string> Sorted(std::vector<std::string> names)
    {
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path root_;
};
