// An offscreen GlSurface: an EGL context on Mesa's surfaceless platform rendering into a
// framebuffer object of a fixed size. Needs no display; with `software` it asks for Mesa's
// software device, so the picture does not depend on the machine's graphics driver.
//
// A presenting surface renders the same way, in software, for a window: its framebuffer follows
// the window's size at every MakeCurrent, and Present reads the frame back and hands it to the
// window.
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

// Where a presenting surface shows its frames. Called on the surface's thread only.
class GlFramePresenter
{
  public:
    virtual ~GlFramePresenter() = default;
    // The window's client size now.
    virtual UiSize TargetSize() const = 0;
    // Shows width x height pixels of 4 bytes (blue, green, red, alpha), the top row first, rows
    // packed; false when the window cannot take them.
    virtual bool PresentPixels(const uint8_t* pixels, UiSize size) = 0;
};

std::unique_ptr<GlSurface> CreatePresentingGlSurface(std::unique_ptr<GlFramePresenter> presenter, CError& error);
