// The preview's picture as OpenGL draws it, for a read-back: the scene goes into a framebuffer
// object of the viewport's size in the current context (a window's own buffers may be covered
// or not yet drawn), or into the back buffer where framebuffer objects do not exist. The
// framebuffer that was bound before comes back when the source goes.
#pragma once

#include "preview/picture_read_back.h"

#include <functional>

class GlPictureSource final : public LPictureSource
{
  public:
    // `draw` draws the scene into whatever framebuffer is bound; the context is current.
    GlPictureSource(int32_t width, int32_t height, std::function<void()> draw);
    ~GlPictureSource() override;
    GlPictureSource(const GlPictureSource&) = delete;
    GlPictureSource& operator=(const GlPictureSource&) = delete;

    // Whether the scene goes into a framebuffer object of its own.
    bool UsesFramebuffer() const { return framebuffer_ != 0; }

    void Render() override;
    bool ReadRows(int32_t firstRow, int32_t width, int32_t rows, uint8_t* target) override;

  private:
    void MakeFramebuffer(int32_t width, int32_t height);
    void BindTarget();

    std::function<void()> draw_;
    int32_t previousFramebuffer_ = 0;
    uint32_t framebuffer_ = 0;
    uint32_t colour_ = 0;
    uint32_t depth_ = 0;
};
