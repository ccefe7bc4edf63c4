#include "shell/skin_slider.h"

#include <algorithm>
#include <cmath>

namespace {

struct SliderMetrics
{
    int32_t x0;
    int32_t rightInset;
    int32_t top;        // from the client's bottom
    int32_t hitBottom;  // from the client's bottom
    int32_t height;
    int32_t knobWidth;
};

constexpr SliderMetrics kLarge{216, 17, 50, 10, 40, 13};
constexpr SliderMetrics kSmall{78, 10, 26, 6, 20, 7};

constexpr SkinBarImage kLargeFull{216, -110, 407, 8, 40};
constexpr SkinBarImage kLargeEmpty{216, -50, 407, 8, 40};
constexpr SkinBarImage kSmallFull{294, -176, 112, 4, 20};
constexpr SkinBarImage kSmallEmpty{294, -146, 112, 4, 20};

// floor(fraction x span + 0.5) held to 0..span; 0 for an empty span and for no number.
int32_t Scale(float fraction, int32_t span)
{
    if (span <= 0 || !std::isfinite(fraction))
        return 0;
    const double scaled = std::floor(static_cast<double>(fraction) * span + 0.5);
    return static_cast<int32_t>(std::clamp(scaled, 0.0, static_cast<double>(span)));
}

void AddClipped(std::vector<SkinBarPiece>& pieces, int32_t x, int32_t width, int32_t sourceX, int32_t tileWidth,
                int32_t clipLeft, int32_t clipRight)
{
    const int32_t left = std::max(x, clipLeft);
    const int32_t right = std::min(x + width, clipRight);
    if (left < right && tileWidth > 0)
        pieces.push_back({left, right - left, x, sourceX, tileWidth});
}

} // namespace

SkinSliderGeometry SliderGeometry(bool large, int32_t clientWidth, int32_t clientHeight)
{
    const SliderMetrics& m = large ? kLarge : kSmall;
    return {m.x0, clientWidth - m.rightInset, clientHeight - m.top, m.height, m.knobWidth, clientHeight - m.hitBottom};
}

int32_t SliderFillEnd(const SkinSliderGeometry& slider, float fill)
{
    return slider.x0 + Scale(fill, slider.Length());
}

int32_t SliderKnobX(const SkinSliderGeometry& slider, float position)
{
    return slider.x0 + Scale(position, slider.Travel());
}

float SliderPositionAt(const SkinSliderGeometry& slider, int32_t x)
{
    if (slider.Travel() <= 0)
        return 0.0f;
    return static_cast<float>(x - slider.x0) / static_cast<float>(slider.Travel());
}

float ClampFraction(float fraction)
{
    if (!std::isfinite(fraction))
        return fraction > 0 ? 1.0f : 0.0f;
    return std::clamp(fraction, 0.0f, 1.0f);
}

bool SliderTrackHit(const SkinSliderGeometry& slider, int32_t x, int32_t y)
{
    return slider.Travel() >= 0 && x >= slider.x0 && x <= slider.x1 && y >= slider.y && y < slider.hitBottom;
}

SkinBarImage SliderBarImage(bool large, bool full)
{
    if (large)
        return full ? kLargeFull : kLargeEmpty;
    return full ? kSmallFull : kSmallEmpty;
}

std::vector<SkinBarPiece> SliderBarPieces(const SkinBarImage& bar, int32_t start, int32_t length, int32_t clipLeft,
                                          int32_t clipRight)
{
    std::vector<SkinBarPiece> pieces;
    if (length <= 0)
        return pieces;
    const int32_t cap = std::min(bar.capWidth, length / 2);
    const int32_t middleSource = bar.sourceX + bar.capWidth;
    const int32_t middleWidth = bar.sourceWidth - 2 * bar.capWidth;
    AddClipped(pieces, start, cap, bar.sourceX, cap, clipLeft, clipRight);
    AddClipped(pieces, start + cap, length - 2 * cap, middleSource, middleWidth, clipLeft, clipRight);
    AddClipped(pieces, start + length - cap, cap, bar.sourceX + bar.sourceWidth - cap, cap, clipLeft, clipRight);
    return pieces;
}
