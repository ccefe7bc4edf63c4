// Choosing the pixel format of a preview window from the formats a display offers (GLX or EGL
// configs, described alike), the way the preview always chose: the driver's first suitable format,
// and with generic (software) rendering forced, the software format nearest to 32 colour bits.
#pragma once

#include <cstdint>
#include <span>

struct GlFormatRequest
{
    int32_t colourBits = 32;
    bool doubleBuffer = true;
    // Mesa's software rasteriser rather than an accelerated driver.
    bool forceGeneric = false;
};

struct GlFormatCandidate
{
    bool drawToWindow = false;
    bool openGl = false;
    bool doubleBuffer = false;
    bool rgba = false;
    bool generic = false; // rendered by the software rasteriser
    int32_t colourBits = 0;
    int32_t alphaBits = 0;
    int32_t accumBits = 0;
    int32_t depthBits = 0;
    int32_t stencilBits = 0;
};

// The index of the chosen candidate, or -1 when none is suitable.
int32_t ChooseGlFormat(const GlFormatRequest& request, std::span<const GlFormatCandidate> candidates);
