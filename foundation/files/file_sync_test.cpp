#include "foundation/files/file_sync.h"

#include "foundation/files/test_support/temp_tree_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

class ReplacementFileModeTest : public TempTreeFixture
{
  protected:
    std::string File(const char* name, mode_t mode) const
    {
        MakeFile(name);
        ::chmod(Path(name).c_str(), mode);
        return Path(name);
    }
};

} // namespace

TEST(FolderOf, IsWhereTemporaryFilesGo)
{
    struct Case
    {
        const char* path;
        const char* folder;
    };
    const Case cases[] = {
        {"shows/a.zyl", "shows"}, {"a.zyl", "."}, {"/a.zyl", "/"}, {"/x/y/z.zyl", "/x/y"}, {nullptr, "."}};
    for (const Case& c : cases)
        EXPECT_EQ(FolderOf(c.path), c.folder) << (c.path ? c.path : "(null)");
}

TEST_F(ReplacementFileModeTest, AnExistingFileKeepsItsModeANewOneFollowsTheUmask)
{
    EXPECT_EQ(ReplacementFileMode(File("private", 0600).c_str()), mode_t{0600});
    EXPECT_EQ(ReplacementFileMode(File("shared", 0664).c_str()), mode_t{0664});

    const mode_t mask = ::umask(027);
    const mode_t fresh = ReplacementFileMode(Path("missing").c_str());
    const mode_t forFolder = ReplacementFileMode(Root().c_str());
    ::umask(mask);
    EXPECT_EQ(fresh, mode_t{0640});
    EXPECT_EQ(forFolder, mode_t{0640}) << "a folder is no file whose mode a replacement could take";
    mode_t mode = 0;
    EXPECT_FALSE(ExistingFileMode(nullptr, mode));
}

TEST_F(ReplacementFileModeTest, ReplacementsGoThroughLinksToTheFilesTheyName)
{
    const std::string real = File("real", 0644);
    const std::string link = Path("link");
    const std::string dangling = Path("dangling");
    std::filesystem::create_symlink("real", link);
    std::filesystem::create_symlink("nothing", dangling);
    const std::string canonical = std::filesystem::canonical(real).string();
    EXPECT_EQ(std::string(ReplacementTarget(real.c_str()).View()), real);
    EXPECT_EQ(std::string(ReplacementTarget(link.c_str()).View()), canonical);
    EXPECT_EQ(std::string(ReplacementTarget(dangling.c_str()).View()), dangling)
        << "nothing behind it to keep";
    EXPECT_EQ(std::string(ReplacementTarget(Path("missing").c_str()).View()), Path("missing"));
    EXPECT_TRUE(ReplacementTarget(nullptr).IsEmpty());
}
