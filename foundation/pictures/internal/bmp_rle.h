// The run-length codes of BMP files: RLE8 and RLE4 decoding into one byte a pixel, and RLE8
// encoding of one row. Decoding never writes outside its buffer and never reads past its data.
#pragma once

#include <cstdint>

// Decodes into a buffer of pitch x height bytes, one byte a pixel, rows in file order. Stops at
// the end of the data, at end of picture or any unknown escape, and before a run or a move that
// would leave the buffer; what was decoded until then stays.
void DecodeRle8(const uint8_t* data, int32_t length, uint8_t* pixels, int32_t pitch, int32_t height);
void DecodeRle4(const uint8_t* data, int32_t length, uint8_t* pixels, int32_t pitch, int32_t height);

// Room EncodeRle8Row needs at most for a row of width pixels: two bytes a pixel and the end code.
constexpr int64_t Rle8RowBound(int32_t width)
{
    return 2 * static_cast<int64_t>(width) + 4;
}

// Encodes one row of width bytes into output (at least Rle8RowBound(width) bytes), ending it with
// end of line, or end of picture for the last row. Returns the number of bytes written.
int32_t EncodeRle8Row(const uint8_t* row, int32_t width, uint8_t* output, bool lastRow);
