// A picture as texture texels: BGRA with alpha 255 in the smallest power-of-two texture that
// holds it, the picture's bottom row first (OpenGL's first row is the bottom), the rest 0. A
// picture too large for the driver is scaled down first, keeping its shape: the drawing uses
// only the ratios of content to texture size.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class HImage;

struct PictureTexels
{
    int32_t contentWidth = 0;
    int32_t contentHeight = 0;
    int32_t textureWidth = 0;
    int32_t textureHeight = 0;
    std::vector<uint8_t> bgra; // textureWidth x textureHeight x 4 bytes
};

// The smallest power of two (at least 1) that is not below n.
int64_t PowerOfTwoAtLeast(int64_t n);
// Whether the driver takes a texture of that size.
using TextureSizeCheck = std::function<bool(int32_t width, int32_t height)>;
// False for a picture that is not true colour or cannot be scaled to a size the check accepts.
bool MakePictureTexels(const HImage& picture, const TextureSizeCheck& accepts, PictureTexels& out);
