#include "shell/skin_region.h"

#include <algorithm>

namespace {

// In half pixels, so that pixel centres (2p + 1) are whole: a window smaller than two radii
// gets corners of half its smaller side, as a rounded rectangle's ellipse is cut to the window.
int32_t CornerRadius(int32_t width, int32_t height)
{
    return std::min({2 * kSkinCornerRadius, width, height});
}

// A pixel centre's distance along one axis from the straight part of the edge, 0 on it.
int64_t CornerOffset(int32_t pixel, int32_t extent, int32_t radius)
{
    const int32_t centre = 2 * pixel + 1;
    return centre - std::clamp(centre, radius, 2 * extent - radius);
}

bool Inside(int32_t x, int32_t y, int32_t width, int32_t height)
{
    const int64_t radius = CornerRadius(width, height);
    const int64_t dx = CornerOffset(x, width, static_cast<int32_t>(radius));
    const int64_t dy = CornerOffset(y, height, static_cast<int32_t>(radius));
    return dx * dx + dy * dy <= radius * radius;
}

// The first column of a row inside the shape; the row is symmetric, so it ends at width - left.
int32_t RowStart(int32_t y, int32_t width, int32_t height)
{
    int32_t left = 0;
    while (left < width / 2 && !Inside(left, y, width, height))
        ++left;
    return left;
}

} // namespace

std::vector<RasterRect> RoundedWindowShape(int32_t width, int32_t height)
{
    std::vector<RasterRect> rects;
    for (int32_t y = 0; y < height; ++y) {
        const int32_t left = RowStart(y, width, height);
        const int32_t right = width - left;
        if (left >= right)
            continue;
        if (!rects.empty() && rects.back().bottom == y && rects.back().left == left && rects.back().right == right)
            rects.back().bottom = y + 1;
        else
            rects.push_back({left, y, right, y + 1});
    }
    return rects;
}
