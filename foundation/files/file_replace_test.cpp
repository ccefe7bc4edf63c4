#include "foundation/files/file_replace.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>

namespace {

class TempFolder
{
  public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zylreplaceXXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string File(const char* name) const { return (std::filesystem::path(path_) / name).string(); }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const std::string& path, const char* text)
{
    std::ofstream(path, std::ios::binary) << text;
}

dev_t DeviceOf(const std::string& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 ? info.st_dev : 0;
}

mode_t PermissionsOf(const std::string& path)
{
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// A folder on another file system than the test's temporary folder, or empty.
std::string OtherFileSystem(const TempFolder& folder)
{
    const std::string shared = "/dev/shm";
    if (!std::filesystem::is_directory(shared) || DeviceOf(shared) == DeviceOf(folder.Path()))
        return {};
    return shared;
}

TEST(ReplaceFileWith, RenamesOverTheTarget)
{
    TempFolder folder;
    const std::string source = folder.File("new.tmp");
    const std::string target = folder.File("show.zyl");
    WriteText(source, "new");
    WriteText(target, "old");
    EXPECT_EQ(ReplaceFileWith(source.c_str(), target.c_str()), 0);
    EXPECT_EQ(ReadFileBytes(target), "new");
    EXPECT_FALSE(std::filesystem::exists(source));
}

TEST(ReplaceFileWith, ALinkStaysAndTheFileItNamesIsReplaced)
{
    TempFolder folder;
    const std::string source = folder.File("new.tmp");
    const std::string real = folder.File("real.zyl");
    const std::string link = folder.File("link.zyl");
    WriteText(source, "new");
    WriteText(real, "old");
    std::filesystem::create_symlink("real.zyl", link);
    EXPECT_EQ(ReplaceFileWith(source.c_str(), link.c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(real), "new");
}

TEST(ReplaceFileWith, CopiesAcrossFileSystemsThenRemovesTheSource)
{
    TempFolder folder;
    const std::string shared = OtherFileSystem(folder);
    if (shared.empty())
        GTEST_SKIP() << "no second file system here";
    const std::string source = shared + "/zyl_replace_" + std::to_string(getpid()) + ".tmp";
    const std::string target = folder.File("show.zyl");
    WriteText(source, "across");
    WriteText(target, "old");
    chmod(target.c_str(), 0600);
    EXPECT_EQ(ReplaceFileWith(source.c_str(), target.c_str()), 0);
    EXPECT_EQ(ReadFileBytes(target), "across");
    EXPECT_EQ(PermissionsOf(target), 0600u);
    EXPECT_FALSE(std::filesystem::exists(source));
}

TEST(ReplaceFileWith, KeepsTheReplacedFilesPermissions)
{
    TempFolder folder;
    const std::string source = folder.File("new.tmp");
    const std::string target = folder.File("show.zyl");
    WriteText(source, "new");
    WriteText(target, "old");
    chmod(source.c_str(), 0644);
    chmod(target.c_str(), 0600);
    EXPECT_EQ(ReplaceFileWith(source.c_str(), target.c_str()), 0);
    EXPECT_EQ(ReadFileBytes(target), "new");
    EXPECT_EQ(PermissionsOf(target), 0600u);
}

TEST(ReplaceFileWith, AFailedCopyAcrossFileSystemsLeavesTheTargetAsItWas)
{
    TempFolder folder;
    const std::string shared = OtherFileSystem(folder);
    if (shared.empty())
        GTEST_SKIP() << "no second file system here";
    // A folder opens but cannot be read: the copy fails after it has begun.
    const std::string source = shared + "/zyl_replace_dir_" + std::to_string(getpid());
    std::filesystem::create_directory(source);
    const std::string target = folder.File("show.zyl");
    WriteText(target, "old");
    EXPECT_NE(ReplaceFileWith(source.c_str(), target.c_str()), 0);
    EXPECT_EQ(ReadFileBytes(target), "old");
    EXPECT_TRUE(std::filesystem::is_directory(source));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 1) << "no partial copy is left beside the target";
    std::filesystem::remove(source);
}

TEST(ReplaceFileWith, AFailureLeavesBothFilesAsTheyWere)
{
    TempFolder folder;
    const std::string target = folder.File("show.zyl");
    WriteText(target, "old");
    EXPECT_EQ(ReplaceFileWith(folder.File("missing.tmp").c_str(), target.c_str()), ENOENT);
    EXPECT_EQ(ReadFileBytes(target), "old");

    // A folder in the target's place cannot be replaced by a file.
    const std::string source = folder.File("new.tmp");
    const std::string taken = folder.File("taken");
    WriteText(source, "new");
    std::filesystem::create_directory(taken);
    WriteText(taken + "/inside", "x");
    EXPECT_NE(ReplaceFileWith(source.c_str(), taken.c_str()), 0);
    EXPECT_EQ(ReadFileBytes(source), "new");
    EXPECT_EQ(ReadFileBytes(taken + "/inside"), "x");
}

} // namespace
