// Where the view lies inside the skinned frame's client area, and where the skin's pieces go:
// negative coordinates count from the client's right or bottom edge.
#pragma once

#include "shell/skin_frame_style.h"

#include "platform/raster_bitmap.h"

#include <cstdint>

// A coordinate that counts from the far edge when negative.
constexpr int32_t ResolveSkinCoordinate(int32_t value, int32_t extent)
{
    return value < 0 ? extent + value : value;
}

// The view's rectangle in a client of that size; never of negative size.
RasterRect SkinViewRect(const SkinFrameState& state, int32_t clientWidth, int32_t clientHeight);

// The large skin's frame round the view, and the SkinMin strip's height.
inline constexpr int32_t kSkinViewLeft = 14;
inline constexpr int32_t kSkinViewTop = 34;
inline constexpr int32_t kSkinViewRight = 14;
inline constexpr int32_t kSkinViewBottom = 61;
inline constexpr int32_t kPlaybackStripHeight = 32;
// The view's client edge shows a 2-pixel line above the strip.
inline constexpr int32_t kPlaybackStripEdgeHeight = 34;
