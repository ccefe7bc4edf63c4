#include "preview/internal/preview_geom_data.h"

#include <array>

namespace {
// Vertex numbers: 1 straight up, 2-9 the lower row left to right, 10 and 11 far left and far
// right above, 12-31 the upper row.
constexpr uint8_t kUp[] = {1, 1};
constexpr uint8_t kDown0[] = {1, 2};
constexpr uint8_t kDown1[] = {1, 3};
constexpr uint8_t kDown2[] = {1, 4};
constexpr uint8_t kDown3[] = {1, 5};
constexpr uint8_t kDown4[] = {1, 6};
constexpr uint8_t kDown5[] = {1, 7};
constexpr uint8_t kDown6[] = {1, 8};
constexpr uint8_t kDown7[] = {1, 9};
constexpr uint8_t kFarLeft[] = {1, 10};
constexpr uint8_t kFarRight[] = {1, 11};
constexpr uint8_t kLowerSweep[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
constexpr uint8_t kUpperSweep[] = {1, 10, 11};
constexpr uint8_t kZigZag[] = {1, 12, 2, 15, 4, 18, 6, 21, 8, 24};
constexpr uint8_t kTriangle[] = {1, 12, 31, 1};
constexpr uint8_t kUpperRow[] = {1,  12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                                 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};
constexpr uint8_t kOff[] = {0, 1};

constexpr std::array<std::span<const uint8_t>, 17> kBaseShapes = {
    kUp,      kDown0,    kDown1,      kDown2,      kDown3,  kDown4,    kDown5,    kDown6, kDown7,
    kFarLeft, kFarRight, kLowerSweep, kUpperSweep, kZigZag, kTriangle, kUpperRow, kOff,
};

// The first kind keeps its sweeps narrow: the long ones become single beams.
constexpr PreviewGeomReplacement kKind1Replacements[] = {{11, 5}, {12, 0}, {15, 13}};
} // namespace

std::span<const std::span<const uint8_t>> PreviewGeomBaseShapes()
{
    return kBaseShapes;
}

std::span<const PreviewGeomReplacement> PreviewGeomKind1Replacements()
{
    return kKind1Replacements;
}
