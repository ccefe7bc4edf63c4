// What lies under a point of the skinned frame: an element (round buttons hit inside the
// ellipse their image rectangle holds) and the frame's own areas (caption, edges, corners),
// which stand where a window manager's frame would answer.
#pragma once

#include "shell/skin_frame_style.h"

#include "platform/frame_hit.h"
#include "platform/raster_bitmap.h"

#include <cstdint>

// True when (x, y) lies in the ellipse inscribed in the rectangle, with half-axes
// (width + 1) / 2 and (height + 1) / 2 round its centre.
bool EllipseHit(const RasterRect& rect, int32_t x, int32_t y);

// The frame's answer for a point of its window (width x height, our own thick-frame band
// included); overElement: an element or the slider lies under the point.
FrameHit SkinFrameHitTest(const SkinFrameState& state, int32_t width, int32_t height, int32_t x, int32_t y,
                          bool overElement);

// The bottom-right corner's reach (the sum of both distances) and the edges' width.
inline constexpr int32_t kLargeCornerReach = 38;
inline constexpr int32_t kPlainCornerReach = 16;
inline constexpr int32_t kLargeEdgeWidth = 6;
inline constexpr int32_t kPlainEdgeWidth = 4;
inline constexpr int32_t kLargeCaptionBottom = 33;
