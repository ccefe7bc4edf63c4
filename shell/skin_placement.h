// The frame's placement in the settings: "Zyl Player\Window" (the control's frame: "Zyl Player
// ActiveX\Window") holds "Maximized", the window rectangle ("Left", "Top", "Right", "Bottom") and
// "SkinMin".
#pragma once

#include "platform/raster_bitmap.h"

#include <cstdint>

inline constexpr const char* kSkinPlacementKey = "Zyl Player\\Window";
inline constexpr const char* kControlSkinPlacementKey = "Zyl Player ActiveX\\Window";
inline constexpr RasterRect kDefaultSkinRect{64, 64, 704, 544};
// A stored side must be longer than this, and no longer than a picture may be.
inline constexpr int32_t kMinStoredSide = 16;
inline constexpr int32_t kMaxStoredSide = 16384;

struct SkinPlacement
{
    bool maximized = false;
    RasterRect rect = kDefaultSkinRect;
    bool skinMin = false;
};

// Whether a stored rectangle is taken: each side longer than 16 and at most 16,384 pixels,
// computed without overflow.
bool IsUsableStoredRect(const RasterRect& rect);

// The key of the deliverable that runs: the player's or the control's.
const char* SkinPlacementKey();

// The stored placement; what is missing or unusable keeps its default. SkinMin is read only
// with all four sides.
SkinPlacement LoadSkinPlacement();
// Writes "Maximized", the rectangle when there is one, and "SkinMin".
void SaveSkinPlacement(bool maximized, const RasterRect* rect, bool skinMin);
