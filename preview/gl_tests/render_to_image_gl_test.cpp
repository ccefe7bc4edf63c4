#include "foundation/errors/c_error.h"
#include "platform/gl/gl_offscreen.h"
#include "preview/test_support/preview_test_fixture.h"

#include <GL/gl.h>

namespace {

constexpr int32_t kWidth = 64;
constexpr int32_t kHeight = 48;
// The lit pixel, counted from the window's left and bottom edges as OpenGL counts.
constexpr int32_t kLitX = 10;
constexpr int32_t kLitYFromBottom = 20;

// A preview whose scene is one orange pixel on black, drawn in window pixels.
class OnePixelPreview final : public TestPreview
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
        glOrtho(0, kWidth, 0, kHeight, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glPointSize(1);
        glColor3ub(255, 128, 0);
        glBegin(GL_POINTS);
        glVertex2f(kLitX + 0.5f, kLitYFromBottom + 0.5f);
        glEnd();
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    }
};

class RenderToImageGlTest : public PreviewTest
{
  protected:
    void SetUp() override
    {
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
        PreviewTest::TearDown();
    }

    OnePixelPreview preview_;
};

TEST_F(RenderToImageGlTest, TheLitPixelLandsInTheTopFirstPictureWithItsColourInBgraOrder)
{
    const HImageRef picture = preview_.RenderToImage(true);
    ASSERT_FALSE(picture.IsEmpty());
    ASSERT_EQ(picture->Width(), kWidth);
    ASSERT_EQ(picture->Height(), kHeight);
    const HMemRef pixels = picture->LockPixels();
    const auto* bytes = static_cast<const uint8_t*>(pixels.GetData());
    const auto at = [&](int32_t x, int32_t line) {
        return bytes + static_cast<size_t>(line) * picture->Pitch() + x * 4;
    };

    const int32_t litLine = kHeight - 1 - kLitYFromBottom;
    EXPECT_EQ(at(kLitX, litLine)[0], 0) << "blue";
    EXPECT_EQ(at(kLitX, litLine)[1], 128) << "green";
    EXPECT_EQ(at(kLitX, litLine)[2], 255) << "red";
    int32_t litPixels = 0;
    for (int32_t line = 0; line < kHeight; ++line) {
        for (int32_t x = 0; x < kWidth; ++x)
            litPixels += at(x, line)[2] != 0 ? 1 : 0;
    }
    EXPECT_EQ(litPixels, 1);
}

TEST_F(RenderToImageGlTest, NoPictureWithoutAWindow)
{
    preview_.CloseWindow(true);
    EXPECT_TRUE(preview_.RenderToImage(true).IsEmpty());
}

} // namespace
