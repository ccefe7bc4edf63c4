// The large skin's window shape: a rectangle with corners rounded by a radius of 13 pixels
// (half the smaller side for a window smaller than that); a pixel belongs to it when its centre
// lies inside.
#pragma once

#include "platform/raster_bitmap.h"

#include <cstdint>
#include <vector>

inline constexpr int32_t kSkinCornerRadius = 13;

// The shape of a window of that size as rectangles: one for each run of rows with the same
// span, top to bottom. Empty for an empty window.
std::vector<RasterRect> RoundedWindowShape(int32_t width, int32_t height);
