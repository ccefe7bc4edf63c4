#pragma once
// Colour arithmetic of the palette mapping: HSV in floating point (degrees) and in integers
// (240 hue units), and a colour distance that adds a hue term. Every entry point clamps its
// colour components to 0..255, so any 32-bit input is safe.

#include <cstdint>

struct RgbColor
{
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
    bool operator==(const RgbColor&) const = default;
};

struct HsvFloat
{
    float hue = 0.0f;        // 0 <= hue < 360
    float saturation = 0.0f; // 0..1
    float value = 0.0f;      // 0..1
};

struct Hsv240
{
    int32_t hue = 0; // 0..239, 40 units per 60 degrees
    int32_t saturation = 0;
    int32_t value = 0;
    bool operator==(const Hsv240&) const = default;
};

constexpr int32_t kColorMax = 255;

int32_t ClampComponent(int32_t c);
RgbColor ClampColor(const RgbColor& c);

// Computed in single precision: the distance truncates the hue to whole degrees, so the
// precision only matters at exact degree boundaries, and the built tables are pinned by tests.
HsvFloat RgbToHsv(const RgbColor& color);
Hsv240 RgbToHsv240(const RgbColor& color);
// Hues of 240 and above (and below 0) count as hue 0; saturation and value are clamped to 0..255.
RgbColor HsvToRgb(int32_t hue, int32_t saturation, int32_t value);

// Squared RGB distance plus a hue term weighted by the first colour's saturation and value
// only, so it is not symmetric: a grey first colour ignores hue.
int32_t ColorDistance(int32_t r1, int32_t g1, int32_t b1, int32_t r2, int32_t g2, int32_t b2);
