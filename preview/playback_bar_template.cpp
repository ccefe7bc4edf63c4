#include "preview/playback_bar_template.h"

namespace {

using B = PlaybackBarButton;

constexpr PlaybackBarItem kItems[] = {
    {PlaybackBarTemplate::kSliderId, std::nullopt, 6, 5, 224, 16, ""},
    {2264, B::kPlay, 5, 25, 25, 15, "Play"},
    {2265, B::kStop, 35, 25, 25, 15, "Stop"},
    {2268, B::kBack, 80, 25, 30, 15, "Back"},
    {2269, B::kForward, 115, 25, 30, 15, "Forward"},
    {2266, B::kPrev, 165, 25, 30, 15, "Prev"},
    {2267, B::kNext, 200, 25, 30, 15, "Next"},
};

} // namespace

std::span<const PlaybackBarItem> PlaybackBarTemplate::Items()
{
    return kItems;
}
