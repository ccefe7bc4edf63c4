// Reading the rendered picture back from OpenGL. Some drivers leave a large read untouched, or
// hand back a picture that changed between two renders (a show playing), so the rows are read in
// strips guarded by sentinel words, and the whole picture is read twice until both reads agree.
#pragma once

#include "foundation/pictures/h_image.h"

#include <cstdint>

// The OpenGL side of a read-back; tests stand in for the driver here.
class LPictureSource
{
  public:
    virtual ~LPictureSource() = default;
    // Renders the scene without presenting it.
    virtual void Render() = 0;
    // Reads `rows` rows of `width` pixels from `firstRow` (0 the bottom row) as blue, green, red
    // and alpha bytes, each row on a 4-byte boundary; false when the driver reported an error.
    virtual bool ReadRows(int32_t firstRow, int32_t width, int32_t rows, uint8_t* target) = 0;
};

inline constexpr int32_t kReadBackAttempts = 5;
inline constexpr int32_t kReadBackFirstStripRows = 1024;
// Strips this high or higher count as failed when their sentinel words are still there.
inline constexpr int32_t kReadBackSentinelRows = 128;
inline constexpr uint32_t kReadBackSentinel1 = 0x12345678;
inline constexpr uint32_t kReadBackSentinel2 = 0x9ABCFEF0;

// The picture "Beamvista" of width x height pixels, its bottom row first, or its top row first
// when asked; empty when it cannot be made or read.
HImageRef ReadBackPicture(LPictureSource& source, int32_t width, int32_t height, bool topRowFirst);
