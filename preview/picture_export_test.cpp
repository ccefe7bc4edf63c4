// Export folders and names below a temporary folder of the test's own.
#include "preview/picture_export.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

class PictureExportTest : public testing::Test
{
  protected:
    PictureExportTest()
    {
        std::string pattern = (fs::temp_directory_path() / "zyl_export_XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        const char* previous = std::getenv("TMPDIR");
        previous_ = previous ? previous : "";
        hadPrevious_ = previous != nullptr;
        ::setenv("TMPDIR", folder_.c_str(), 1);
    }
    ~PictureExportTest() override
    {
        if (hadPrevious_)
            ::setenv("TMPDIR", previous_.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
        fs::remove_all(folder_);
    }

    void Touch(const std::string& path)
    {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path) << "x";
    }

    std::string folder_;
    std::string previous_;
    bool hadPrevious_ = false;
};

} // namespace

TEST_F(PictureExportTest, FoldersAndFileNamesPerSize)
{
    const XAString base = ExportBaseFolder();
    EXPECT_EQ(std::string(base.CStr()), folder_ + "/Beamvista/Bmp");
    EXPECT_TRUE(fs::is_directory(folder_ + "/Beamvista/Bmp"));
    const XAString path = XAString(base) + "/show-0.00.00.00";
    EXPECT_EQ(std::string(SnapshotFolder(path, 640, 480).CStr()), folder_ + "/Beamvista/Bmp/640x480");
    EXPECT_EQ(std::string(SnapshotFile(path, 160, 120).CStr()),
              folder_ + "/Beamvista/Bmp/160x120/show-0.00.00.00-160x120.bmp");
}

TEST_F(PictureExportTest, NumberedNamesSkipThoseTakenInTheSizesFolder)
{
    const XAString base = ExportBaseFolder();
    const std::string sized = folder_ + "/Beamvista/Bmp/640x480/";
    int32_t counter = 0;
    std::optional<XAString> name = NextNumberedExport(base, counter, 640, 480);
    ASSERT_TRUE(name);
    EXPECT_EQ(std::string(name->CStr()), folder_ + "/Beamvista/Bmp/Beamvista-0000");
    EXPECT_EQ(counter, 1);

    Touch(sized + "Beamvista-0000-640x480.bmp");
    counter = 0;
    name = NextNumberedExport(base, counter, 640, 480);
    ASSERT_TRUE(name);
    EXPECT_EQ(std::string(name->CStr()), folder_ + "/Beamvista/Bmp/Beamvista-0001");

    // Any name that starts so and ends in ".bmp", in any case, takes the number; other sizes
    // and other endings do not.
    Touch(sized + "BEAMVISTA-0001-other.BMP");
    Touch(sized + "Beamvista-0002-640x480.png");
    Touch(folder_ + "/Beamvista/Bmp/320x240/Beamvista-0002-320x240.bmp");
    counter = 0;
    name = NextNumberedExport(base, counter, 640, 480);
    ASSERT_TRUE(name);
    EXPECT_EQ(std::string(name->CStr()), folder_ + "/Beamvista/Bmp/Beamvista-0002");
    EXPECT_EQ(counter, 3);
}

TEST_F(PictureExportTest, AFolderWithEveryNumberTakenGivesNoName)
{
    const XAString base = ExportBaseFolder();
    const std::string sized = folder_ + "/Beamvista/Bmp/160x120/";
    fs::create_directories(sized);
    for (int32_t n = 0; n < 10000; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "Beamvista-%04d.bmp", n);
        std::ofstream(sized + name);
    }
    int32_t counter = 17;
    EXPECT_FALSE(NextNumberedExport(base, counter, 160, 120));
}
