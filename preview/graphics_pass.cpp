#include "preview/laser_frame_renderer.h"

#include "params/beamvista_pars.h"
#include "preview/laser_colour.h"
#include "preview/segment_shapes.h"
#include "preview/texture_kind.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kVisibleIntensity = 0.001f;
constexpr float kSlowestQuotient = 0.001f;
constexpr float kStandingBeamFactor = 1000.0f;
constexpr int32_t kMaxRepeats = 10;

struct Byte3
{
    uint8_t r, g, b;
};

// What a short lit stretch collapses into: the brightest of its points, drawn as a dot.
struct Dot
{
    bool open = false;
    bool drawable = false;
    float firstX = 0.0f, firstY = 0.0f;
    Byte3 colour{0, 0, 0};
    float intensity = 0.0f;
};

bool Lit(const LFrameOutPoint& pt, float a, float b)
{
    return !IsBlack(pt.red, pt.green, pt.blue) && (a > 0.0f || b > 0.0f);
}
} // namespace

void LaserFrameRenderer::DrawGraphics(std::span<const LFrameOutPoint> points, float timeScale,
                                      const LChanOutParsTable& table, RenderBatchBuilder& out)
{
    const LBeamvistaPars& p = *pars_;
    if (p.o_graphics_force == 0)
        return;
    const bool enhanced = p.o_enhanced_lines != 0;
    out.Begin(enhanced ? GlPrimitive::Quads : GlPrimitive::Lines,
              enhanced && p.o_beam_profile ? kBeamProfileTexture : kNoTexture);
    ForEachDrawingRecord(
        points, table,
        [&](const LChanOutPars& record, const ChannelGeometry& geo) {
            return (record.graphicsOn || p.o_graphics_force == 1) &&
                   geo.graphicsIntensity > kVisibleIntensity;
        },
        [&](std::span<const LFrameOutPoint> run, const LChanOutPars&, const ChannelGeometry& geo, int32_t) {
            GraphicsRun(run, geo, timeScale, out);
        });
    out.End();
}

float LaserFrameRenderer::SpeedFactor(float speed, float timeScale) const
{
    const LBeamvistaPars& p = *pars_;
    const float quotient = speed / timeScale;
    // Speed and scale 0 give no quotient at all: a standing beam too.
    const float q = quotient > kSlowestQuotient ? 1.0f / quotient : kStandingBeamFactor;
    return std::max(std::min(q, float(p.p0x91224)), float(p.p0x91225));
}

void LaserFrameRenderer::GraphicsRun(std::span<const LFrameOutPoint> run, const ChannelGeometry& geo,
                                     float timeScale, RenderBatchBuilder& out)
{
    const LBeamvistaPars& p = *pars_;
    const bool enhanced = p.o_enhanced_lines != 0;
    const bool byIntensity = p.o_simulate != 0 && p.o_sim_intensity != 0;
    const float lineWidth = p.o_line_width;
    const float dotSize = (1.0f - geo.depth) / geo.scaleX * view_.pixelSize * lineWidth;
    const float dotSizeSquared = dotSize * dotSize;
    const bool dots = std::isfinite(dotSizeSquared);

    WideSegmentStyle style;
    const int32_t repeats = std::clamp<int32_t>(p.p0x10010, 1, kMaxRepeats);
    if (enhanced) {
        style.widthStart =
            view_.pixelSize * (1.0f - geo.depth) * lineWidth * (p.o_beam_profile ? p.p0x21015 : 1.0f);
        style.widthEnd = style.widthStart;
        style.profile = p.o_beam_profile != 0;
        style.startCap = p.p0x21080 != 0;
        style.endCap = p.p0x21090 != 0;
        if (!SegmentWidening(p.o_graphics_size_x, p.o_graphics_size_y, style))
            return;
    }
    auto segment = [&](float x0, float y0, float x1, float y1, Byte3 c, float i0, float i1) {
        const float share = enhanced ? 1.0f / float(repeats) : 1.0f;
        const SegmentEnd a{geo.PlaneX(x0), geo.PlaneY(y0), geo.depth, LaserColour(c.r, c.g, c.b, i0 * share)};
        const SegmentEnd b{geo.PlaneX(x1), geo.PlaneY(y1), geo.depth, LaserColour(c.r, c.g, c.b, i1 * share)};
        if (!enhanced) {
            EmitLineSegment(out, a, b, nullptr);
            return;
        }
        for (int32_t n = 0; n < repeats; ++n)
            EmitWideSegment(out, a, b, style, nullptr);
    };

    Dot dot;
    float prevX = 0.0f, prevY = 0.0f;
    float prevQ = 0.0f;
    for (size_t i = 0; i < run.size(); ++i) {
        const LFrameOutPoint& pt = run[i];
        const float x = float(pt.x) * kLaserCoordinateScale;
        const float y = float(pt.y) * kLaserCoordinateScale;
        float a = pt.shutterRamp;
        float b = pt.beamRamp;
        if (byIntensity) {
            const float q = SpeedFactor(pt.speed, timeScale);
            b *= q;
            a *= prevQ;
            prevQ = q;
        }
        a *= geo.graphicsIntensity;
        b *= geo.graphicsIntensity;

        if (!Lit(pt, a, b)) {
            dot.open = false;
        } else {
            if (!dot.open)
                dot = Dot{true, dots, prevX, prevY, {0, 0, 0}, 0.0f};
            dot.colour = {std::max(dot.colour.r, pt.red), std::max(dot.colour.g, pt.green),
                          std::max(dot.colour.b, pt.blue)};
            dot.intensity = std::max({dot.intensity, a, b});
            const float dx = x - dot.firstX;
            const float dy = y - dot.firstY;
            if (dx * dx + dy * dy >= dotSizeSquared)
                dot.drawable = false;
            const bool lastLit =
                i + 1 == run.size() || !(run[i + 1].shutterRamp > 0.0f || run[i + 1].beamRamp > 0.0f);
            if (dot.drawable && lastLit) {
                const float middle = (dot.firstX + x) * 0.5f;
                segment(middle - dotSize * 0.5f, prevY, middle + dotSize * 0.5f, y, dot.colour, dot.intensity,
                        dot.intensity);
                dot.open = false;
            } else {
                segment(prevX, prevY, x, y, {pt.red, pt.green, pt.blue}, a, b);
            }
        }
        prevX = x;
        prevY = y;
    }
}
