#include "foundation/files/fs_entry.h"

#include "foundation/files/test_support/temp_tree_fixture.h"

#include <thread>
#include <vector>

namespace {

using FsEntryTest = TempTreeFixture;

std::string Text(const XAString& s)
{
    return std::string(s.View());
}

TEST_F(FsEntryTest, EntriesOfPaths)
{
    MakeTree();
    MakeFile("ten.bin", "0123456789");
    struct Case
    {
        std::string path;
        int32_t result;
        const char* name;
        int32_t attributes;
    };
    const Case cases[] = {
        {Path("ten.bin"), 0, "ten.bin", 0},
        {Path("readonly.txt"), 0, "readonly.txt", kFsAttributeReadOnly},
        {Path(".hidden"), 0, ".hidden", kFsAttributeHidden},
        {Path("sub") + "//", 0, "sub", kFsAttributeDirectory},
        {Path("star*name.txt"), kFsInvalidArgument, "", 0},
        {Path("missing"), kFsNotFound, "", 0},
    };
    for (const auto& c : cases) {
        FsEntry entry;
        EXPECT_EQ(FsGetEntry(c.path.c_str(), entry), c.result) << c.path;
        EXPECT_EQ(Text(entry.longName), c.name);
        EXPECT_EQ(entry.attributes, c.attributes) << c.path;
        EXPECT_EQ(Text(entry.shortName), c.name);
    }
    FsEntry entry;
    ASSERT_EQ(FsGetEntry(Path("ten.bin").c_str(), entry), 0);
    EXPECT_EQ(entry.size, 10u);
    EXPECT_NE(entry.lastWrite.high, 0);
}

TEST_F(FsEntryTest, SearchHandle)
{
    MakeTree();
    LSmbFsSearchHandle search;
    EXPECT_EQ(search.Close(), kFsInvalidHandle);
    FsEntry entry;
    ASSERT_EQ(search.FindFirst(Path("*.zyl").c_str(), entry), 0);
    const std::string name = Text(entry.longName);
    EXPECT_EQ(name.substr(name.size() - 4), ".zyl");
    EXPECT_EQ(search.FindFirst(Path("*.nothing").c_str(), entry), kFsNotFound);
    EXPECT_EQ(search.FindFirst(Root().c_str(), entry), 0);
    EXPECT_EQ(search.Close(), 0);
    EXPECT_EQ(search.Close(), kFsInvalidHandle);
}

TEST_F(FsEntryTest, FoldersExistAndAreMade)
{
    MakeTree();
    EXPECT_EQ(FsDirectoryExists(XAString(Root().c_str())), 0);
    EXPECT_EQ(FsDirectoryExists(XAString("/")), 0);
    EXPECT_EQ(FsDirectoryExists(XAString(Path("a.txt").c_str())), kFsAccessDenied);
    EXPECT_EQ(FsDirectoryExists(XAString(Path("missing").c_str())), kFsNotFound);
    EXPECT_EQ(FsDirectoryExists(XAString(Path("up").c_str())), 0);

    EXPECT_EQ(MakeDirs(XAString(Path("x/y z/\xC3\xA9/").c_str())), 0);
    EXPECT_EQ(FsDirectoryExists(XAString(Path("x/y z/\xC3\xA9").c_str())), 0);
    EXPECT_EQ(MakeDirs(XAString(Path("x").c_str())), 0);
    EXPECT_EQ(MakeDirs(XAString(Path("a.txt/inner").c_str())), kFsAccessDenied);
    EXPECT_EQ(FsCreateDirectory(XAString(Path("x").c_str())), kFsAlreadyExists);
}

TEST(FsEntry, NoVolumeLabels)
{
    XAString label("old");
    EXPECT_EQ(FsVolumeLabel("/", label), kFsNotSupported);
    EXPECT_TRUE(label.IsEmpty());
}

// Several makers of one path at once: whoever loses the race to a folder still succeeds.
TEST_F(FsEntryTest, MakersOfOnePathAtOnceAllSucceed)
{
    MakeTree();
    constexpr int kMakers = 8;
    for (int round = 0; round < 20; ++round) {
        const std::string path = Path("race" + std::to_string(round) + "/a/b/c/d");
        std::vector<int32_t> results(kMakers, -1);
        std::vector<std::thread> makers;
        for (int m = 0; m < kMakers; ++m)
            makers.emplace_back(
                [&, m] { results[static_cast<size_t>(m)] = MakeDirs(XAString(path.c_str())); });
        for (std::thread& maker : makers)
            maker.join();
        EXPECT_EQ(results, std::vector<int32_t>(kMakers, kFsOk)) << round;
    }
}

} // namespace
