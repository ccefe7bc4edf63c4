#include "platform/raster_bitmap.h"

#include <algorithm>
#include <new>

namespace {

constexpr uint32_t kFullCoverage = 255;

uint8_t Blue(RgbColour colour)
{
    return static_cast<uint8_t>(colour >> 16);
}

uint8_t Green(RgbColour colour)
{
    return static_cast<uint8_t>(colour >> 8);
}

uint8_t Red(RgbColour colour)
{
    return static_cast<uint8_t>(colour);
}

uint8_t Mix(uint8_t from, uint8_t to, uint32_t coverage)
{
    return static_cast<uint8_t>((from * (kFullCoverage - coverage) + to * coverage + kFullCoverage / 2) /
                                kFullCoverage);
}

} // namespace

RasterBitmap::RasterBitmap(int32_t width, int32_t height, std::unique_ptr<uint8_t[]> bits)
    : width_(width), height_(height), bits_(std::move(bits))
{
}

std::unique_ptr<RasterBitmap> RasterBitmap::Create(int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return nullptr;
    const size_t size = static_cast<size_t>(width) * height * kBytesPerPixel;
    std::unique_ptr<uint8_t[]> bits(new (std::nothrow) uint8_t[size]());
    if (!bits)
        return nullptr;
    return std::unique_ptr<RasterBitmap>(new RasterBitmap(width, height, std::move(bits)));
}

void RasterBitmap::FillRect(const RasterRect& rect, RgbColour colour)
{
    const int32_t left = std::max(rect.left, 0);
    const int32_t top = std::max(rect.top, 0);
    const int32_t right = std::min(rect.right, width_);
    const int32_t bottom = std::min(rect.bottom, height_);
    const uint8_t pixel[kBytesPerPixel] = {Blue(colour), Green(colour), Red(colour), 0};
    for (int32_t y = top; y < bottom; ++y) {
        for (int32_t x = left; x < right; ++x)
            std::copy_n(pixel, kBytesPerPixel, PixelAt(x, y));
    }
}

void RasterBitmap::BlendPixel(int32_t x, int32_t y, RgbColour colour, uint8_t coverage)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || coverage == 0)
        return;
    uint8_t* pixel = PixelAt(x, y);
    pixel[0] = Mix(pixel[0], Blue(colour), coverage);
    pixel[1] = Mix(pixel[1], Green(colour), coverage);
    pixel[2] = Mix(pixel[2], Red(colour), coverage);
    pixel[3] = 0;
}
