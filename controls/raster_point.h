// A point in pixels.
#pragma once

#include <cstdint>

struct RasterPoint
{
    int32_t x = 0;
    int32_t y = 0;
};
