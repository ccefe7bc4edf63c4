#pragma once
// A small stroke font for text-like laser figures: each letter is a few polylines on a grid of
// 4 x 6 units, drawn with the beam on, with blanked jumps between them.

#include <cstdint>
#include <span>

struct StrokePoint
{
    int8_t x;
    int8_t y;
};

// One letter: its polylines, each a run of points.
struct StrokeLetter
{
    char letter;
    std::span<const std::span<const StrokePoint>> strokes;
};

inline constexpr int32_t kStrokeLetterWidth = 4;
inline constexpr int32_t kStrokeLetterHeight = 6;

// The strokes of a letter; a letter the font lacks draws as its box.
const StrokeLetter& StrokeLetterOf(char letter);
