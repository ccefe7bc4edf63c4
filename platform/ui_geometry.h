// Points and rectangles of the screen and of windows, in pixels. A rectangle holds its left and
// top edge and the first column and row past it, so its size is right - left by bottom - top.
#pragma once

#include <cstdint>

struct UiPoint
{
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const UiPoint&) const = default;
};

struct UiSize
{
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const UiSize&) const = default;
};

struct UiRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    static UiRect FromSize(int32_t x, int32_t y, int32_t width, int32_t height)
    {
        return {x, y, x + width, y + height};
    }
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    UiSize Size() const { return {Width(), Height()}; }
    bool IsEmpty() const { return Width() <= 0 || Height() <= 0; }
    bool Contains(UiPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool operator==(const UiRect&) const = default;
};
