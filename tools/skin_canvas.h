#pragma once
// A picture to paint the skin's pictures into, with integer arithmetic only, so that every
// compiler and machine paints the same pixels. Shapes are tested at 4 x 4 points a pixel and
// blended by the share of points inside; positions of shapes are given in eighths of a pixel.

#include <cstdint>
#include <functional>
#include <vector>

// Red, green, blue and alpha, 0..255 each.
struct SkinColour
{
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;
};

// The colour weight / total of the way from a to b, rounded.
SkinColour MixColour(SkinColour a, SkinColour b, int32_t weight, int32_t total);

// Eighths of a pixel per pixel: shape coordinates are in these units.
inline constexpr int32_t kSubUnits = 8;

// True when the point (in eighths) lies inside the shape.
using SkinShape = std::function<bool(int32_t x, int32_t y)>;
// The colour a shape paints at a pixel.
using SkinPaint = std::function<SkinColour(int32_t x, int32_t y)>;

class SkinCanvas
{
  public:
    SkinCanvas(int32_t width, int32_t height, SkinColour fill);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    SkinColour At(int32_t x, int32_t y) const { return pixels_[Index(x, y)]; }
    void Set(int32_t x, int32_t y, SkinColour colour);

    // The part of the rectangle inside the canvas in one colour, or from top to bottom colour.
    void FillRect(int32_t x, int32_t y, int32_t width, int32_t height, SkinColour colour);
    void FillVerticalGradient(int32_t x, int32_t y, int32_t width, int32_t height, SkinColour top,
                              SkinColour bottom);
    // Every pixel of the box (in pixels) moved towards the paint, alpha included, by the share
    // of its sample points that lie in the shape.
    void FillShape(int32_t x, int32_t y, int32_t width, int32_t height, const SkinShape& shape,
                   const SkinPaint& paint);
    // Copies a rectangle of another canvas to (x, y).
    void Copy(const SkinCanvas& source, int32_t sourceX, int32_t sourceY, int32_t width, int32_t height,
              int32_t x, int32_t y);

  private:
    size_t Index(int32_t x, int32_t y) const { return static_cast<size_t>(y) * width_ + x; }
    bool Inside(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    int32_t width_;
    int32_t height_;
    std::vector<SkinColour> pixels_;
};

// Shapes, all in eighths of a pixel.
// The ellipse with centre (cx, cy) and half-axes rx, ry.
SkinShape EllipseShape(int32_t cx, int32_t cy, int32_t rx, int32_t ry);
// The ring between two circles round one centre.
SkinShape RingShape(int32_t cx, int32_t cy, int32_t innerRadius, int32_t outerRadius);
// A polygon's inside by the non-zero winding rule.
SkinShape PolygonShape(std::vector<int32_t> xy);
// The rectangle [left, right) x [top, bottom) with corners rounded by radius.
SkinShape RoundRectShape(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t radius);
// A band of the given width along the segment from (x0, y0) to (x1, y1), square ends.
SkinShape LineShape(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t width);

SkinShape Union(SkinShape a, SkinShape b);
SkinShape Subtract(SkinShape a, SkinShape b);

SkinPaint FlatPaint(SkinColour colour);
// top at row y0 to bottom at row y1 (pixels), held beyond them.
SkinPaint VerticalPaint(int32_t y0, int32_t y1, SkinColour top, SkinColour bottom);
