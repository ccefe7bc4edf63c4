#include "foundation/pictures/bmp_header.h"

namespace {

constexpr int32_t kFifteenBitStorage = 16;

} // namespace

uint16_t LoadLe16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t LoadLe32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void StoreLe16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void StoreLe32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i, v >>= 8)
        p[i] = static_cast<uint8_t>(v);
}

BmpFileHeader ParseBmpFileHeader(const uint8_t (&bytes)[kBmpFileHeaderBytes])
{
    BmpFileHeader header;
    header.magic = LoadLe16(bytes);
    header.fileSize = LoadLe32(bytes + 2);
    header.pixelOffset = LoadLe32(bytes + 10);
    return header;
}

void StoreBmpFileHeader(const BmpFileHeader& header, uint8_t (&bytes)[kBmpFileHeaderBytes])
{
    StoreLe16(bytes, header.magic);
    StoreLe32(bytes + 2, header.fileSize);
    StoreLe32(bytes + 6, 0);
    StoreLe32(bytes + 10, header.pixelOffset);
}

BmpInfoHeader ParseBmpCoreHeader(const uint8_t* bytes)
{
    BmpInfoHeader header;
    header.headerSize = static_cast<int32_t>(LoadLe32(bytes));
    header.width = LoadLe16(bytes + 4);
    header.height = LoadLe16(bytes + 6);
    header.planes = LoadLe16(bytes + 8);
    header.bitCount = LoadLe16(bytes + 10);
    return header;
}

BmpInfoHeader ParseBmpInfoHeader(const uint8_t* bytes)
{
    BmpInfoHeader header;
    header.headerSize = static_cast<int32_t>(LoadLe32(bytes));
    header.width = static_cast<int32_t>(LoadLe32(bytes + 4));
    header.height = static_cast<int32_t>(LoadLe32(bytes + 8));
    header.planes = LoadLe16(bytes + 12);
    header.bitCount = LoadLe16(bytes + 14);
    header.compression = static_cast<int32_t>(LoadLe32(bytes + 16));
    header.imageSize = static_cast<int32_t>(LoadLe32(bytes + 20));
    header.xPixelsPerMetre = static_cast<int32_t>(LoadLe32(bytes + 24));
    header.yPixelsPerMetre = static_cast<int32_t>(LoadLe32(bytes + 28));
    header.coloursUsed = static_cast<int32_t>(LoadLe32(bytes + 32));
    header.coloursImportant = static_cast<int32_t>(LoadLe32(bytes + 36));
    return header;
}

void StoreBmpInfoHeader(const BmpInfoHeader& header, uint8_t (&bytes)[kBmpInfoHeaderBytes])
{
    StoreLe32(bytes, static_cast<uint32_t>(header.headerSize));
    StoreLe32(bytes + 4, static_cast<uint32_t>(header.width));
    StoreLe32(bytes + 8, static_cast<uint32_t>(header.height));
    StoreLe16(bytes + 12, static_cast<uint16_t>(header.planes));
    StoreLe16(bytes + 14, static_cast<uint16_t>(header.bitCount));
    StoreLe32(bytes + 16, static_cast<uint32_t>(header.compression));
    StoreLe32(bytes + 20, static_cast<uint32_t>(header.imageSize));
    StoreLe32(bytes + 24, static_cast<uint32_t>(header.xPixelsPerMetre));
    StoreLe32(bytes + 28, static_cast<uint32_t>(header.yPixelsPerMetre));
    StoreLe32(bytes + 32, static_cast<uint32_t>(header.coloursUsed));
    StoreLe32(bytes + 36, static_cast<uint32_t>(header.coloursImportant));
}

int64_t BmpRowBytes(int32_t bitCount, int32_t width)
{
    const int64_t bits = bitCount == 15 ? kFifteenBitStorage : bitCount;
    return (bits * width + 31) / 32 * 4;
}
