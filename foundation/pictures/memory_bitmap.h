// Off-screen drawing surfaces: a drawing context with a 32-bit bitmap selected into it, made to
// a size or grown and shrunk by powers of two into limits, and copied into a picture. The
// preview draws its font texture this way.
#pragma once

#include "platform/raster_bitmap.h"
#include "platform/raster_surface.h"

#include <cstdint>
#include <memory>

class HImageRef;

class LWBmpBase
{
  public:
    LWBmpBase() = default;
    // Releases once more; a second release finds nothing to free.
    virtual ~LWBmpBase();
    LWBmpBase(const LWBmpBase&) = delete;
    LWBmpBase& operator=(const LWBmpBase&) = delete;

    // Puts back what was selected before the bitmap, deletes the bitmap and the context.
    virtual void Release() = 0;

    // A context with a width x height bitmap whose bits are reachable through Bits(); null on
    // failure, with everything released. Only 32 bits per pixel can be drawn here; other depths
    // fail. Every context is alike here, so the reference context changes nothing.
    RasterSurface* CreateDIB(int32_t width, int32_t height, int32_t bitsPerPixel,
                             const RasterSurface* reference);
    // A context with a 32-bit bitmap, filled black or white. The size is doubled while a side is
    // positive and below its minimum, then halved while a side exceeds its maximum; null for a
    // negative maximum and when the resulting size cannot be made.
    RasterSurface* CreateDeviceBitmap(int32_t width, int32_t height, int32_t maxWidth, int32_t maxHeight,
                                      int32_t minWidth, int32_t minHeight, bool black);

    RasterSurface* Surface() const { return surface_.get(); }
    // The DIB's pixels (RasterBitmap layout); null for a device bitmap and when empty.
    uint8_t* Bits() const { return bits_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t BitsPerPixel() const { return bitsPerPixel_; }
    const RasterRect& Rect() const { return rect_; }

  protected:
    const RasterBitmap* Bitmap() const { return bitmap_.get(); }

  private:
    RasterSurface* SelectNewBitmap(int32_t width, int32_t height);

    std::unique_ptr<RasterSurface> surface_;
    std::unique_ptr<RasterBitmap> bitmap_;
    uint8_t* bits_ = nullptr;
    RasterBitmap* previous_ = nullptr; // selected into the context before the bitmap
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t bitsPerPixel_ = 0;
    RasterRect rect_;
};

class LWBmp : public LWBmpBase
{
  public:
    LWBmp() = default;
    ~LWBmp() override;

    void Release() override { LWBmpBase::Release(); }

    // The bitmap as an unnamed true-colour picture (fourth byte as alpha when asked), top row
    // first; false when there is no bitmap or the picture cannot be made.
    bool ToImage(HImageRef& target, bool alpha) const;
};
