// The preview's own scene on a real OpenGL context (Mesa's software rasteriser behind the fake
// window system): the driver's switches at context creation, and what a redraw puts on screen.
#include "foundation/errors/c_error.h"
#include "params/beamvista_opengl_defaults.h"
#include "params/beamvista_registration.h"
#include "platform/gl/gl_offscreen.h"
#include "preview/test_support/opengl_switches.h"
#include "preview/point_frame.h"
#include "preview/test_support/preview_test_fixture.h"

#include <GL/gl.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

// A red line of points from (x0, y0) to (x1, y1), the beam on all along.
LPic RedLine(double x0, double y0, double x1, double y1)
{
    constexpr int32_t kPoints = 200;
    LPic line;
    for (int32_t i = 0; i < kPoints; ++i) {
        const double t = static_cast<double>(i) / (kPoints - 1);
        LPicEntry entry;
        entry.x = x0 + (x1 - x0) * t;
        entry.y = y0 + (y1 - y0) * t;
        entry.color.Set(255, 0, 0);
        line.Append(entry);
    }
    return line;
}

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

    // Whether any pixel within 2 of the plane point (x, y) is red; the plane's unit is half the
    // window's height.
    bool RedNear(double x, double y)
    {
        const double unit = kHeight / 2.0;
        const int32_t px = static_cast<int32_t>(std::lround(kWidth / 2.0 - 0.5 + x * unit));
        const int32_t py = static_cast<int32_t>(std::lround(kHeight / 2.0 - 0.5 + y * unit));
        for (int32_t dy = -2; dy <= 2; ++dy)
            for (int32_t dx = -2; dx <= 2; ++dx) {
                const auto [r, g, b] = PixelAt(px + dx, py + dy);
                if (r > 0 && g == 0 && b == 0)
                    return true;
            }
        return false;
    }
    // Graphics only: no fog fan and so no detected beams either.
    void OpenForGraphics()
    {
        Open();
        ChangeParameters([](LBeamvistaPars& p) { p.o_fog_intensity = 0; });
    }
    void Redraw()
    {
        preview_.RenderScene();
        glFinish();
    }
    // Which of the two lines of the sequence below is on screen: 0 the horizontal one, 1 the
    // vertical one, -1 none or both.
    int32_t LineShown()
    {
        const bool across = RedNear(0.6, 0) && RedNear(-0.6, 0);
        const bool up = RedNear(0, 0.6) && RedNear(0, -0.6);
        return across == up ? -1 : (across ? 0 : 1);
    }
    void AppendCrossingLines()
    {
        preview_.frameSequence_.Append(RedLine(-0.8, 0, 0.8, 0));
        preview_.frameSequence_.Append(RedLine(0, -0.8, 0, 0.8));
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

// A direct frame's picture rectangle scales its points: (-0.5, 0.5) puts 0.3 where the whole
// plane puts 0.6. The default table is left as it was.
TEST_F(PreviewSceneGlTest, APointFrameDrawsItsPointsInItsPictureRectangle)
{
    OpenForGraphics();
    struct Case
    {
        float half;
        double end;
    };
    for (const Case c : {Case{1.0f, 0.6}, Case{0.5f, 0.3}}) {
        SCOPED_TRACE(c.half);
        // As the paint sets the scene up.
        glClear(GL_COLOR_BUFFER_BIT);
        glLoadIdentity();
        glTranslatef(0, 0, -1);
        PointFrameLook look = SequenceFrameLook(preview_.LivePars());
        look.halfWidth = look.halfHeight = c.half;
        preview_.DrawPointFrame(RedLine(0, 0, c.end, 0), look);
        glFinish();
        EXPECT_TRUE(RedNear(0.55, 0));
        EXPECT_FALSE(RedNear(0.75, 0));
        EXPECT_FALSE(RedNear(0, 0.3));
        const LChanOutParsPair& first = preview_.Renderer().DefaultTable().entries[0];
        EXPECT_EQ((std::array<float, 4>{first.xMin, first.xMax, first.yMin, first.yMax}),
                  (std::array<float, 4>{-1, 1, -1, 1}));
    }
}

// The sequence loops through its items, each held for the time its points take at the scan rate
// before the next is drawn; a held right button keeps the item on screen without waiting.
TEST_F(PreviewSceneGlTest, TheFrameSequenceLoopsHoldingEachItemForItsPoints)
{
    OpenForGraphics();
    // A hold factor that stretches the 200 points of a line to some centiseconds.
    ChangeParameters([](LBeamvistaPars& p) { p.p0x11110 = 0.01f; });
    EXPECT_FALSE(preview_.DrawSequenceFrame()) << "an empty sequence";
    AppendCrossingLines();
    const int32_t holdCs = SequenceItemHoldCs(preview_.LivePars(), 200);
    ASSERT_GT(holdCs, 0);

    clock_.sleeps.clear();
    Redraw();
    EXPECT_EQ(LineShown(), 0);
    EXPECT_TRUE(clock_.sleeps.empty()) << "the first item waits for nothing";
    EXPECT_EQ(preview_.frameSequence_.Cursor(), 1);

    Redraw();
    EXPECT_EQ(LineShown(), 1);
    ASSERT_EQ(clock_.sleeps.size(), 1u);
    EXPECT_EQ(clock_.sleeps[0].ms, 10 * holdCs);
    EXPECT_EQ(preview_.frameSequence_.Cursor(), 0) << "past the last item the first comes again";

    // Half the hold has passed on its own: only the rest is waited for.
    clock_.sleeps.clear();
    AdvanceCs(holdCs / 2);
    Redraw();
    EXPECT_EQ(LineShown(), 0);
    ASSERT_EQ(clock_.sleeps.size(), 1u);
    EXPECT_EQ(clock_.sleeps[0].ms, 10 * (holdCs - holdCs / 2));

    clock_.sleeps.clear();
    UiMouseEvent press;
    press.at = {100, 100};
    press.buttons = kUiRightButton;
    preview_.OnMouseButton(kUiRightButton, true, false, press);
    for (int32_t i = 0; i < 2; ++i) {
        Redraw();
        EXPECT_EQ(LineShown(), 1);
        EXPECT_EQ(preview_.frameSequence_.Cursor(), 1);
    }
    EXPECT_TRUE(clock_.sleeps.empty());
}

} // namespace
