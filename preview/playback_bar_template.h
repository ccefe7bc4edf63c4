// Template 2202: the playback bar's window in dialog units, its caption, icon and items.
#pragma once

#include "preview/playback_bar_model.h"

#include <cstdint>
#include <optional>
#include <span>

struct PlaybackBarItem
{
    int32_t id;
    // The button it is; none for the slider.
    std::optional<PlaybackBarButton> button;
    // x, y, width and height in dialog units.
    int32_t x, y, width, height;
    const char* text;
};

struct PlaybackBarTemplate
{
    static constexpr int32_t kId = 2202;
    static constexpr int32_t kIconId = 2199;
    static constexpr int32_t kSliderId = 2261;
    static constexpr int32_t kWidthUnits = 236;
    static constexpr int32_t kHeightUnits = 47;
    static constexpr const char* kCaption = "Beam Vista";

    // The slider first, then the buttons in the bar's order.
    static std::span<const PlaybackBarItem> Items();
};
