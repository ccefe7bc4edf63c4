#pragma once
// A picture entry's colour with the palette index of its last mapping. The index also travels
// into frames as the point's 6-bit attribute.

#include <cstdint>

struct LPicColor
{
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
    int32_t index = 0;

    // Each component clamped to 0..255; index 0.
    void Set(int32_t r, int32_t g, int32_t b);
    // All three components become 255 when each is <= level; the index stays.
    void WhitenIfDark(int32_t level);

    // index := the palette index of the colour; with writeBack the colour becomes the palette's.
    void MapPalette1(bool hueOnly, bool writeBack);
    void MapPalette2(bool writeBack);
    void MapPalette3(bool writeBack);
    // Map by hue alone; on write back, the palette colour is blended towards white by the lack of
    // saturation (saturate) and darkened by the value (brightness).
    void MapPalette1Hsv(bool writeBack, bool brightness, bool saturate);
    void MapPalette3Hsv(bool writeBack, bool brightness, bool saturate);
};
