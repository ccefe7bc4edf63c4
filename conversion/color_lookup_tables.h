#pragma once
// Nearest-colour tables that map any RGB colour to a palette index with one table read. Each
// table is built on its first lookup, outside any lock, and published once for the life of the
// process; a thread that loses the race to publish discards its own copy. Components are
// clamped to 0..255 first.

#include <cstdint>

// Into the first palette, 16 x 16 x 16 grid. Hue only: the nearest of the 16 full-level hues to
// the brightness-normalised colour; otherwise that hue's level nearest to the colour itself.
int32_t ColorLookupTable(int32_t r, int32_t g, int32_t b, bool hueOnly);
// Into the second palette, 32 x 32 x 32 grid.
int32_t ColorLookupTable2(int32_t r, int32_t g, int32_t b);
// Into the third palette, 32 x 32 x 32 grid; near-grey grid colours give white's index.
int32_t ColorLookupTable3(int32_t r, int32_t g, int32_t b);

// For tests: the table bytes in index order, built if needed (0 hue-only table 1, 1 table 1 by
// brightness, 2 and 3 the others), and how many bytes it has.
const uint8_t* ColorLookupTableBytes(int32_t which, int32_t& size);
