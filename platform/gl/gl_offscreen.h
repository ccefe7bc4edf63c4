// An offscreen GlSurface: an EGL context on Mesa's surfaceless platform rendering into a
// framebuffer object of a fixed size. Needs no display; with `software` it asks for Mesa's
// software device, so the picture does not depend on the machine's graphics driver.
#pragma once

#include "platform/gl/gl_surface.h"

#include <cstdint>
#include <memory>

class CError;

struct OffscreenGlOptions
{
    int32_t width = 640;
    int32_t height = 480;
    bool software = false;
};

std::unique_ptr<GlSurface> CreateOffscreenGlSurface(const OffscreenGlOptions& options, CError& error);
