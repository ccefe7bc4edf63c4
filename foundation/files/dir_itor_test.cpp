#include "foundation/files/dir_itor.h"

#include "foundation/files/file_error_class.h"
#include "foundation/files/test_support/temp_tree_fixture.h"

namespace {

class DirItorTest : public TempTreeFixture
{
  protected:
    // The walk's paths relative to the root, in the walk's order.
    std::vector<std::string> Walk(const std::string& path, int32_t flags, int32_t* status = nullptr)
    {
        std::vector<std::string> paths;
        CDirItor walk;
        for (bool more = walk.OpenPattern(path.c_str(), flags); more; more = walk.Next()) {
            const std::string full(walk.GetPath().View());
            EXPECT_EQ(full.rfind(Root(), 0), 0u) << full;
            paths.push_back(full.substr(Root().size()));
        }
        if (status)
            *status = walk.Status();
        return paths;
    }

    static size_t IndexOf(const std::vector<std::string>& v, const std::string& s)
    {
        return static_cast<size_t>(std::find(v.begin(), v.end(), s) - v.begin());
    }
};

TEST_F(DirItorTest, ContentsFirstVisitsEverythingOnce)
{
    MakeTree();
    int32_t status = 0;
    const std::vector<std::string> paths = Walk(Root(), 0x303, &status);
    EXPECT_EQ(status, kFileErrorNoMoreEntries);
    EXPECT_EQ(Sorted(paths), Sorted({".hidden", "a.txt", "b.zyl", "back\\slash.txt", "empty", "loop", "noext",
                                     "readonly.txt", "star*name.txt", "sub", "sub/c.txt", "sub/deeper",
                                     "sub/deeper/d.zyl", "up", "what?.txt", "with space.txt",
                                     "\xC3\xBCnic\xC3\xB6"
                                     "de.zyl"}));
    EXPECT_LT(IndexOf(paths, "sub/deeper/d.zyl"), IndexOf(paths, "sub/deeper"));
    EXPECT_LT(IndexOf(paths, "sub/deeper"), IndexOf(paths, "sub"));
    EXPECT_LT(IndexOf(paths, "sub/c.txt"), IndexOf(paths, "sub"));
}

TEST_F(DirItorTest, FoldersFirstAndFlat)
{
    MakeTree();
    const std::vector<std::string> pre = Walk(Root(), 0x103);
    EXPECT_EQ(pre.size(), 17u);
    EXPECT_LT(IndexOf(pre, "sub"), IndexOf(pre, "sub/deeper"));
    EXPECT_LT(IndexOf(pre, "sub/deeper"), IndexOf(pre, "sub/deeper/d.zyl"));

    const std::vector<std::string> flat = Walk(Root(), 0x002);
    EXPECT_EQ(Sorted(flat), (std::vector<std::string>{"empty", "sub", "up"}));
}

TEST_F(DirItorTest, PatternAppliesInEveryFolder)
{
    MakeTree();
    EXPECT_EQ(Sorted(Walk(Path("*.zyl"), 0x501)), (std::vector<std::string>{"b.zyl", "sub/deeper/d.zyl",
                                                                            "\xC3\xBCnic\xC3\xB6"
                                                                            "de.zyl"}));
    // Without pattern mode the pattern filters only the top folder's entries.
    EXPECT_EQ(Sorted(Walk(Path("*.zyl"), 0x101)), (std::vector<std::string>{"b.zyl", "\xC3\xBCnic\xC3\xB6"
                                                                                     "de.zyl"}));
}

TEST_F(DirItorTest, SingleFolderWithItsContents)
{
    MakeTree();
    EXPECT_EQ(Walk(Path("sub"), 0x303),
              (std::vector<std::string>{"sub/c.txt", "sub/deeper/d.zyl", "sub/deeper", "sub"}))
        << "order within a folder may vary";
}

// "." and ".." as the name part filter the entries of the folder they are named in.
TEST_F(DirItorTest, DotNamesStayInTheirFolder)
{
    MakeTree();
    EXPECT_EQ(Walk(Path("sub/.."), 0x4), (std::vector<std::string>{"sub/.."}));
    EXPECT_EQ(Walk(Path("sub/."), 0x8), (std::vector<std::string>{"sub/."}));
}

TEST_F(DirItorTest, EndsOnBadPatternsAndMissingFolders)
{
    MakeTree();
    int32_t status = 0;
    EXPECT_TRUE(Walk(Path("a*b.txt"), 0x501, &status).empty());
    EXPECT_EQ(status, kFileErrorBadPattern);
    EXPECT_TRUE(Walk(Path("missing/*.*"), 0x303, &status).empty());
    EXPECT_EQ(status, kFileErrorNoMoreEntries);
}

TEST_F(DirItorTest, ClearForgetsTheWalk)
{
    MakeTree();
    CDirItor walk(Root().c_str(), 0x303);
    ASSERT_TRUE(walk.Next());
    walk.Clear();
    EXPECT_FALSE(walk.Next());
}

} // namespace
