#include "foundation/files/tmp_file.h"

#include "foundation/files/test_support/temp_tree_fixture.h"

#include <set>

namespace {

namespace fs = std::filesystem;
using TmpFileTest = TempTreeFixture;

// "xy", eight upper-case hexadecimal digits, then the suffix, in the folder.
bool IsTmpName(const std::string& path, const std::string& folder, const std::string& suffix)
{
    const std::string prefix = folder + "/xy";
    if (path.size() != prefix.size() + 8 + suffix.size() || path.rfind(prefix, 0) != 0)
        return false;
    const std::string digits = path.substr(prefix.size(), 8);
    return digits.find_first_not_of("0123456789ABCDEF") == std::string::npos &&
           path.substr(prefix.size() + 8) == suffix;
}

TEST_F(TmpFileTest, CreatesInAMissingFolderAndDeletesAtTheEnd)
{
    std::string name;
    {
        LTmpFile tmp;
        ASSERT_TRUE(tmp.Create(true, Path("new/deeper").c_str(), "zyl"));
        name = std::string(tmp.View());
        EXPECT_TRUE(IsTmpName(name, Path("new/deeper"), ".zyl")) << name;
        EXPECT_TRUE(fs::is_regular_file(name));
        EXPECT_EQ(std::string(tmp.DeleteName().View()), name);
    }
    EXPECT_FALSE(fs::exists(name));
    EXPECT_TRUE(fs::is_directory(Path("new/deeper")));
}

TEST_F(TmpFileTest, KeptAndUnguardedFilesStay)
{
    std::string kept;
    std::string unguarded;
    {
        LTmpFile a;
        ASSERT_TRUE(a.Create(true, root_.c_str(), nullptr));
        a.Keep();
        kept = std::string(a.View());
        LTmpFile b;
        ASSERT_TRUE(b.Create(false, root_.c_str(), ""));
        unguarded = std::string(b.View());
        EXPECT_TRUE(b.DeleteName().IsEmpty());
    }
    EXPECT_NE(kept, unguarded);
    EXPECT_TRUE(IsTmpName(unguarded, root_.string(), "")) << unguarded;
    EXPECT_TRUE(fs::exists(kept));
    EXPECT_TRUE(fs::exists(unguarded));
}

TEST_F(TmpFileTest, ManyNamesInOneFolderNeverCollide)
{
    std::vector<LTmpFile> files(50);
    std::set<std::string> names;
    for (auto& f : files) {
        ASSERT_TRUE(f.Create(true, root_.c_str(), "tmp"));
        names.insert(std::string(f.View()));
    }
    EXPECT_EQ(names.size(), files.size());
}

TEST_F(TmpFileTest, NamedGuardDeletesExactlyItsOwnFile)
{
    MakeTree();
    MakeFile("star-name.txt");
    {
        LTmpFile guard(Path("star*name.txt").c_str());
        EXPECT_EQ(std::string(guard.View()), Path("star*name.txt"));
    }
    EXPECT_FALSE(fs::exists(Path("star*name.txt")));
    EXPECT_TRUE(fs::exists(Path("star-name.txt")));
    EXPECT_TRUE(fs::exists(Path("a.txt")));
    {
        LTmpFile guard = LTmpFile::LTmpFileNamed(Path("sub").c_str());
    }
    EXPECT_FALSE(fs::exists(Path("sub")));
}

TEST_F(TmpFileTest, RelativeNamesBecomeAbsolute)
{
    const LTmpFile guard = [] {
        LTmpFile g("some-relative-name");
        g.Keep();
        return g;
    }();
    EXPECT_EQ(std::string(guard.View()), (fs::current_path() / "some-relative-name").string());
}

TEST_F(TmpFileTest, FailsWhereNoFolderCanBe)
{
    MakeTree();
    LTmpFile tmp;
    EXPECT_FALSE(tmp.Create(true, Path("a.txt/inside").c_str(), "x"));
    EXPECT_TRUE(tmp.DeleteName().IsEmpty());
}

} // namespace
