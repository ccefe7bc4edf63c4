// What a caller asks of a font, in the terms of the system's font requests.
#pragma once

#include <cstdint>
#include <string>

// The face taken when the asked one is not installed, and for an empty name; the install script
// puts it on every machine, so the fallback is the same everywhere.
inline constexpr const char* kDefaultFontFace = "DejaVu Sans";

inline constexpr int32_t kFontWeightNormal = 400;
inline constexpr int32_t kFontWeightBold = 700;

struct FontSpec
{
    std::string faceName; // UTF-8 family name; empty asks for the default face
    // Pixels: > 0 the cell height (ascent + descent), < 0 the character (em) height, 0 the
    // default cell height.
    int32_t height = 0;
    int32_t weight = kFontWeightNormal; // 1..1000; 0 means normal
    bool italic = false;
    bool antialiased = true; // greyscale edges; false draws every pixel fully or not at all
};
