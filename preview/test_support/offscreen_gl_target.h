#pragma once
// The preview's view drawn offscreen (the platform's EGL surfaceless surface with Mesa's software
// rasteriser) into a framebuffer of a given size, with the preview's projection and a GL state
// with nothing that blurs: additive blending, no smoothing, lines one pixel wide.

#include "platform/gl/gl_surface.h"
#include "preview/channel_geometry.h"

#include <cstdint>
#include <memory>

struct Rgb8
{
    int r, g, b;
};

class OffscreenGlTarget
{
  public:
    OffscreenGlTarget(int32_t width, int32_t height);
    ~OffscreenGlTarget();
    OffscreenGlTarget(const OffscreenGlTarget&) = delete;
    OffscreenGlTarget& operator=(const OffscreenGlTarget&) = delete;

    bool Ready() const { return surface_ != nullptr; }
    float HalfWidth() const { return view_.halfWidth; }
    float HalfHeight() const { return view_.halfHeight; }
    float PixelSize() const { return view_.pixelSize; }
    const SceneView& View() const { return view_; }

    // Black, with the scene transform of a new frame.
    void Clear() const;
    // Column x from the left, row y from the bottom.
    Rgb8 Pixel(int32_t x, int32_t y) const;
    void Finish() const;

  private:
    std::unique_ptr<GlSurface> surface_;
    SceneView view_;
};
