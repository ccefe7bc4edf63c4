#include "controls/fit_rect_to_screen.h"

#include <algorithm>
#include <limits>

namespace {

bool IsEmptyUnion(const ScreenRect& area)
{
    return area.left == area.right;
}

void Widen(ScreenRect& area, const ScreenRect& more)
{
    area.left = std::min(area.left, more.left);
    area.top = std::min(area.top, more.top);
    area.right = std::max(area.right, more.right);
    area.bottom = std::max(area.bottom, more.bottom);
}

int32_t ClampToInt32(int64_t value)
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Shifts the span [low, high) so that it stands out at most overhang beyond [areaLow, areaHigh),
// the far edge first, so that a span longer than the area ends at the near edge.
bool FitSpan(int32_t& low, int32_t& high, int32_t areaLow, int32_t areaHigh, int64_t overhang)
{
    int64_t from = low;
    int64_t to = high;
    const int64_t length = to - from;
    if (to > areaHigh + overhang) {
        to = areaHigh + overhang;
        from = to - length;
    }
    if (from < areaLow - overhang) {
        from = areaLow - overhang;
        to = from + length;
    }
    const bool moved = from != low;
    low = ClampToInt32(from);
    high = ClampToInt32(to);
    return moved;
}

} // namespace

std::optional<ScreenRect> ScreenWorkArea(const ScreenAreas& screens)
{
    ScreenRect area;
    if (screens.monitorsListed) {
        for (const std::optional<ScreenRect>& workArea : screens.monitorWorkAreas) {
            if (!workArea)
                continue;
            if (IsEmptyUnion(area))
                area = *workArea;
            else
                Widen(area, *workArea);
        }
        // Monitors were listed but none could be read: the fallbacks know more than nothing.
        if (!IsEmptyUnion(area))
            return area;
    }
    if (screens.primaryWorkArea)
        return *screens.primaryWorkArea;
    if (screens.primaryScreen == ScreenRect{})
        return std::nullopt;
    return screens.primaryScreen;
}

bool FitRectToScreen(ScreenRect& rect, int32_t margin, const ScreenAreas& screens)
{
    const std::optional<ScreenRect> area = ScreenWorkArea(screens);
    if (!area)
        return false;
    const int64_t overhangX = std::min<int64_t>(rect.Width() / 2, margin);
    const int64_t overhangY = std::min<int64_t>(rect.Height() / 2, margin);
    const bool movedX = FitSpan(rect.left, rect.right, area->left, area->right, overhangX);
    const bool movedY = FitSpan(rect.top, rect.bottom, area->top, area->bottom, overhangY);
    return movedX || movedY;
}
