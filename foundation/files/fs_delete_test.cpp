#include "foundation/files/fs_delete.h"

#include "foundation/files/test_support/temp_tree_fixture.h"

namespace {

namespace fs = std::filesystem;
using FsDeleteTest = TempTreeFixture;

TEST_F(FsDeleteTest, TreeGoesContentsFirst)
{
    MakeTree();
    fs::remove(Path("readonly.txt"));
    int32_t files = 0;
    int32_t folders = 0;
    EXPECT_EQ(FsDeleteTree(Path("sub").c_str(), true, files, folders), 0);
    EXPECT_EQ(files, 2);
    EXPECT_EQ(folders, 2);
    EXPECT_FALSE(fs::exists(Path("sub")));

    // The link out of the tree goes, what it leads to stays.
    EXPECT_EQ(FsDeleteTree(root_.c_str(), true, files, folders), 0);
    EXPECT_FALSE(fs::exists(root_));
    EXPECT_TRUE(fs::exists(root_.parent_path()));
}

TEST_F(FsDeleteTest, ReadOnlyEntriesStopAPlainDelete)
{
    MakeTree();
    EXPECT_EQ(FsDelete(Path("readonly.txt").c_str(), false), kFsWriteProtected);
    EXPECT_TRUE(fs::exists(Path("readonly.txt")));
    EXPECT_EQ(FsDelete(Root().c_str(), true), kFsBadName);
    EXPECT_EQ(FsDelete(Path("missing").c_str(), false), kFsNotFound);
    EXPECT_EQ(FsDelete(Path("sub").c_str(), false), kFsAccessDenied);
}

TEST_F(FsDeleteTest, WildcardsSkipHiddenAndReadOnly)
{
    MakeTree();
    MakeFile(".dot.txt");
    int32_t files = 0;
    int32_t folders = 0;
    EXPECT_EQ(FsDeleteTree(Path("*.txt").c_str(), false, files, folders), 0);
    EXPECT_EQ(files, 5); // a, with space, star*name, what?, back\slash
    EXPECT_TRUE(fs::exists(Path("readonly.txt")));
    EXPECT_TRUE(fs::exists(Path(".dot.txt")));
    EXPECT_TRUE(fs::exists(Path("b.zyl")));
    EXPECT_TRUE(fs::exists(Path("sub/c.txt")));
    EXPECT_EQ(FsDeleteTree(Path("*.none").c_str(), false, files, folders), 0);
    EXPECT_EQ(files, 0);
}

TEST_F(FsDeleteTest, ExactDeleteReadsNoWildcards)
{
    MakeTree();
    EXPECT_EQ(FsDeleteExact(Path("star*name.txt").c_str()), 0);
    EXPECT_FALSE(fs::exists(Path("star*name.txt")));
    EXPECT_TRUE(fs::exists(Path("a.txt")));
    EXPECT_EQ(FsDeleteExact(Path("what?.txt").c_str()), 0);
    EXPECT_TRUE(fs::exists(Path("with space.txt")));
    EXPECT_EQ(FsDeleteExact(Path("up").c_str()), 0);
    EXPECT_TRUE(fs::exists(root_.parent_path()));
    EXPECT_EQ(FsDeleteExact(Path("sub").c_str()), 0);
    EXPECT_FALSE(fs::exists(Path("sub")));
}

} // namespace
