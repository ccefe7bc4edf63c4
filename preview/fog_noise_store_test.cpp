#include "preview/fog_noise_store.h"

#include "foundation/archives/archive_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

class TemporaryFolders
{
  public:
    TemporaryFolders()
    {
        std::string pattern = (fs::temp_directory_path() / "fognoise_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            ADD_FAILURE() << "no temporary folder";
        root_ = pattern;
    }
    ~TemporaryFolders()
    {
        std::error_code error;
        fs::remove_all(root_, error);
    }
    fs::path Folder(const char* name) const { return root_ / name; }
    std::vector<XAFsName> Folders() const
    {
        return {XAFsName(Folder("cache/Velquon/Beamvista").c_str()), XAFsName(Folder("program").c_str()),
                XAFsName(Folder("current").c_str())};
    }
    size_t FileCount() const
    {
        size_t count = 0;
        for (const auto& entry : fs::recursive_directory_iterator(root_))
            count += entry.is_regular_file() ? 1 : 0;
        return count;
    }

  private:
    fs::path root_;
};

void WriteNoiseFile(const fs::path& folder, int32_t x, int32_t y, int32_t z, uint8_t fill)
{
    fs::create_directories(folder);
    LPerlinNoiseUChar noise;
    std::vector<uint8_t> bytes(static_cast<size_t>(x) * y * z, fill);
    ASSERT_TRUE(noise.Assign(x, y, z, bytes.data()));
    LArchiveFile file;
    ASSERT_TRUE(file.Open((folder / FogNoiseFileName(x, y, z).CStr()).c_str(), kArchiveFileCreate));
    noise.Write(file);
    ASSERT_TRUE(file.Close());
}

struct FakeBox final : LPerlinNoiseCallback
{
    int* opened;
    bool stop;
    FakeBox(int* count, bool abort) : opened(count), stop(abort) { ++*opened; }
    bool Abort() override { return stop; }
};

FogNoiseStore::ProgressFactory Boxes(int& opened, bool abort)
{
    return [&opened, abort] { return std::make_unique<FakeBox>(&opened, abort); };
}

FogNoiseRequest Cube(int32_t side)
{
    return {side, side, side, 3};
}

} // namespace

TEST(FogNoiseStore, SearchesTheFoldersInOrder)
{
    TemporaryFolders temp;
    WriteNoiseFile(temp.Folder("current"), 8, 8, 8, 3);
    WriteNoiseFile(temp.Folder("program"), 8, 8, 8, 2);
    FogNoiseStore store(temp.Folders());
    int opened = 0;
    EXPECT_EQ(store.Obtain(Cube(8), Boxes(opened, false)), FogNoiseStore::Outcome::FromFile);
    EXPECT_EQ(store.Noise().Bytes()[0], 2);
    EXPECT_EQ(opened, 0);

    WriteNoiseFile(temp.Folder("cache/Velquon/Beamvista"), 8, 8, 8, 1);
    FogNoiseStore fresh(temp.Folders());
    EXPECT_EQ(fresh.Obtain(Cube(8), {}), FogNoiseStore::Outcome::FromFile);
    EXPECT_EQ(fresh.Noise().Bytes()[0], 1);
}

TEST(FogNoiseStore, SkipsFilesOfOtherSizesAndBrokenOnes)
{
    TemporaryFolders temp;
    fs::create_directories(temp.Folder("program"));
    std::FILE* broken = std::fopen((temp.Folder("program") / "F8x8x8.dat").c_str(), "wb");
    std::fputs("\x01\x01", broken);
    std::fclose(broken);
    WriteNoiseFile(temp.Folder("current"), 8, 8, 4, 5);
    fs::rename(temp.Folder("current") / "F8x8x4.dat", temp.Folder("current") / "F8x8x8.dat");
    FogNoiseStore store(temp.Folders());
    int opened = 0;
    EXPECT_EQ(store.Obtain(Cube(8), Boxes(opened, false)), FogNoiseStore::Outcome::ComputedCube);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(store.Noise().Z(), 8);
}

TEST(FogNoiseStore, WritesAComputedCubeOnceAndNoFlatNoise)
{
    TemporaryFolders temp;
    FogNoiseStore store(temp.Folders());
    int opened = 0;
    EXPECT_EQ(store.Obtain(Cube(8), Boxes(opened, false)), FogNoiseStore::Outcome::ComputedCube);
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(store.CubeUnavailable());
    const fs::path written = temp.Folder("cache/Velquon/Beamvista") / "F8x8x8.dat";
    ASSERT_TRUE(fs::exists(written));
    EXPECT_EQ(fs::file_size(written), 2u + 3u + 3u + 512u); // versions, sizes, a count of 512
    EXPECT_EQ(temp.FileCount(), 1u); // no temporary file left

    // The next process finds it.
    FogNoiseStore next(temp.Folders());
    EXPECT_EQ(next.Obtain(Cube(8), Boxes(opened, false)), FogNoiseStore::Outcome::FromFile);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(std::equal(next.Noise().Bytes(), next.Noise().Bytes() + 512, store.Noise().Bytes()));

    FogNoiseStore flat(temp.Folders());
    EXPECT_EQ(flat.Obtain({16, 16, 1, 3}, Boxes(opened, false)), FogNoiseStore::Outcome::Computed);
    EXPECT_EQ(opened, 1); // flat noise computes without a box
    EXPECT_EQ(temp.FileCount(), 1u);
}

TEST(FogNoiseStore, AbortLeavesNoNoiseAndNoFile)
{
    TemporaryFolders temp;
    FogNoiseStore store(temp.Folders());
    int opened = 0;
    EXPECT_EQ(store.Obtain(Cube(8), Boxes(opened, true)), FogNoiseStore::Outcome::Missing);
    EXPECT_TRUE(store.Noise().IsEmpty());
    EXPECT_TRUE(store.CubeUnavailable());
    EXPECT_EQ(temp.FileCount(), 0u);
}

TEST(FogNoiseStore, ACubeInMemoryServesFlatRequestsUntilItCameFromAFile)
{
    TemporaryFolders temp;
    FogNoiseStore store(temp.Folders());
    ASSERT_EQ(store.Obtain(Cube(16), {}), FogNoiseStore::Outcome::ComputedCube);
    EXPECT_EQ(store.Obtain({16, 16, 1, 3}, {}), FogNoiseStore::Outcome::Cached);
    store.DropIfFromFile();
    EXPECT_EQ(store.Noise().Z(), 16); // computed: kept

    FogNoiseStore next(temp.Folders());
    ASSERT_EQ(next.Obtain(Cube(16), {}), FogNoiseStore::Outcome::FromFile);
    EXPECT_EQ(next.Obtain({16, 16, 1, 3}, {}), FogNoiseStore::Outcome::Cached);
    next.DropIfFromFile();
    EXPECT_TRUE(next.Noise().IsEmpty());
}

TEST(FogNoiseStore, OtherStartFrequenciesNeitherReadNorWriteFiles)
{
    TemporaryFolders temp;
    WriteNoiseFile(temp.Folder("current"), 8, 8, 8, 4);
    FogNoiseStore store(temp.Folders());
    EXPECT_EQ(store.Obtain({8, 8, 8, 1}, {}), FogNoiseStore::Outcome::Computed);
    EXPECT_EQ(temp.FileCount(), 1u);
    // The memory cache knows the frequency it holds.
    EXPECT_EQ(store.Obtain({8, 8, 8, 3}, {}), FogNoiseStore::Outcome::FromFile);
    EXPECT_EQ(store.Noise().Bytes()[0], 4);
}

TEST(FogNoiseStore, CacheFolderFollowsTheEnvironment)
{
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    const std::string savedXdg = xdg ? xdg : "";
    const std::string savedHome = home ? home : "";
    setenv("XDG_CACHE_HOME", "/c", 1);
    EXPECT_STREQ(FogNoiseCacheFolder().CStr(), "/c/Velquon/Beamvista");
    unsetenv("XDG_CACHE_HOME");
    setenv("HOME", "/h", 1);
    EXPECT_STREQ(FogNoiseCacheFolder().CStr(), "/h/.cache/Velquon/Beamvista");
    unsetenv("HOME");
    EXPECT_STREQ(FogNoiseCacheFolder().CStr(), "Velquon/Beamvista");
    if (xdg)
        setenv("XDG_CACHE_HOME", savedXdg.c_str(), 1);
    if (home)
        setenv("HOME", savedHome.c_str(), 1);
    EXPECT_STREQ(FogNoiseFileName(256, 256, 256).CStr(), "F256x256x256.dat");
}
