// The preview's own scene on a real OpenGL context (Mesa's software rasteriser behind the fake
// window system): the driver's switches at context creation, and what a redraw puts on screen.
#include "foundation/errors/c_error.h"
#include "params/beamvista_opengl_defaults.h"
#include "params/beamvista_registration.h"
#include "platform/gl/gl_offscreen.h"
#include "preview/test_support/opengl_switches.h"
#include "preview/test_support/preview_test_fixture.h"

#include <GL/gl.h>

#include <cmath>
#include <numbers>
#include <string>

namespace {

class PreviewSceneGlTest : public PreviewTest
{
  protected:
    void SetUp() override
    {
        RegisterBeamvistaParameters();
        SetBeamvistaRegistryBase("Zyl Player");
        ui_.surfaceMaker = [](FakeNativeWindow& window) {
            CError error;
            const UiRect client = window.ClientRect();
            return CreateOffscreenGlSurface({client.Width(), client.Height(), true}, error);
        };
    }
    void TearDown() override
    {
        preview_.CloseWindow(true);
        SetBeamvistaRegistryBase("");
        PreviewTest::TearDown();
    }
    void Open()
    {
        const UiRect rect{0, 0, kWidth, kHeight};
        ASSERT_TRUE(preview_.CreateAsChild(view_, &rect));
        ASSERT_TRUE(preview_.MakeCurrent());
    }
    // Red, green, blue of a pixel, row y from the bottom.
    std::array<int, 3> PixelAt(int32_t x, int32_t y)
    {
        std::array<uint8_t, 4> rgba{};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return {rgba[0], rgba[1], rgba[2]};
    }

    static constexpr int32_t kWidth = 640;
    static constexpr int32_t kHeight = 480;
    TemporarySettingsStore store_;
    TestPreview preview_;
};

TEST_F(PreviewSceneGlTest, TheFirstContextTakesTheDriversSwitchesThenTheStoredOnes)
{
    Open();
    const std::string renderer = preview_.GlInfoLine1().CStr();
    ASSERT_NE(renderer.find("llvmpipe"), std::string::npos) << renderer;
    // A software rasteriser: enhanced lines with the beam profile, no polygon smoothing, flat fog.
    EXPECT_EQ(SwitchesOf(preview_.LivePars()), (OpenGlSwitches{0, 1, 0, 1, 0, 0}));
    EXPECT_EQ(SwitchesOf(BeamvistaDefaultPars()), (OpenGlSwitches{0, 1, 0, 1, 0, 0}));

    // The user's stored choice wins over the driver's at the next preview's first context.
    ChangeParameters([](LBeamvistaPars& p) {
        p.o_enhanced_lines = 0;
        p.o_polygon_smooth = 1;
        p.o_fog_3d = 1;
    });
    ASSERT_TRUE(preview_.SaveOpenGlDefaults());
    preview_.CloseWindow(true);
    ChangeParameters([](LBeamvistaPars& p) { p = LBeamvistaPars(); });
    TestPreview next;
    const UiRect rect{0, 0, kWidth, kHeight};
    ASSERT_TRUE(next.CreateAsChild(view_, &rect));
    EXPECT_EQ(SwitchesOf(next.LivePars()), (OpenGlSwitches{0, 0, 0, 1, 1, 1}));
    next.CloseWindow(true);
}

// The test circle of radius 1 around the default scanner's image: a ring of radius
// min(w, h) / 2 pixels around the centre (its fog fan switched off by the fog intensity).
TEST_F(PreviewSceneGlTest, TheTestCircleIsARingAroundTheCentre)
{
    Open();
    ChangeParameters([](LBeamvistaPars& p) {
        p.o_draw_circle = 1;
        p.o_fog_intensity = 0;
    });
    preview_.RenderScene();
    glFinish();
    const double radius = std::min(kWidth, kHeight) / 2.0;
    const double cx = kWidth / 2.0 - 0.5, cy = kHeight / 2.0 - 0.5;
    for (int degrees = 15; degrees < 360; degrees += 30) {
        const double c = std::cos(degrees * std::numbers::pi / 180.0);
        const double s = std::sin(degrees * std::numbers::pi / 180.0);
        bool lit = false;
        for (int d = -2; d <= 2 && !lit; ++d) {
            const auto [r, g, b] =
                PixelAt(int(std::lround(cx + (radius + d) * c)), int(std::lround(cy + (radius + d) * s)));
            lit = r > 0 && g > 0 && b == 0;
        }
        EXPECT_TRUE(lit) << degrees;
        EXPECT_EQ(PixelAt(int(std::lround(cx + 0.8 * radius * c)), int(std::lround(cy + 0.8 * radius * s))),
                  (std::array<int, 3>{0, 0, 0}))
            << degrees;
    }
    EXPECT_EQ(PixelAt(kWidth / 2, kHeight / 2), (std::array<int, 3>{0, 0, 0}));
}

} // namespace
