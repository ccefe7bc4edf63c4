#pragma once
// How the preview looks at its scene from a viewport of w x h pixels: the screen plane one unit
// before the eye spans the longer side from -1 to 1, so one pixel there is pixelSize units.

#include <cstdint>

struct PreviewProjection
{
    float aspectX = 1;
    float aspectY = 1;
    double fieldOfView = 90; // vertical, degrees
    float pixelSize = 0;
};

// Sides below 1 count as 1.
PreviewProjection ComputePreviewProjection(int32_t width, int32_t height);
// Loads it as the projection matrix, and an identity model-view matrix.
void LoadPreviewProjection(const PreviewProjection& projection);
