#include "shell/skin_frame_hit.h"

namespace {

// The edge or corner code for a point within `edge` pixels of the window's border, else client.
FrameHit EdgeHit(int32_t width, int32_t height, int32_t x, int32_t y, int32_t edge, bool topMoves)
{
    const FrameHit hit = FrameBandHit(width, height, x, y, edge);
    return hit == FrameHit::kTop && topMoves ? FrameHit::kCaption : hit;
}

} // namespace

bool EllipseHit(const RasterRect& rect, int32_t x, int32_t y)
{
    if (x < rect.left || x >= rect.right || y < rect.top || y >= rect.bottom)
        return false;
    const int64_t width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int64_t a = (width + 1) / 2, b = (height + 1) / 2;
    const int64_t dx = x - (rect.left + width / 2), dy = y - (rect.top + height / 2);
    return dx * dx * b * b + dy * dy * a * a <= a * a * b * b;
}

FrameHit SkinFrameHitTest(const SkinFrameState& state, int32_t width, int32_t height, int32_t x, int32_t y,
                          bool overElement)
{
    const SkinFrameStyle& style = state.style;
    const bool large = IsLargeSkin(state);
    if (!large && (style.caption || style.thickFrame)) {
        // A window manager's frame answers outside the client; ours is the thick frame's band.
        const int32_t band = OwnFrameBand(state);
        if (band == 0)
            return FrameHit::kClient;
        return EdgeHit(width, height, x, y, band, !style.caption);
    }
    const bool resizable = IsResizable(state);
    const int32_t reach = large ? kLargeCornerReach : kPlainCornerReach;
    if (resizable && (width - x) + (height - y) < reach)
        return FrameHit::kBottomRight;
    if (overElement)
        return FrameHit::kClient;
    if (resizable) {
        const bool topMoves = !style.caption && !large && IsMovable(state);
        const FrameHit edge =
            EdgeHit(width, height, x, y, large ? kLargeEdgeWidth : kPlainEdgeWidth, topMoves);
        if (edge != FrameHit::kClient)
            return edge;
    }
    if (IsMovable(state) && (style.caption || large) && y <= (large ? kLargeCaptionBottom : 0))
        return FrameHit::kCaption;
    return FrameHit::kClient;
}
