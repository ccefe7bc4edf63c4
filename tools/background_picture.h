#pragma once
// Background pictures for generated shows, written by the project's BMP writer.

#include "foundation/strings/xa_string.h"

#include <cstdint>

// A BMP file of a colour gradient with rings, different for every seed.
XAString MakeBackgroundBmp(uint32_t seed, int32_t width, int32_t height);
