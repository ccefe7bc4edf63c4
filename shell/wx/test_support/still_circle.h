// Where the show generator's still circle (zylgen --still-circle) must appear in a preview: a
// green ring of half the graphics plane's radius around a black centre, as the renderer's
// geometry places it for the preview's size.
#pragma once

#include "shell/wx/test_support/player_windows.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

// The generator's still circle: radius one half of the graphics plane, in green.
inline constexpr double kStillCircleRadius = 0.5;

// Lit within a few pixels of the ring (lines are widened and smoothed by the driver's defaults)
// at every probed angle, black well inside it; `why` says where it is not.
inline bool StillCircleShown(const WindowPixels& pixels, std::string& why)
{
    const double radius = kStillCircleRadius * std::min(pixels.Width(), pixels.Height()) / 2.0;
    const double cx = pixels.Width() / 2.0 - 0.5;
    const double cy = pixels.Height() / 2.0 - 0.5;
    const auto at = [&](double r, double c, double s) {
        return pixels.At(static_cast<int32_t>(std::lround(cx + r * c)), static_cast<int32_t>(std::lround(cy - r * s)));
    };
    for (int degrees = 15; degrees < 360; degrees += 30) {
        const double c = std::cos(degrees * std::numbers::pi / 180.0);
        const double s = std::sin(degrees * std::numbers::pi / 180.0);
        bool lit = false;
        for (int d = -3; d <= 3 && !lit; ++d) {
            const auto [r, g, b] = at(radius + d, c, s);
            lit = g > 64 && r < g / 2 && b < g / 2;
        }
        const auto inside = at(0.6 * radius, c, s);
        if (!lit || inside != std::array<int, 3>{0, 0, 0}) {
            why = "at " + std::to_string(degrees) + " degrees";
            return false;
        }
    }
    if (at(0, 1, 0) != std::array<int, 3>{0, 0, 0}) {
        why = "the centre is lit";
        return false;
    }
    return true;
}
