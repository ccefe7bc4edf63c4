#include "foundation/pictures/dib_exchange.h"

#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/bmp_header.h"

namespace {

constexpr const char* kNilText = "SaveDIB, bitmap NIL!";
constexpr const char* kUnsupportedText = "SaveDIB, Unsupported format!";
constexpr const char* kTruncatedText = "Not a valid BMP/DIB file!"; // also for sizes no reader takes
constexpr const char* kInvalidBmpText = "Invalid BMP file!";
constexpr const char* kNullHandleText = "HDIB is NULL!";
constexpr int32_t kMaxPaletteEntries = 256;
constexpr int32_t kReadSlack = 4096;
constexpr int32_t kMostBits = 32;

int32_t PaletteEntries(const BmpInfoHeader& info)
{
    if (info.coloursUsed != 0)
        return info.coloursUsed;
    switch (info.bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

} // namespace

bool SaveDIB(LArchiveBase& archive, const uint8_t* dib, int32_t length)
{
    if (!dib) {
        archive.Status().SetError(kNilText, 0);
        return false;
    }
    if (length < kBmpInfoHeaderBytes || LoadLe32(dib) != kBmpInfoHeaderBytes) {
        archive.Status().SetError(kUnsupportedText, 0);
        return false;
    }
    BmpInfoHeader info = ParseBmpInfoHeader(dib);
    if (info.bitCount > kMostBits || info.width < 0 || info.width > kImageMaxSide ||
        info.height < -kImageMaxSide || info.height > kImageMaxSide) {
        archive.Status().SetError(kTruncatedText, 0);
        return false;
    }
    const int32_t entries = PaletteEntries(info);
    const bool coded = info.compression == kBmpRle8 || info.compression == kBmpRle4;
    const int64_t rows = info.height < 0 ? -static_cast<int64_t>(info.height) : info.height;
    const int64_t imageSize = coded ? info.imageSize : BmpRowBytes(info.bitCount, info.width) * rows;
    const int64_t tableBytes =
        4 * static_cast<int64_t>(entries) + (info.compression == kBmpBitFields ? kBmpMaskBytes : 0);
    const int64_t pixelOffset = kBmpFileHeaderBytes + kBmpInfoHeaderBytes + tableBytes;
    if (entries < 0 || entries > kMaxPaletteEntries || imageSize < 0 ||
        kBmpInfoHeaderBytes + tableBytes + imageSize > length) {
        archive.Status().SetError(kTruncatedText, 0);
        return false;
    }
    info.imageSize = static_cast<int32_t>(imageSize);
    uint8_t fileBytes[kBmpFileHeaderBytes];
    StoreBmpFileHeader(
        {kBmpMagic, static_cast<uint32_t>(pixelOffset + imageSize), static_cast<uint32_t>(pixelOffset)},
        fileBytes);
    uint8_t infoBytes[kBmpInfoHeaderBytes];
    StoreBmpInfoHeader(info, infoBytes);
    archive.WriteBlock(fileBytes, kBmpFileHeaderBytes);
    archive.WriteBlock(infoBytes, kBmpInfoHeaderBytes);
    archive.WriteBlock(dib + kBmpInfoHeaderBytes, static_cast<int32_t>(tableBytes + imageSize));
    return !archive.HasError();
}

bool SaveDIBHandle(LArchiveBase& archive, const XAString& dib)
{
    if (dib.IsEmpty()) {
        archive.Status().SetError(kNullHandleText, 0);
        return false;
    }
    return SaveDIB(archive, reinterpret_cast<const uint8_t*>(dib.CStr()), dib.Length());
}

XAString ReadBmpAsDIB(LArchiveBase& archive)
{
    uint8_t fileBytes[kBmpFileHeaderBytes];
    if (archive.ReadBlock(fileBytes, kBmpFileHeaderBytes, kBmpFileHeaderBytes) != kBmpFileHeaderBytes ||
        archive.HasError())
        return XAString();
    const BmpFileHeader header = ParseBmpFileHeader(fileBytes);
    if (header.magic != kBmpMagic || header.fileSize <= kBmpFileHeaderBytes || header.fileSize > INT32_MAX) {
        archive.Status().SetError(kInvalidBmpText, 0);
        return XAString();
    }
    const int32_t n = static_cast<int32_t>(header.fileSize) - kBmpFileHeaderBytes;
    if (!archive.HasBytes(n))
        return XAString();
    XAString dib;
    char* bytes = dib.SetLength(n);
    if (!bytes) {
        archive.Status().SetOutOfMemory();
        return XAString();
    }
    if (archive.ReadBlock(bytes, n, n) != n || archive.HasError())
        return XAString();
    return dib;
}

CError HImageFromDIB(HImageRef& target, const XAString& dib, const char* name, bool trueColour, bool alpha)
{
    target.Release();
    LArchiveXString writer;
    if (writer.OpenWrite(
            static_cast<int32_t>(std::min<int64_t>(dib.Length() + int64_t{kReadSlack}, INT32_MAX - 1))) &&
        SaveDIBHandle(writer, dib)) {
        const XAString file = writer.TakeString();
        LArchiveXString reader;
        reader.OpenRead(file, -1);
        HImage::ReadBmp(target, reader, name, trueColour, alpha);
        return reader.Status();
    }
    return writer.Status();
}
