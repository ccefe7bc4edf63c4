// Where the renderer's batches land in pixels, drawn by OpenGL into an offscreen framebuffer:
// every expectation is computed from the scene's geometry, never taken from a rendered image.
#include "params/beamvista_pars.h"
#include "preview/gl_batch_submission.h"
#include "preview/laser_frame_renderer.h"
#include "preview/out_point.h"
#include "preview/show_channel_drawing.h"
#include "preview/test_support/offscreen_gl_target.h"
#include "show/channel_frame_cache.h"
#include "show/laser_preview_stream.h"
#include "tools/show_generator.h"

#include <GL/gl.h>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <numbers>
#include <unistd.h>
#include <vector>

namespace {

LFrameOutPoint Point(float x, float y, uint8_t r, uint8_t g, uint8_t b, float ramp = 1.0f)
{
    return MakeOutPoint(x, y, r, g, b, ramp, ramp);
}

LFrameOutPoint Dark(float x, float y)
{
    return Point(x, y, 0, 0, 0, 0.0f);
}

// Until the textures exist every kind binds name 0: untextured.
void BindNone(int32_t)
{
    glBindTexture(GL_TEXTURE_2D, 0);
}

testing::AssertionResult Near(const Rgb8& actual, const Rgb8& expected, int tolerance = 1)
{
    if (std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "(" << actual.r << ", " << actual.g << ", " << actual.b << ") instead of (" << expected.r
           << ", " << expected.g << ", " << expected.b << ")";
}

bool IsBlack(const Rgb8& c)
{
    return c.r == 0 && c.g == 0 && c.b == 0;
}

// One channel, default geometry, nothing that blurs.
class LaserPixels : public testing::Test
{
  protected:
    void Open(int width, int height)
    {
        target_.reset();
        target_ = std::make_unique<OffscreenGlTarget>(width, height);
        ASSERT_TRUE(target_->Ready()) << "no offscreen OpenGL context";
        width_ = width;
        height_ = height;
        pars_.o_simulate = 0;
        pars_.o_enhanced_lines = 0;
        pars_.o_beam_profile = 0;
        pars_.o_polygon_smooth = 0;
        pars_.p0x10098 = 0;
        pars_.p0x10099 = 0;
        pars_.o_line_width = 1.0f;
        pars_.o_fog_force = 0;
        Scene();
    }
    void Scene() { renderer_.SetScene(pars_, target_->View(), FogDrift{}); }
    // The output coordinate whose image is the centre of a pixel column or row.
    float ColumnX(int column) const { return (float(column) + 0.5f - float(width_) / 2.0f) / Scale(); }
    float RowY(int row) const { return (float(row) + 0.5f - float(height_) / 2.0f) / Scale(); }
    float Scale() const { return float(std::min(width_, height_)) / 2.0f; }

    void Draw()
    {
        target_->Clear();
        SubmitRenderBatches(out_.Batches(), BindNone);
        target_->Finish();
        out_.Clear();
    }
    void DrawGraphics(const std::vector<LFrameOutPoint>& points)
    {
        renderer_.DrawGraphics(points, 1.0f, table_, out_);
        Draw();
    }

    std::unique_ptr<OffscreenGlTarget> target_;
    int width_ = 0, height_ = 0;
    LBeamvistaPars pars_;
    LChanOutParsTable table_;
    LaserFrameRenderer renderer_;
    RenderBatchBuilder out_;
};

TEST_F(LaserPixels, ASegmentLandsWhereTheDefaultsPutItInEitherOrientation)
{
    for (const auto& [width, height] : {std::pair{640, 360}, {360, 640}}) {
        Open(width, height);
        const int row = height / 2 + 37;
        const int from = width / 2 - 100, to = width / 2 + 120;
        DrawGraphics({Dark(ColumnX(from), RowY(row)), Point(ColumnX(to), RowY(row), 255, 255, 255)});
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        const int lit = int(std::lround(0.7 * 255));
        for (int column = from + 2; column <= to - 2; column += 7)
            EXPECT_TRUE(Near(target_->Pixel(column, row), {lit, lit, lit})) << column;
        EXPECT_TRUE(IsBlack(target_->Pixel(width / 2, row + 2)));
        EXPECT_TRUE(IsBlack(target_->Pixel(width / 2, row - 2)));
        EXPECT_TRUE(IsBlack(target_->Pixel(from - 3, row)));
        EXPECT_TRUE(IsBlack(target_->Pixel(to + 3, row)));
    }
}

TEST_F(LaserPixels, ColoursAreCombinedAndNormalised)
{
    Open(640, 360);
    struct Case
    {
        float record, parameter;
        Rgb8 expected;
    };
    for (const Case& c : {Case{0.5f, 2.0f, {255, 128, 0}}, Case{0.5f, 0.5f, {50, 25, 0}}}) {
        table_.entries[0].records[0].graphicsIntensity = c.record;
        pars_.o_graphics_intensity = c.parameter;
        Scene();
        DrawGraphics({Dark(ColumnX(200), RowY(100)), Point(ColumnX(400), RowY(100), 200, 100, 0)});
        EXPECT_TRUE(Near(target_->Pixel(300, 100), c.expected)) << c.record << " " << c.parameter;
    }
}

TEST_F(LaserPixels, ABlankedJumpStaysBlackWhileEachDwellShowsADot)
{
    Open(640, 360);
    const int row = 150;
    DrawGraphics({Dark(ColumnX(200), RowY(row)), Point(ColumnX(200), RowY(row), 255, 255, 255),
                  Dark(ColumnX(400), RowY(row)), Point(ColumnX(400), RowY(row), 255, 255, 255)});
    for (int column : {200, 400}) {
        bool dot = false;
        for (int dx = -1; dx <= 1; ++dx)
            dot = dot || !IsBlack(target_->Pixel(column + dx, row));
        EXPECT_TRUE(dot) << column;
    }
    for (int column = 205; column <= 395; column += 10)
        EXPECT_TRUE(IsBlack(target_->Pixel(column, row))) << column;
}

TEST_F(LaserPixels, EnhancedLinesAreAsManyRowsWideAsTheLineWidth)
{
    Open(640, 360);
    pars_.o_enhanced_lines = 1;
    pars_.o_line_width = 3.0f;
    Scene();
    const int row = 200;
    DrawGraphics({Dark(ColumnX(100), RowY(row)), Point(ColumnX(500), RowY(row), 255, 255, 255)});
    for (int dy : {-1, 0, 1})
        EXPECT_FALSE(IsBlack(target_->Pixel(300, row + dy))) << dy;
    for (int dy : {-2, 2})
        EXPECT_TRUE(IsBlack(target_->Pixel(300, row + dy))) << dy;
}

TEST_F(LaserPixels, AFanFromTheCentreFillsExactlyItsQuadrant)
{
    Open(640, 360);
    pars_.o_fog_force = 1;
    pars_.o_graphics_force = 0;
    pars_.o_fog_min_int = 1.0f;
    LChanOutPars& record = table_.entries[0].records[0];
    record.scannerPositionX = record.scannerPositionY = 0.0f;
    record.fogMinIntensity = 1.0f;
    Scene();
    renderer_.DrawFogFan(
        std::vector<LFrameOutPoint>{Point(1.0f, 0.0f, 0, 255, 0), Point(0.0f, 1.0f, 0, 255, 0)}, table_,
        out_);
    Draw();
    const int cx = 320, cy = 180;
    const Rgb8 fan = target_->Pixel(cx + 3, cy + 3);
    EXPECT_TRUE(Near(fan, {0, int(std::lround(0.7 * 255)), 0}));
    for (const auto& [x, y] :
         {std::pair{cx + 100, cy + 2}, {cx + 2, cy + 170}, {639, 359}, {cx + 250, cy + 60}})
        EXPECT_TRUE(Near(target_->Pixel(x, y), fan)) << x << ", " << y;
    for (const auto& [x, y] :
         {std::pair{cx - 3, cy + 3}, {cx + 3, cy - 3}, {cx - 3, cy - 3}, {0, 0}, {639, 0}, {0, 359}})
        EXPECT_TRUE(IsBlack(target_->Pixel(x, y))) << x << ", " << y;
}

TEST_F(LaserPixels, GlowMarksLightTheScannersImageOnlyWhenSwitchedOn)
{
    Open(640, 360);
    pars_.o_fog_force = 1;
    LChanOutPars& record = table_.entries[0].records[0];
    record.fogOn = true;
    record.scannerPositionX = record.scannerPositionY = 0.0f;
    const int column = 400, row = 250;
    pars_.o_scanner_pos_x = (float(column) + 0.5f - 320.0f) * target_->PixelSize() / target_->HalfWidth();
    pars_.o_scanner_pos_y = (float(row) + 0.5f - 180.0f) * target_->PixelSize() / target_->HalfHeight();
    Scene();
    renderer_.DrawFogFan(std::vector<LFrameOutPoint>{Point(0.5f, 0.5f, 0, 255, 0)}, table_, out_);
    out_.Clear(); // only the marks are looked at

    pars_.p0x9003 = 0;
    renderer_.DrawGlowMarks(out_);
    Draw();
    EXPECT_TRUE(IsBlack(target_->Pixel(column, row)));
    ASSERT_EQ(renderer_.ScannerPositions().Count(), 1);

    pars_.p0x9003 = 1;
    renderer_.DrawGlowMarks(out_);
    Draw();
    EXPECT_EQ(renderer_.ScannerPositions().Count(), 0);
    EXPECT_TRUE(Near(target_->Pixel(column, row), {179, 255, 179}));
    const int reach = int(pars_.p0x2003); // half the mark's side, in pixels
    EXPECT_FALSE(IsBlack(target_->Pixel(column + reach - 1, row - reach + 1)));
    for (const auto& [dx, dy] : {std::pair{reach + 2, 0}, {0, -reach - 2}, {-reach - 2, reach + 2}})
        EXPECT_TRUE(IsBlack(target_->Pixel(column + dx, row + dy))) << dx << ", " << dy;
}

// A generated show of one still circle of radius 0.5, read from its file at a time inside it and
// drawn through the frame cache: a ring of radius 0.5 x min(w, h) / 2 pixels around the centre.
TEST_F(LaserPixels, AStillCircleShowLandsOnItsRing)
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("still_circle_" + std::to_string(getpid()) + ".zyl");
    ShowGeneratorOptions options;
    options.servers = 1;
    options.channelsPerServer = 1;
    options.blankingPeriodS = 0;
    options.durationUs = 1000000;
    options.stillCircle = true;
    ASSERT_FALSE(GenerateShow(path.c_str(), options).Failed());
    LLaserPreviewStream stream;
    const bool opened = stream.Open(path.c_str());
    std::filesystem::remove(path);
    ASSERT_TRUE(opened);
    const int64_t time = (stream.FirstTime() + stream.LastTime()) / 2;
    LChannelFrameCache frames;

    for (const auto& [width, height] : {std::pair{640, 360}, {360, 640}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        Open(width, height);
        DrawShowChannels(stream, time, frames, renderer_, out_);
        Draw();
        const double radius = 0.5 * Scale();
        // Within a pixel of the ring in every direction; black well inside and outside it.
        auto litNear = [&](double x, double y) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (target_->Pixel(int(std::lround(x)) + dx, int(std::lround(y)) + dy).g > 0)
                        return true;
            return false;
        };
        const double cx = width / 2.0 - 0.5, cy = height / 2.0 - 0.5;
        for (int degrees = 0; degrees < 360; degrees += 15) {
            const double c = std::cos(degrees * std::numbers::pi / 180.0);
            const double s = std::sin(degrees * std::numbers::pi / 180.0);
            EXPECT_TRUE(litNear(cx + radius * c, cy + radius * s)) << degrees;
            for (const double off : {0.8, 1.2})
                EXPECT_TRUE(IsBlack(target_->Pixel(int(std::lround(cx + off * radius * c)),
                                                   int(std::lround(cy + off * radius * s)))))
                    << degrees << " at " << off;
        }
        EXPECT_TRUE(IsBlack(target_->Pixel(width / 2, height / 2)));
    }
}

} // namespace
