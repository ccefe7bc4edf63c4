#include "preview/glow_spot.h"

#include <algorithm>

namespace {

int32_t IntegerSquareRoot(int32_t n)
{
    int32_t root = 0;
    while ((root + 1) * (root + 1) <= n)
        ++root;
    return root;
}

} // namespace

std::vector<uint8_t> GlowSpotTexels()
{
    // Distances in half pixels from the centre of the square to each pixel's centre.
    constexpr int32_t kRadius = kGlowSpotSide;
    std::vector<uint8_t> texels(static_cast<size_t>(kGlowSpotSide) * kGlowSpotSide);
    for (int32_t y = 0; y < kGlowSpotSide; ++y)
        for (int32_t x = 0; x < kGlowSpotSide; ++x) {
            const int32_t dx = 2 * x + 1 - kGlowSpotSide;
            const int32_t dy = 2 * y + 1 - kGlowSpotSide;
            const int32_t distance = IntegerSquareRoot(dx * dx + dy * dy);
            texels[static_cast<size_t>(y) * kGlowSpotSide + x] =
                static_cast<uint8_t>(255 * std::max(0, kRadius - distance) / kRadius);
        }
    return texels;
}
