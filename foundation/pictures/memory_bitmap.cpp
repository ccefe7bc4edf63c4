#include "foundation/pictures/memory_bitmap.h"

#include "foundation/pictures/h_image.h"

#include <algorithm>

namespace {

constexpr int32_t kDrawableBitsPerPixel = 32;

} // namespace

LWBmpBase::~LWBmpBase()
{
    LWBmpBase::Release();
}

void LWBmpBase::Release()
{
    if (surface_)
        surface_->SelectBitmap(previous_);
    previous_ = nullptr;
    bitmap_.reset();
    bits_ = nullptr;
    surface_.reset();
}

RasterSurface* LWBmpBase::SelectNewBitmap(int32_t width, int32_t height)
{
    bitmap_ = RasterBitmap::Create(width, height);
    if (!bitmap_) {
        Release();
        return nullptr;
    }
    surface_ = std::make_unique<RasterSurface>();
    previous_ = surface_->SelectBitmap(bitmap_.get());
    rect_ = {0, 0, width, height};
    return surface_.get();
}

RasterSurface* LWBmpBase::CreateDIB(int32_t width, int32_t height, int32_t bitsPerPixel,
                                    const RasterSurface* reference)
{
    Release();
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    if (bitsPerPixel != kDrawableBitsPerPixel || !SelectNewBitmap(width, height))
        return nullptr;
    bits_ = bitmap_->Bits();
    return surface_.get();
}

RasterSurface* LWBmpBase::CreateDeviceBitmap(int32_t width, int32_t height, int32_t maxWidth,
                                             int32_t maxHeight, int32_t minWidth, int32_t minHeight,
                                             bool black)
{
    Release();
    bitsPerPixel_ = kDrawableBitsPerPixel;
    // Halving never brings a side below a negative maximum, so such a limit is refused.
    if (maxWidth < 0 || maxHeight < 0)
        return nullptr;
    // 64-bit sides: doubling towards a large minimum cannot overflow.
    int64_t w = width;
    int64_t h = height;
    while ((w > 0 && w < minWidth) || (h > 0 && h < minHeight)) {
        w *= 2;
        h *= 2;
    }
    while (w > maxWidth || h > maxHeight) {
        w /= 2;
        h /= 2;
    }
    width_ = static_cast<int32_t>(w);
    height_ = static_cast<int32_t>(h);
    if (!SelectNewBitmap(width_, height_))
        return nullptr;
    surface_->FillRect(rect_, black ? kRgbBlack : kRgbWhite);
    return surface_.get();
}

LWBmp::~LWBmp()
{
    Release();
}

bool LWBmp::ToImage(HImageRef& target, bool alpha) const
{
    const RasterBitmap* bitmap = Bitmap();
    if (!bitmap)
        return false;
    const uint32_t flags = alpha ? kImageTrueColour | kImageAlpha : kImageTrueColour;
    const int32_t wordsPerLine = bitmap->Stride() / 2;
    target = HImageFromData(nullptr, bitmap->Width(), bitmap->Height(), wordsPerLine, flags, 0, nullptr,
                            bitmap->Bits());
    return !target.IsEmpty();
}
