#include "conversion/color_space.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr float kFullCircle = 360.0f;
constexpr float kSectorDegrees = 60.0f;
constexpr int32_t kHueUnits = 240;
constexpr int32_t kSectorUnits = 40;
constexpr int32_t kHalfSectorScale = 80;
constexpr int32_t kHsvScale = kColorMax * kHalfSectorScale; // 20400
constexpr int32_t kHueWeight = 64;
constexpr int32_t kHueTermFactor = 4;

} // namespace

int32_t ClampComponent(int32_t c)
{
    return std::clamp(c, 0, kColorMax);
}

RgbColor ClampColor(const RgbColor& c)
{
    return {ClampComponent(c.red), ClampComponent(c.green), ClampComponent(c.blue)};
}

HsvFloat RgbToHsv(const RgbColor& color)
{
    const RgbColor c = ClampColor(color);
    const float r = static_cast<float>(c.red) / kColorMax;
    const float g = static_cast<float>(c.green) / kColorMax;
    const float b = static_cast<float>(c.blue) / kColorMax;
    HsvFloat out;
    const bool blueLargest = c.blue > c.red && c.blue > c.green;
    const bool greenLargest = !blueLargest && c.green > c.red;
    const float v = blueLargest ? b : (greenLargest ? g : r);
    out.value = v;
    if (v == 0.0f) {
        return out;
    }
    const float delta = v - std::min({r, g, b});
    out.saturation = delta / v;
    if (out.saturation == 0.0f) {
        return out;
    }
    float h = 0.0f;
    if (blueLargest) {
        h = (r - g) / delta + 4.0f;
    } else if (greenLargest) {
        h = (b - r) / delta + 2.0f;
    } else {
        h = (g - b) / delta;
    }
    h *= kSectorDegrees;
    if (h < 0.0f) {
        h += kFullCircle;
    }
    if (h >= kFullCircle) {
        h -= kFullCircle;
    }
    out.hue = h;
    return out;
}

Hsv240 RgbToHsv240(const RgbColor& color)
{
    const RgbColor c = ClampColor(color);
    const int32_t v = std::max({c.red, c.green, c.blue});
    const int32_t lo = std::min({c.red, c.green, c.blue});
    Hsv240 out;
    out.value = v;
    if (v == 0 || lo == v) {
        return out;
    }
    out.saturation = (v - lo) * kColorMax / v;
    if (out.saturation == 0) {
        return out;
    }
    const int32_t d = 2 * (v - lo);
    int32_t h = 0;
    if (c.red == v) {
        h = (c.green - c.blue) * kHalfSectorScale / d;
    } else if (c.green == v) {
        h = (c.blue - c.red) * kHalfSectorScale / d + kHalfSectorScale;
    } else {
        h = (c.red - c.green) * kHalfSectorScale / d + 2 * kHalfSectorScale;
    }
    if (h < 0) {
        h += kHueUnits;
    }
    if (h >= kHueUnits) {
        h -= kHueUnits;
    }
    out.hue = h;
    return out;
}

RgbColor HsvToRgb(int32_t hue, int32_t saturation, int32_t value)
{
    const int32_t s = ClampComponent(saturation);
    const int32_t v = ClampComponent(value);
    if (s <= 0) {
        return {v, v, v};
    }
    const bool inRange = hue >= 0 && hue < kHueUnits;
    const int32_t sector = inRange ? hue / kSectorUnits : 0;
    const int32_t f = inRange ? 2 * (hue % kSectorUnits) : 0;
    const int32_t p = (kColorMax - s) * v / kColorMax;
    const int32_t q = (kHsvScale - f * s) * v / kHsvScale;
    const int32_t t = (kHsvScale - (kHalfSectorScale - f) * s) * v / kHsvScale;
    switch (sector) {
    case 1:
        return {q, v, p};
    case 2:
        return {p, v, t};
    case 3:
        return {p, q, v};
    case 4:
        return {t, p, v};
    case 5:
        return {v, p, q};
    default:
        return {v, t, p};
    }
}

int32_t ColorDistance(int32_t r1, int32_t g1, int32_t b1, int32_t r2, int32_t g2, int32_t b2)
{
    const RgbColor c1 = ClampColor({r1, g1, b1});
    const RgbColor c2 = ClampColor({r2, g2, b2});
    const int32_t dr = c2.red - c1.red;
    const int32_t dg = c2.green - c1.green;
    const int32_t db = c2.blue - c1.blue;
    const int32_t plain = dr * dr + dg * dg + db * db;
    const HsvFloat h1 = RgbToHsv(c1);
    const HsvFloat h2 = RgbToHsv(c2);
    const int32_t apart = std::abs(static_cast<int32_t>(h1.hue) - static_cast<int32_t>(h2.hue));
    const int32_t dh = std::min(apart, static_cast<int32_t>(kFullCircle) - apart);
    const float hueTerm = static_cast<float>(kHueWeight * dh * dh) * h1.saturation * h1.value;
    return plain + kHueTermFactor * static_cast<int32_t>(hueTerm);
}
