#pragma once
// An OpenGL compatibility context without any window (EGL surfaceless) drawing into a
// framebuffer object of a given size, with the preview's projection: the view plane at one unit
// before the eye spans the longer side from -1 to 1, and the scene is moved one unit away.

#include <cstdint>

struct Rgb8
{
    int r, g, b;
};

class OffscreenGlTarget
{
  public:
    OffscreenGlTarget(int width, int height);
    ~OffscreenGlTarget();
    OffscreenGlTarget(const OffscreenGlTarget&) = delete;
    OffscreenGlTarget& operator=(const OffscreenGlTarget&) = delete;

    bool Ready() const { return ready_; }
    float HalfWidth() const { return halfWidth_; }
    float HalfHeight() const { return halfHeight_; }
    float PixelSize() const { return 2.0f * halfWidth_ / float(width_); }

    // Black, with the scene transform of a new frame.
    void Clear();
    // Column x from the left, row y from the bottom.
    Rgb8 Pixel(int x, int y) const;
    void Finish() const;

  private:
    int width_, height_;
    float halfWidth_ = 1.0f, halfHeight_ = 1.0f;
    bool ready_ = false;
    void* display_ = nullptr;
    void* context_ = nullptr;
    uint32_t framebuffer_ = 0, colour_ = 0;
};
