#include "shell/skin_layout.h"

#include <algorithm>

RasterRect SkinViewRect(const SkinFrameState& state, int32_t clientWidth, int32_t clientHeight)
{
    RasterRect view{0, 0, clientWidth, clientHeight};
    if (IsLargeSkin(state)) {
        view = {kSkinViewLeft, kSkinViewTop, clientWidth - kSkinViewRight, clientHeight - kSkinViewBottom};
    } else if (HasPlaybackStrip(state)) {
        view.bottom -= state.viewClientEdge ? kPlaybackStripEdgeHeight : kPlaybackStripHeight;
    }
    view.right = std::max(view.right, view.left);
    view.bottom = std::max(view.bottom, view.top);
    return view;
}
