#include "platform/frame_hit.h"

FrameHit FrameBandHit(int32_t width, int32_t height, int32_t x, int32_t y, int32_t band)
{
    const bool left = x < band, right = x >= width - band;
    const bool top = y < band, bottom = y >= height - band;
    if (top && left)
        return FrameHit::kTopLeft;
    if (top && right)
        return FrameHit::kTopRight;
    if (bottom && left)
        return FrameHit::kBottomLeft;
    if (bottom && right)
        return FrameHit::kBottomRight;
    if (left)
        return FrameHit::kLeft;
    if (right)
        return FrameHit::kRight;
    if (top)
        return FrameHit::kTop;
    if (bottom)
        return FrameHit::kBottom;
    return FrameHit::kClient;
}
