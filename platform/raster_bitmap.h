// An off-screen picture to draw into: 32-bit pixels in the byte order blue, green, red, and a
// fourth byte that drawing sets to 0; rows top row first, each width x 4 bytes, with no gap.
#pragma once

#include <cstdint>
#include <memory>

// A colour as the system packs it: red in the low byte, then green, then blue.
using RgbColour = uint32_t;

constexpr RgbColour MakeRgb(uint8_t red, uint8_t green, uint8_t blue)
{
    return static_cast<RgbColour>(red) | static_cast<RgbColour>(green) << 8 |
           static_cast<RgbColour>(blue) << 16;
}

inline constexpr RgbColour kRgbBlack = MakeRgb(0, 0, 0);
inline constexpr RgbColour kRgbWhite = MakeRgb(255, 255, 255);

// Left and top inside, right and bottom just outside.
struct RasterRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

class RasterBitmap
{
  public:
    static constexpr int32_t kBytesPerPixel = 4;
    // The largest side, as for every picture of the program.
    static constexpr int32_t kMaxSide = 16384;

    // A black bitmap; null for a side outside 1..kMaxSide or when memory runs out.
    static std::unique_ptr<RasterBitmap> Create(int32_t width, int32_t height);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t Stride() const { return width_ * kBytesPerPixel; }
    uint8_t* Bits() { return bits_.get(); }
    const uint8_t* Bits() const { return bits_.get(); }
    uint8_t* PixelAt(int32_t x, int32_t y)
    {
        return bits_.get() + (static_cast<size_t>(y) * width_ + x) * kBytesPerPixel;
    }

    // The part of rect inside the bitmap in one colour.
    void FillRect(const RasterRect& rect, RgbColour colour);
    // Moves the pixel at (x, y) towards colour by coverage / 255; outside the bitmap nothing.
    void BlendPixel(int32_t x, int32_t y, RgbColour colour, uint8_t coverage);

  private:
    RasterBitmap(int32_t width, int32_t height, std::unique_ptr<uint8_t[]> bits);

    int32_t width_ = 0;
    int32_t height_ = 0;
    std::unique_ptr<uint8_t[]> bits_;
};
