#include "foundation/pictures/internal/bmp_rle.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t kEscape = 0;
constexpr uint8_t kEndOfLine = 0;
constexpr uint8_t kEndOfPicture = 1;
constexpr uint8_t kDelta = 2;
constexpr int32_t kLongestPiece = 254;
constexpr int32_t kShortestLiteral = 3;
constexpr int32_t kShortestLoneRun = 4;

// The pixel at index k of a run: RLE4 alternates the high and the low nibble, high first.
template <bool Nibbles> uint8_t RunPixel(uint8_t value, int32_t k)
{
    if constexpr (Nibbles)
        return (k & 1) ? (value & 0x0F) : (value >> 4);
    return value;
}

template <bool Nibbles> int32_t AbsoluteRunBytes(int32_t pixels)
{
    return Nibbles ? (pixels + 1) / 2 : pixels;
}

template <bool Nibbles>
void DecodeRle(const uint8_t* data, int32_t length, uint8_t* pixels, int32_t pitch, int32_t height)
{
    if (!data || !pixels || pitch <= 0 || height <= 0)
        return;
    const int64_t size = static_cast<int64_t>(pitch) * height;
    int64_t row = 0;
    int64_t x = 0;
    int32_t i = 0;
    while (length - i >= 2) {
        const int32_t count = data[i];
        const uint8_t value = data[i + 1];
        i += 2;
        const int64_t at = row * pitch + x;
        if (count > 0) {
            if (at + count > size)
                return;
            for (int32_t k = 0; k < count; ++k)
                pixels[at + k] = RunPixel<Nibbles>(value, k);
            x += count;
            continue;
        }
        if (value == kEndOfLine) {
            ++row;
            x = 0;
        } else if (value == kEndOfPicture) {
            return;
        } else if (value == kDelta) {
            if (length - i < 2)
                return;
            x += data[i];
            row += data[i + 1];
            i += 2;
            if (row * pitch + x >= size)
                return;
        } else {
            const int32_t bytes = AbsoluteRunBytes<Nibbles>(value);
            if (length - i < bytes || at + value > size)
                return;
            for (int32_t k = 0; k < value; ++k)
                pixels[at + k] = Nibbles ? RunPixel<true>(data[i + k / 2], k) : data[i + k];
            i += bytes + (bytes & 1);
            x += value;
        }
    }
}

int32_t EqualRun(const uint8_t* row, int32_t from, int32_t width)
{
    int32_t end = from + 1;
    while (end < width && row[end] == row[from])
        ++end;
    return end - from;
}

// Literal bytes in pieces of at most 254: three or more as an absolute run (padded to an even
// length), two equal bytes as one pair, anything else byte by byte.
uint8_t* FlushLiteral(const uint8_t* bytes, int32_t n, uint8_t* out)
{
    while (n > 0) {
        const int32_t piece = std::min(n, kLongestPiece);
        if (piece >= kShortestLiteral) {
            *out++ = kEscape;
            *out++ = static_cast<uint8_t>(piece);
            std::memcpy(out, bytes, static_cast<size_t>(piece));
            out += piece;
            if (piece & 1)
                *out++ = 0;
        } else if (piece == 2 && bytes[0] == bytes[1]) {
            *out++ = 2;
            *out++ = bytes[0];
        } else {
            for (int32_t k = 0; k < piece; ++k) {
                *out++ = 1;
                *out++ = bytes[k];
            }
        }
        bytes += piece;
        n -= piece;
    }
    return out;
}

uint8_t* WriteRun(uint8_t value, int32_t n, uint8_t* out)
{
    while (n > 0) {
        const int32_t piece = std::min(n, kLongestPiece);
        *out++ = static_cast<uint8_t>(piece);
        *out++ = value;
        n -= piece;
    }
    return out;
}

} // namespace

void DecodeRle8(const uint8_t* data, int32_t length, uint8_t* pixels, int32_t pitch, int32_t height)
{
    DecodeRle<false>(data, length, pixels, pitch, height);
}

void DecodeRle4(const uint8_t* data, int32_t length, uint8_t* pixels, int32_t pitch, int32_t height)
{
    DecodeRle<true>(data, length, pixels, pitch, height);
}

int32_t EncodeRle8Row(const uint8_t* row, int32_t width, uint8_t* output, bool lastRow)
{
    uint8_t* out = output;
    int32_t literalStart = 0;
    int32_t literalCount = 0;
    for (int32_t i = 0; i < width;) {
        const int32_t run = EqualRun(row, i, width);
        const bool asPair = run >= kShortestLoneRun || (run >= 2 && (literalCount == 0 || i + run == width));
        if (asPair) {
            out = FlushLiteral(row + literalStart, literalCount, out);
            literalCount = 0;
            out = WriteRun(row[i], run, out);
        } else {
            if (literalCount == 0)
                literalStart = i;
            literalCount += run;
        }
        i += run;
    }
    out = FlushLiteral(row + literalStart, literalCount, out);
    *out++ = kEscape;
    *out++ = lastRow ? kEndOfPicture : kEndOfLine;
    return static_cast<int32_t>(out - output);
}
