#include "foundation/archives/archive_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <fcntl.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class ArchiveFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "archive_file_XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    void Put(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
    }
    std::string Get(const std::string& name) const
    {
        std::ifstream in(PathOf(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path folder_;
};

std::string Text(const XAString& s)
{
    return std::string(s.View());
}

const std::string kHundred(100, 'h');

TEST_F(ArchiveFileTest, AppendCreatesOrContinues)
{
    {
        LArchiveFile file(PathOf("new").c_str(), kArchiveFileAppend, true);
        EXPECT_EQ(file.Tell(), 0);
        file.WriteU8('a');
        EXPECT_TRUE(file.Close());
    }
    EXPECT_EQ(Get("new"), "a");

    Put("old", kHundred);
    LArchiveFile file(PathOf("old").c_str(), kArchiveFileAppend, true);
    EXPECT_EQ(file.Tell(), 100);
    file.WriteU16(0x4243);
    EXPECT_EQ(file.Tell(), 102);
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(Get("old"), kHundred + "BC");
}

TEST_F(ArchiveFileTest, RewriteKeepsTheRest)
{
    Put("old", kHundred);
    LArchiveFile file(PathOf("old").c_str(), kArchiveFileRewrite, true);
    EXPECT_EQ(file.Tell(), 0);
    file.WriteI32(0x41424344);
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(Get("old"), "ABCD" + kHundred.substr(4));
}

TEST_F(ArchiveFileTest, ModesOnMissingFiles)
{
    struct Case
    {
        int32_t mode;
        bool opens;
    };
    for (const Case c : {Case{kArchiveFileRead, false}, Case{kArchiveFileRewrite, false}, Case{kArchiveFileCreate, true},
                         Case{kArchiveFileCreateDirs, true}, Case{kArchiveFileAppend, true}, Case{17, false}}) {
        LArchiveFile file;
        EXPECT_EQ(file.Open(PathOf("missing" + std::to_string(c.mode)).c_str(), c.mode), c.opens) << c.mode;
        EXPECT_EQ(file.HasError(), !c.opens);
        EXPECT_EQ(file.IsReader() || file.IsWriter(), c.opens);
        if (!c.opens) {
            EXPECT_FALSE(Text(file.Status().ErrorText()).empty());
        }
    }
}

TEST_F(ArchiveFileTest, CreateTruncatesAndCreateDirsMakesFolders)
{
    Put("old", kHundred);
    {
        LArchiveFile file(PathOf("old").c_str(), kArchiveFileCreate, true);
        file.WriteU8('x');
    }
    EXPECT_EQ(Get("old"), "x");
    {
        LArchiveFile file(PathOf("a/b c/d/new.zyl").c_str(), kArchiveFileCreateDirs, true);
        EXPECT_TRUE(file.IsWriter());
        file.WriteU8('y');
    }
    EXPECT_EQ(Get("a/b c/d/new.zyl"), "y");
}

TEST_F(ArchiveFileTest, ShortReadsReportTheEnd)
{
    Put("two", "ab");
    LArchiveFile file(PathOf("two").c_str(), kArchiveFileRead, true);
    char out[4] = {};
    EXPECT_EQ(file.ReadBlock(out, 4, 4), 2);
    EXPECT_EQ(Text(file.Status().ErrorText()), "End of file!");
}

TEST_F(ArchiveFileTest, SkipPastTheEndStopsThere)
{
    Put("ten", std::string(10, 'z'));
    LArchiveFile file(PathOf("ten").c_str(), kArchiveFileRead, true);
    EXPECT_EQ(file.UnbufferedSkipRaw(25, 25), 10);
    EXPECT_EQ(Text(file.Status().ErrorText()), "End of file!");
}

TEST_F(ArchiveFileTest, SeeksInsideAndOutsideTheBuffer)
{
    std::string bytes(5000, 0);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    Put("big", bytes);
    LArchiveFile file(PathOf("big").c_str(), kArchiveFileRead, true);
    EXPECT_EQ(file.GetFileSize(), 5000);
    EXPECT_EQ(file.ReadU8(), 0);
    for (const int32_t target : {3, 900, 4000, 1, 4999, 0}) {
        EXPECT_EQ(file.Seek(target), target);
        EXPECT_EQ(file.ReadU8(), static_cast<uint8_t>(target * 7)) << target;
    }
    EXPECT_EQ(file.Seek(-3), 0);
    EXPECT_TRUE(file.HasError());
}

TEST_F(ArchiveFileTest, WriterSeeksBackAndOverwrites)
{
    LArchiveFile file(PathOf("w").c_str(), kArchiveFileCreate, true);
    file.WriteI64(0x3030303030303030);
    EXPECT_EQ(file.Seek(2), 2);
    file.WriteU8('!');
    EXPECT_EQ(file.GetFileSize(), 8);
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(Get("w"), "00!00000");
}

TEST_F(ArchiveFileTest, WholeFileToString)
{
    std::string bytes(3000, 'q');
    bytes[1500] = '\0';
    Put("all", bytes);
    EXPECT_EQ(Text(LoadFileToString(PathOf("all").c_str())), bytes);
    EXPECT_TRUE(LoadFileToString(PathOf("nothing").c_str()).IsEmpty());
    LArchiveFile file(PathOf("all").c_str(), kArchiveFileRead, true);
    EXPECT_EQ(file.ReadAll().Length(), 3000);
}

TEST_F(ArchiveFileTest, FoldersDoNotOpenAsFiles)
{
    LArchiveFile file;
    EXPECT_FALSE(file.Open(folder_.c_str(), kArchiveFileRead));
    EXPECT_TRUE(file.HasError());
}

TEST_F(ArchiveFileTest, AttachedDescriptorsStayOpenUnlessOwned)
{
    Put("fd", "abc");
    const int handle = ::open(PathOf("fd").c_str(), O_RDONLY);
    ASSERT_GE(handle, 0);
    {
        LArchiveFile file;
        EXPECT_TRUE(file.Attach(handle, false, false));
        EXPECT_EQ(file.ReadU8(), 'a');
    }
    EXPECT_EQ(::lseek(handle, 0, SEEK_CUR), 3);
    {
        LArchiveFile file;
        EXPECT_TRUE(file.Attach(handle, false, true));
    }
    EXPECT_NE(::close(handle), 0);

    LArchiveFile invalid;
    EXPECT_FALSE(invalid.Attach(LArchiveFile::kNoHandle, false, true));
    EXPECT_TRUE(invalid.HasError());
}

// A full disk fails the write, both through the buffer (on close) and around it.
TEST(ArchiveFileDiskFull, WritesFailAndSaySo)
{
    constexpr const char* kFullDevice = "/dev/full";
    if (::access(kFullDevice, W_OK) != 0)
        GTEST_SKIP() << "no full device here";
    for (const int32_t n : {10, 5000}) {
        LArchiveFile file(kFullDevice, kArchiveFileRewrite, true);
        ASSERT_FALSE(file.HasError());
        const std::string bytes(static_cast<size_t>(n), 'x');
        file.WriteBlock(bytes.data(), n);
        EXPECT_FALSE(file.Close(false)) << n;
        EXPECT_EQ(file.Status().Message(), "UnbufferedWriteRaw: Disk full!") << n;
    }
}

// Positions are 32-bit in every stored format: a file that reaches 2 GiB is refused rather than
// read or written with a position that wraps. The files here are sparse and take no disk space.
TEST_F(ArchiveFileTest, FilesOf2GiBAndMoreAreRefused)
{
    constexpr int64_t kLimit = int64_t{1} << 31;
    const auto sized = [&](const std::string& name, int64_t size) {
        const int handle = ::open(PathOf(name).c_str(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0600);
        const bool made = handle >= 0 && ::ftruncate(handle, static_cast<off_t>(size)) == 0;
        if (handle >= 0)
            ::close(handle);
        return made;
    };
    if (!sized("at_limit", kLimit) || !sized("below_limit", kLimit - 1))
        GTEST_SKIP() << "no sparse files of 2 GiB here";

    LArchiveFile atLimit(PathOf("at_limit").c_str(), kArchiveFileRead, true);
    EXPECT_EQ(Text(atLimit.Status().ErrorText()), kArchiveTooLargeText);

    LArchiveFile below(PathOf("below_limit").c_str(), kArchiveFileRead, true);
    EXPECT_FALSE(below.HasError());
    EXPECT_EQ(below.GetFileSize(), kLimit - 1);

    LArchiveFile growing(PathOf("below_limit").c_str(), kArchiveFileAppend, true);
    ASSERT_FALSE(growing.HasError());
    growing.WriteU8('x');
    EXPECT_FALSE(growing.Close(false));
    EXPECT_EQ(Text(growing.Status().ErrorText()), kArchiveTooLargeText);
    EXPECT_EQ(fs::file_size(PathOf("below_limit")), static_cast<uintmax_t>(kLimit - 1));
}

} // namespace
