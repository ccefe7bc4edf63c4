// Picture export through the platform's offscreen surface: a lit point lands in every exported
// BMP, read back by the project's reader, where the viewport puts it, upright and in its colour;
// the files go into their size folders below the temporary folder and the window keeps its size.
#include "foundation/errors/c_error.h"
#include "platform/gl/gl_offscreen.h"
#include "preview/picture_export.h"
#include "preview/test_support/preview_test_fixture.h"

#include <GL/gl.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int32_t kWidth = 64;
constexpr int32_t kHeight = 48;
// Where the point lies, as fractions of the viewport from its left and bottom edges.
constexpr float kPointX = 0.25f;
constexpr float kPointY = 0.75f;

// A preview whose scene is one orange point on black at the same place of any viewport.
class OnePointPreview final : public TestPreview
{
  public:
    void DrawTextOverlays() override
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_POINT_SMOOTH);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0, ViewportWidth(), 0, ViewportHeight(), -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glPointSize(1);
        glColor3ub(255, 128, 0);
        glBegin(GL_POINTS);
        glVertex2f(static_cast<float>(static_cast<int32_t>(kPointX * ViewportWidth())) + 0.5f,
                   static_cast<float>(static_cast<int32_t>(kPointY * ViewportHeight())) + 0.5f);
        glEnd();
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    }
};

class ExportGlTest : public PreviewTest
{
  protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zyl_export_gl_XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        const char* previous = std::getenv("TMPDIR");
        hadPrevious_ = previous != nullptr;
        previous_ = previous ? previous : "";
        ::setenv("TMPDIR", folder_.c_str(), 1);
        ui_.surfaceMaker = [](FakeNativeWindow& window) {
            CError error;
            const UiRect client = window.ClientRect();
            return CreateOffscreenGlSurface({client.Width(), client.Height(), true}, error);
        };
        const UiRect rect{0, 0, kWidth, kHeight};
        ASSERT_TRUE(preview_.CreateAsChild(view_, &rect));
    }
    void TearDown() override
    {
        preview_.CloseWindow(true);
        if (hadPrevious_)
            ::setenv("TMPDIR", previous_.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
        fs::remove_all(folder_);
        PreviewTest::TearDown();
    }

    std::string Exported(const char* name, int32_t width, int32_t height) const
    {
        return folder_ + "/Beamvista/Bmp/" + std::to_string(width) + "x" + std::to_string(height) + "/" + name +
               "-" + std::to_string(width) + "x" + std::to_string(height) + ".bmp";
    }

    // The exported picture holds the point, alone, where the viewport of its size puts it.
    static void ExpectPoint(const std::string& path, int32_t width, int32_t height)
    {
        SCOPED_TRACE(path);
        HImageRef picture;
        ASSERT_FALSE(HImage::LoadBmpFile(picture, path.c_str(), true, false).Failed());
        ASSERT_EQ(picture->Width(), width);
        ASSERT_EQ(picture->Height(), height);
        const HMemRef pixels = picture->LockPixels();
        const auto* bytes = static_cast<const uint8_t*>(pixels.GetData());
        const int32_t x = static_cast<int32_t>(kPointX * width);
        const int32_t line = height - 1 - static_cast<int32_t>(kPointY * height);
        int32_t lit = 0;
        for (int32_t row = 0; row < height; ++row) {
            for (int32_t column = 0; column < width; ++column) {
                const uint8_t* at = bytes + static_cast<size_t>(row) * picture->Pitch() + column * 4;
                if (at[2] == 0)
                    continue;
                ++lit;
                EXPECT_EQ(column, x);
                EXPECT_EQ(row, line) << "the top row first";
                EXPECT_EQ(at[0], 0) << "blue";
                EXPECT_EQ(at[1], 128) << "green";
                EXPECT_EQ(at[2], 255) << "red";
            }
        }
        EXPECT_EQ(lit, 1);
    }

    std::string folder_;
    std::string previous_;
    bool hadPrevious_ = false;
    OnePointPreview preview_;
};

TEST_F(ExportGlTest, NumberedSnapshotsAtTheWindowsSize)
{
    ASSERT_TRUE(preview_.ExportPictures(false));
    ExpectPoint(Exported("Beamvista-0000", kWidth, kHeight), kWidth, kHeight);
    ASSERT_TRUE(preview_.ExportPictures(false));
    EXPECT_TRUE(fs::exists(Exported("Beamvista-0001", kWidth, kHeight)));
}

TEST_F(ExportGlTest, AnOpenShowNamesTheSnapshotAfterItselfAndItsTime)
{
    preview_.OpenShows({"show.zyl"}, 0);
    ASSERT_TRUE(preview_.HasOpenShow());
    ASSERT_TRUE(preview_.ExportPictures(false));
    // The generated show starts at the timecode of one hour.
    ExpectPoint(Exported("show-1.00.00.00", kWidth, kHeight), kWidth, kHeight);
    EXPECT_FALSE(fs::exists(Exported("Beamvista-0000", kWidth, kHeight)));
}

TEST_F(ExportGlTest, AllSizesWriteNineFilesAndTheWindowKeepsItsSize)
{
    ASSERT_TRUE(preview_.ExportPictures(true));
    ExpectPoint(Exported("Beamvista-0000", kWidth, kHeight), kWidth, kHeight);
    int32_t files = 1;
    for (const ExportSize& size : kExportSizes) {
        ASSERT_TRUE(fs::exists(Exported("Beamvista-0000", size.width, size.height))) << size.width;
        ++files;
    }
    EXPECT_EQ(files, 9);
    ExpectPoint(Exported("Beamvista-0000", 160, 120), 160, 120);
    ExpectPoint(Exported("Beamvista-0000", 1280, 1280), 1280, 1280);
    EXPECT_EQ(preview_.ViewportWidth(), kWidth);
    EXPECT_EQ(preview_.ViewportHeight(), kHeight);
    EXPECT_EQ(preview_.Window()->ClientRect().Width(), kWidth);
    EXPECT_EQ(preview_.Window()->ClientRect().Height(), kHeight);
}

} // namespace
