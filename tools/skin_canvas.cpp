#include "tools/skin_canvas.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int32_t kSamplesPerSide = 4;
constexpr int32_t kSamples = kSamplesPerSide * kSamplesPerSide;

uint8_t MixChannel(uint8_t a, uint8_t b, int32_t weight, int32_t total)
{
    return static_cast<uint8_t>((a * (total - weight) + b * weight + total / 2) / total);
}

int64_t Square(int64_t v)
{
    return v * v;
}

} // namespace

SkinColour MixColour(SkinColour a, SkinColour b, int32_t weight, int32_t total)
{
    if (total <= 0)
        return a;
    weight = std::clamp(weight, 0, total);
    return {MixChannel(a.red, b.red, weight, total), MixChannel(a.green, b.green, weight, total),
            MixChannel(a.blue, b.blue, weight, total), MixChannel(a.alpha, b.alpha, weight, total)};
}

SkinCanvas::SkinCanvas(int32_t width, int32_t height, SkinColour fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill)
{
}

void SkinCanvas::Set(int32_t x, int32_t y, SkinColour colour)
{
    if (Inside(x, y))
        pixels_[Index(x, y)] = colour;
}

void SkinCanvas::FillRect(int32_t x, int32_t y, int32_t width, int32_t height, SkinColour colour)
{
    FillVerticalGradient(x, y, width, height, colour, colour);
}

void SkinCanvas::FillVerticalGradient(int32_t x, int32_t y, int32_t width, int32_t height, SkinColour top,
                                      SkinColour bottom)
{
    for (int32_t row = 0; row < height; ++row) {
        const SkinColour colour = MixColour(top, bottom, row, std::max(height - 1, 1));
        for (int32_t column = 0; column < width; ++column)
            Set(x + column, y + row, colour);
    }
}

void SkinCanvas::FillShape(int32_t x, int32_t y, int32_t width, int32_t height, const SkinShape& shape,
                           const SkinPaint& paint)
{
    for (int32_t py = y; py < y + height; ++py) {
        for (int32_t px = x; px < x + width; ++px) {
            if (!Inside(px, py))
                continue;
            int32_t inside = 0;
            for (int32_t sy = 0; sy < kSamplesPerSide; ++sy) {
                for (int32_t sx = 0; sx < kSamplesPerSide; ++sx) {
                    // Sample points sit at 1/8, 3/8, 5/8 and 7/8 of the pixel.
                    if (shape(px * kSubUnits + 2 * sx + 1, py * kSubUnits + 2 * sy + 1))
                        ++inside;
                }
            }
            if (inside > 0)
                pixels_[Index(px, py)] = MixColour(pixels_[Index(px, py)], paint(px, py), inside, kSamples);
        }
    }
}

void SkinCanvas::Copy(const SkinCanvas& source, int32_t sourceX, int32_t sourceY, int32_t width,
                      int32_t height, int32_t x, int32_t y)
{
    for (int32_t row = 0; row < height; ++row) {
        for (int32_t column = 0; column < width; ++column) {
            if (source.Inside(sourceX + column, sourceY + row))
                Set(x + column, y + row, source.At(sourceX + column, sourceY + row));
        }
    }
}

SkinShape EllipseShape(int32_t cx, int32_t cy, int32_t rx, int32_t ry)
{
    return [=](int32_t x, int32_t y) {
        return Square(int64_t{x - cx} * ry) + Square(int64_t{y - cy} * rx) <= Square(int64_t{rx} * ry);
    };
}

SkinShape RingShape(int32_t cx, int32_t cy, int32_t innerRadius, int32_t outerRadius)
{
    return [=](int32_t x, int32_t y) {
        const int64_t distance = Square(x - cx) + Square(y - cy);
        return distance >= Square(innerRadius) && distance <= Square(outerRadius);
    };
}

SkinShape PolygonShape(std::vector<int32_t> xy)
{
    return [points = std::move(xy)](int32_t x, int32_t y) {
        int32_t winding = 0;
        const size_t n = points.size() / 2;
        for (size_t i = 0; i < n; ++i) {
            const int64_t x0 = points[2 * i], y0 = points[2 * i + 1];
            const int64_t x1 = points[2 * ((i + 1) % n)], y1 = points[2 * ((i + 1) % n) + 1];
            const int64_t side = (x1 - x0) * (y - y0) - (x - x0) * (y1 - y0);
            if (y0 <= y && y1 > y && side > 0)
                ++winding;
            else if (y0 > y && y1 <= y && side < 0)
                --winding;
        }
        return winding != 0;
    };
}

SkinShape RoundRectShape(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t radius)
{
    return [=](int32_t x, int32_t y) {
        if (x < left || x >= right || y < top || y >= bottom)
            return false;
        const int32_t cx = std::clamp(x, left + radius, std::max(right - radius, left + radius));
        const int32_t cy = std::clamp(y, top + radius, std::max(bottom - radius, top + radius));
        return Square(x - cx) + Square(y - cy) <= Square(radius);
    };
}

SkinShape LineShape(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t width)
{
    return [=](int32_t x, int32_t y) {
        const int64_t dx = x1 - x0, dy = y1 - y0;
        const int64_t along = (x - x0) * dx + (y - y0) * dy;
        const int64_t length = dx * dx + dy * dy;
        if (along < 0 || along > length)
            return false;
        const int64_t across = (x - x0) * dy - (y - y0) * dx;
        return 4 * Square(across) <= Square(width) * length;
    };
}

SkinShape Union(SkinShape a, SkinShape b)
{
    return [a = std::move(a), b = std::move(b)](int32_t x, int32_t y) { return a(x, y) || b(x, y); };
}

SkinShape Subtract(SkinShape a, SkinShape b)
{
    return [a = std::move(a), b = std::move(b)](int32_t x, int32_t y) { return a(x, y) && !b(x, y); };
}

SkinPaint FlatPaint(SkinColour colour)
{
    return [colour](int32_t, int32_t) { return colour; };
}

SkinPaint VerticalPaint(int32_t y0, int32_t y1, SkinColour top, SkinColour bottom)
{
    return [=](int32_t, int32_t y) { return MixColour(top, bottom, std::clamp(y, y0, y1) - y0, y1 - y0); };
}
