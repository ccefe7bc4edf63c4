#pragma once
// Keeping a window rectangle on the screens. The function is pure: the caller gathers what the
// system reports of its monitors (the platform's UiEnvironment does), so every fallback can be
// tried without a display.

#include <cstdint>
#include <optional>
#include <vector>

struct ScreenRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int64_t Width() const { return int64_t{right} - left; }
    int64_t Height() const { return int64_t{bottom} - top; }
    bool operator==(const ScreenRect&) const = default;
};

// What the system told of its screens; each source may be missing.
struct ScreenAreas
{
    // False when the monitors could not be listed at all.
    bool monitorsListed = false;
    // Each monitor's work area, or nothing where its information could not be read.
    std::vector<std::optional<ScreenRect>> monitorWorkAreas;
    std::optional<ScreenRect> primaryWorkArea;
    // The primary screen's size at (0, 0); all zero when even that is unknown.
    ScreenRect primaryScreen;
};

// The area windows may use: the bounding rectangle of the monitors' work areas, else the primary
// work area, else the primary screen; nothing when all of these are unknown.
std::optional<ScreenRect> ScreenWorkArea(const ScreenAreas& screens);

// Moves rect (never resizes it) so that at most margin pixels, and at most half its size, stand
// out beyond the work area; a rectangle larger than the area ends aligned at its left and top.
// True when it moved.
bool FitRectToScreen(ScreenRect& rect, int32_t margin, const ScreenAreas& screens);
