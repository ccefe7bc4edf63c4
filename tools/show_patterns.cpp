#include "tools/show_patterns.h"

#include "tools/stroke_font.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

namespace {

constexpr int32_t kFewestPoints = 8;
constexpr int32_t kFullColor = 255;
constexpr int32_t kAttributeMask = 0x3F;
constexpr double kTwoPi = 2 * std::numbers::pi;
// Hue turns per second of the colour cycles.
constexpr double kHueSpeed = 0.2;
constexpr double kVariantHueStep = 0.137;
constexpr int32_t kBeamCount = 3;
constexpr double kTextScrollSpeed = 0.25;
constexpr std::string_view kText = "ZYLSHOW";

struct Rgb
{
    int32_t red;
    int32_t green;
    int32_t blue;
};

Rgb HueColor(double hue)
{
    const double h = (hue - std::floor(hue)) * 6.0;
    const double f = h - std::floor(h);
    const auto c = [](double v) { return static_cast<int32_t>(std::lround(v * kFullColor)); };
    switch (static_cast<int>(h)) {
    case 0:
        return {kFullColor, c(f), 0};
    case 1:
        return {c(1 - f), kFullColor, 0};
    case 2:
        return {0, kFullColor, c(f)};
    case 3:
        return {0, c(1 - f), kFullColor};
    case 4:
        return {c(f), 0, kFullColor};
    default:
        return {kFullColor, 0, c(1 - f)};
    }
}

class PointWriter
{
  public:
    PointWriter(LPic& out, uint32_t variant, double hue) : out_(out), variant_(variant), hue_(hue)
    {
        out_.SetCount(0);
    }

    void Lit(double x, double y, double hueShift = 0.0) { Add(x, y, false, hueShift); }
    void Blank(double x, double y) { Add(x, y, true, 0.0); }

  private:
    void Add(double x, double y, bool blank, double hueShift)
    {
        LPicEntry entry;
        entry.x = std::clamp(x, -1.0, 1.0);
        entry.y = std::clamp(y, -1.0, 1.0);
        const Rgb rgb = blank ? Rgb{0, 0, 0} : HueColor(hue_ + hueShift);
        entry.color.red = rgb.red;
        entry.color.green = rgb.green;
        entry.color.blue = rgb.blue;
        entry.color.index = static_cast<int32_t>(variant_ & kAttributeMask);
        entry.blank = blank ? 1 : 0;
        out_.Append(entry);
    }

    LPic& out_;
    uint32_t variant_;
    double hue_;
};

void Circle(PointWriter& w, double t, double cx, double cy, int32_t n)
{
    const double radius = 0.4 + 0.2 * std::sin(t * 1.3);
    w.Blank(cx + radius, cy);
    for (int32_t i = 0; i <= n; ++i) {
        const double a = kTwoPi * i / n;
        w.Lit(cx + radius * std::cos(a), cy + radius * std::sin(a), static_cast<double>(i) / n);
    }
}

void Spiral(PointWriter& w, double t, double cx, double cy, int32_t n)
{
    w.Blank(cx, cy);
    for (int32_t i = 0; i < n; ++i) {
        const double share = static_cast<double>(i) / n;
        const double a = 5 * kTwoPi * share + t * 2.0;
        w.Lit(cx + 0.8 * share * std::cos(a), cy + 0.8 * share * std::sin(a), share * 0.5);
    }
}

void Lines(PointWriter& w, double t, double cx, double cy, int32_t n)
{
    constexpr int32_t kLines = 6;
    const int32_t perLine = std::max(2, n / kLines);
    const double sweep = 0.6 * std::sin(t * 0.9);
    for (int32_t line = 0; line < kLines; ++line) {
        const double y = cy - 0.75 + 1.5 * line / (kLines - 1);
        w.Blank(cx - 0.8, y);
        for (int32_t i = 0; i < perLine; ++i)
            w.Lit(cx - 0.8 + 1.6 * i / (perLine - 1), y + sweep * (i % 2 ? 0.05 : -0.05), 0.1 * line);
    }
}

void Beams(PointWriter& w, double cx, double cy, int32_t n)
{
    const int32_t dwell = std::max(1, n / kBeamCount);
    for (int32_t beam = 0; beam < kBeamCount; ++beam) {
        const double x = cx + 0.5 * (beam - 1);
        w.Blank(x, cy);
        for (int32_t i = 0; i < dwell; ++i)
            w.Lit(x, cy, beam / 3.0);
    }
}

void Text(PointWriter& w, double t, double cy, int32_t n)
{
    constexpr double kUnit = 0.05;
    const double width = (kStrokeLetterWidth + 2) * kUnit;
    const double scroll = std::fmod(t * kTextScrollSpeed, 2.0 + width * kText.size());
    const int32_t perSegment = std::max(1, n / 40);
    for (size_t i = 0; i < kText.size(); ++i) {
        const double left = 1.0 - scroll + width * static_cast<double>(i);
        if (left < -1.0 - width || left > 1.0)
            continue;
        for (const auto& stroke : StrokeLetterOf(kText[i]).strokes) {
            const auto at = [&](const StrokePoint& p, double& x, double& y) {
                x = left + p.x * kUnit;
                y = cy + (p.y - kStrokeLetterHeight / 2.0) * kUnit;
            };
            double x0;
            double y0;
            at(stroke.front(), x0, y0);
            w.Blank(x0, y0);
            for (size_t s = 1; s < stroke.size(); ++s) {
                double x1;
                double y1;
                at(stroke[s], x1, y1);
                for (int32_t k = 1; k <= perSegment; ++k)
                    w.Lit(x0 + (x1 - x0) * k / perSegment, y0 + (y1 - y0) * k / perSegment, 0.05 * i);
                x0 = x1;
                y0 = y1;
            }
        }
    }
    // A frame must not be empty while the text is off screen.
    w.Blank(0.0, cy);
}

} // namespace

void MakePatternPoints(ShowPattern pattern, double t, uint32_t variant, int32_t points, LPic& out)
{
    const int32_t n = std::max(points, kFewestPoints);
    // Beams stand still in one colour, so that their frames repeat.
    const double hue = variant * kVariantHueStep + (pattern == ShowPattern::kBeams ? 0.0 : t * kHueSpeed);
    PointWriter w(out, variant, hue);
    const double cx = 0.15 * std::sin(variant * 1.7);
    const double cy = 0.15 * std::cos(variant * 2.3);
    switch (pattern) {
    case ShowPattern::kSpiral:
        Spiral(w, t, cx, cy, n);
        break;
    case ShowPattern::kLines:
        Lines(w, t, cx, cy, n);
        break;
    case ShowPattern::kBeams:
        Beams(w, cx, cy, n);
        break;
    case ShowPattern::kText:
        Text(w, t, cy, n);
        break;
    default:
        Circle(w, t, cx, cy, n);
        break;
    }
}

void MakeStillCirclePoints(int32_t points, LPic& out)
{
    constexpr double kRadius = 0.5;
    constexpr double kGreenHue = 1.0 / 3.0;
    const int32_t steps = std::max(points, kFewestPoints) - 1;
    PointWriter writer(out, 0, kGreenHue);
    writer.Blank(kRadius, 0.0);
    for (int32_t i = 1; i <= steps; ++i) {
        const double angle = kTwoPi * i / steps;
        writer.Lit(kRadius * std::cos(angle), kRadius * std::sin(angle));
    }
}
