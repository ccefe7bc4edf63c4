// What a press on a top-level window's own frame does: the codes a window manager's frame would
// answer (move by the caption, size by an edge or corner), for windows that draw that frame
// themselves.
#pragma once

#include <cstdint>

enum class FrameHit : int32_t {
    kClient,
    kCaption,
    kLeft,
    kRight,
    kTop,
    kTopLeft,
    kTopRight,
    kBottom,
    kBottomLeft,
    kBottomRight,
};

// The edge or corner of a width x height window that a point within `band` pixels of its border
// lies on (the top edge as kTop); kClient further in.
FrameHit FrameBandHit(int32_t width, int32_t height, int32_t x, int32_t y, int32_t band);
