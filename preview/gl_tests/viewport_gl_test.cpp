#include "foundation/errors/c_error.h"
#include "platform/gl/gl_offscreen.h"
#include "preview/test_support/preview_test_fixture.h"

#include <GL/gl.h>

#include <array>

namespace {

// The preview in a fake view of the given size, drawing offscreen with Mesa's software rasteriser.
class ViewportGlTest : public PreviewTest
{
  protected:
    void Open(int32_t width, int32_t height)
    {
        ui_.surfaceMaker = [](FakeNativeWindow& window) {
            CError error;
            const UiRect client = window.ClientRect();
            return CreateOffscreenGlSurface({client.Width(), client.Height(), true}, error);
        };
        const UiRect rect{0, 0, width, height};
        ASSERT_TRUE(preview_.CreateAsChild(view_, &rect));
        ASSERT_TRUE(preview_.MakeCurrent());
    }
    void TearDown() override
    {
        preview_.CloseWindow(true);
        PreviewTest::TearDown();
    }

    std::array<uint8_t, 4> PixelAt(int32_t x, int32_t y)
    {
        std::array<uint8_t, 4> rgba{};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    }

    TestPreview preview_;
};

// The i-th pixel centre from the left (bottom) edge of the screen plane.
float Centre(float extent, float pixel, int32_t i)
{
    return -extent + pixel * (static_cast<float>(i) + 0.5f);
}

TEST_F(ViewportGlTest, ScreenPlaneEdgesLandOnTheEdgePixels)
{
    const std::array<UiSize, 4> sizes{{{640, 480}, {480, 640}, {641, 481}, {1, 1}}};
    for (const UiSize size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
        Open(size.width, size.height);
        const float ax = preview_.AspectX();
        const float ay = preview_.AspectY();
        const float px = preview_.PixelSize();
        EXPECT_FLOAT_EQ(std::max(ax, ay), 1);
        EXPECT_FLOAT_EQ(ax / ay, static_cast<float>(size.width) / static_cast<float>(size.height));
        EXPECT_FLOAT_EQ(preview_.HalfPixelX(), size.width % 2 != 0 ? px / 2 : 0);
        EXPECT_FLOAT_EQ(preview_.HalfPixelY(), size.height % 2 != 0 ? px / 2 : 0);

        glDisable(GL_BLEND);
        glDisable(GL_POINT_SMOOTH);
        glDisable(GL_TEXTURE_2D);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glLoadIdentity();
        glTranslatef(0, 0, -1);
        glPointSize(1);
        glColor4f(1, 1, 1, 1);
        const int32_t right = size.width - 1;
        const int32_t top = size.height - 1;
        glBegin(GL_POINTS);
        glVertex2f(Centre(ax, px, 0), Centre(ay, px, 0));
        glVertex2f(Centre(ax, px, right), Centre(ay, px, top));
        glVertex2f(Centre(ax, px, 0), Centre(ay, px, top));
        glVertex2f(Centre(ax, px, right), Centre(ay, px, 0));
        glEnd();
        glFinish();
        for (const auto [x, y] : {std::pair{0, 0}, std::pair{right, top}, std::pair{0, top}, std::pair{right, 0}})
            EXPECT_EQ(PixelAt(x, y)[0], 255) << x << ", " << y;
        if (size.width > 2)
            EXPECT_EQ(PixelAt(1, 0)[0], 0) << "the neighbour stays dark";
        preview_.CloseWindow(true);
    }
}

TEST_F(ViewportGlTest, OddSizesPutTheCentreOnAPixelCentre)
{
    Open(641, 481);
    glDisable(GL_BLEND);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0, 0, -1);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_POINTS);
    glVertex2f(0, 0);
    glEnd();
    glFinish();
    EXPECT_EQ(PixelAt(320, 240)[0], 255);
}

TEST_F(ViewportGlTest, GlStateFollowsTheParameters)
{
    ChangeParameters([](LBeamvistaPars& p) {
        p.o_line_width = 3;
        p.o_no_blending = 1;
        p.o_polygon_smooth = 0;
        p.p0x10098 = 1;
    });
    Open(64, 48);
    GLfloat lineWidth = 0;
    glGetFloatv(GL_LINE_WIDTH, &lineWidth);
    EXPECT_FLOAT_EQ(lineWidth, 3);
    GLint destination = 0;
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_POLYGON_SMOOTH));
    EXPECT_TRUE(glIsEnabled(GL_LINE_SMOOTH));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[3], 0.5f);

    ChangeParameters([](LBeamvistaPars& p) { p.o_no_blending = 0; });
    ASSERT_TRUE(preview_.MakeCurrent());
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(destination, GL_ONE) << "additive blending";
    EXPECT_EQ(ui_.windowsCreated, 1);
}

TEST_F(ViewportGlTest, DriverStringsMakeTheFirstInfoLine)
{
    Open(32, 32);
    const std::string line = preview_.GlInfoLine1().CStr();
    EXPECT_NE(line.find(reinterpret_cast<const char*>(glGetString(GL_RENDERER))), std::string::npos) << line;
    EXPECT_FALSE(preview_.GlInfoLine2().IsEmpty());
}

} // namespace
