// The headers of BMP files and packed DIBs: the 14-byte file header, the 12-byte core header and
// the 40-byte info header with its longer successors, all little-endian.
#pragma once

#include <cstdint>

inline constexpr uint16_t kBmpMagic = 0x4D42; // "BM"
inline constexpr int32_t kBmpFileHeaderBytes = 14;
inline constexpr int32_t kBmpCoreHeaderBytes = 12;
inline constexpr int32_t kBmpInfoHeaderBytes = 40;
// From this size on the bit masks stand inside the header, at bytes 40 to 51.
inline constexpr int32_t kBmpMasksInHeaderBytes = 52;
inline constexpr int32_t kBmpMaskBytes = 12;
inline constexpr int32_t kBmpPixelsPerMetre = 3779;

enum BmpCompression : int32_t {
    kBmpRgb = 0,
    kBmpRle8 = 1,
    kBmpRle4 = 2,
    kBmpBitFields = 3,
};

struct BmpFileHeader
{
    uint16_t magic = 0;
    uint32_t fileSize = 0;
    uint32_t pixelOffset = 0;
};

// The fields of an info header; a core header fills width, height, planes and bit count.
struct BmpInfoHeader
{
    int32_t headerSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t planes = 0;
    int32_t bitCount = 0;
    int32_t compression = kBmpRgb;
    int32_t imageSize = 0;
    int32_t xPixelsPerMetre = 0;
    int32_t yPixelsPerMetre = 0;
    int32_t coloursUsed = 0;
    int32_t coloursImportant = 0;
};

uint16_t LoadLe16(const uint8_t* p);
uint32_t LoadLe32(const uint8_t* p);
void StoreLe16(uint8_t* p, uint16_t v);
void StoreLe32(uint8_t* p, uint32_t v);

BmpFileHeader ParseBmpFileHeader(const uint8_t (&bytes)[kBmpFileHeaderBytes]);
void StoreBmpFileHeader(const BmpFileHeader& header, uint8_t (&bytes)[kBmpFileHeaderBytes]);

// `bytes` holds the header from its size field on: 12 bytes of a core header, 40 of the others.
BmpInfoHeader ParseBmpCoreHeader(const uint8_t* bytes);
BmpInfoHeader ParseBmpInfoHeader(const uint8_t* bytes);
void StoreBmpInfoHeader(const BmpInfoHeader& header, uint8_t (&bytes)[kBmpInfoHeaderBytes]);

// Bytes of one stored row: bit count x width bits raised to a multiple of 4 bytes. 15-bit
// pixels are stored in 16 bits. 64-bit, so that no width wraps.
int64_t BmpRowBytes(int32_t bitCount, int32_t width);
