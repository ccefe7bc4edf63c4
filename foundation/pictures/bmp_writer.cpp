#include "foundation/archives/archive_base.h"
#include "foundation/archives/archive_file.h"
#include "foundation/pictures/bmp_header.h"
#include "foundation/pictures/internal/bmp_rle.h"
#include "foundation/files/file_sync.h"
#include "foundation/pictures/h_image.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int32_t kPaletteEntries = 256;
constexpr int32_t kHeadersBytes = kBmpFileHeaderBytes + kBmpInfoHeaderBytes;
constexpr const char* kTemporarySuffix = ".XXXXXX";

// The pixels as stored: bottom row first, 24-bit rows as blue, green, red and zero padding,
// 32-bit rows as they are.
void WriteTrueColourRows(const HImage& image, const uint8_t* pixels, int32_t bitCount, int32_t rowBytes,
                         uint8_t* row, LArchiveBase& archive)
{
    for (int32_t r = image.Height() - 1; r >= 0 && !archive.HasError(); --r) {
        const uint8_t* in = pixels + static_cast<int64_t>(r) * image.Pitch();
        if (bitCount == 32) {
            archive.WriteBlock(in, rowBytes);
            continue;
        }
        std::fill(row, row + rowBytes, uint8_t{0});
        for (int32_t i = 0; i < image.Width(); ++i, in += 4) {
            row[3 * i] = in[0];
            row[3 * i + 1] = in[1];
            row[3 * i + 2] = in[2];
        }
        archive.WriteBlock(row, rowBytes);
    }
}

// RLE8 rows, bottom row first, the last one ending the picture. The first pass only counts, so
// that the headers can carry the coded size without seeking back.
int64_t EncodeRows(const HImage& image, const uint8_t* pixels, uint8_t* coded, LArchiveBase* archive)
{
    int64_t total = 0;
    for (int32_t r = image.Height() - 1; r >= 0; --r) {
        const uint8_t* in = pixels + static_cast<int64_t>(r) * image.Pitch();
        const int32_t n = EncodeRle8Row(in, image.Width(), coded, r == 0);
        if (archive)
            archive->WriteBlock(coded, n);
        total += n;
    }
    return total;
}

void WritePalette(const HImage& image, LArchiveBase& archive)
{
    uint8_t bytes[4 * kPaletteEntries] = {};
    const HMemRef palette = image.LockPalette();
    const auto* entries = palette.As<const HImagePaletteEntry>();
    const int32_t n = entries ? std::min(image.PaletteCount(), kPaletteEntries) : 0;
    for (int32_t i = 0; i < n; ++i) {
        bytes[4 * i] = entries[i].blue;
        bytes[4 * i + 1] = entries[i].green;
        bytes[4 * i + 2] = entries[i].red;
    }
    archive.WriteBlock(bytes, sizeof bytes);
}

void WriteHeaders(const HImage& image, int32_t bitCount, int32_t compression, int32_t paletteEntries,
                  int32_t imageSize, LArchiveBase& archive)
{
    const int32_t pixelOffset = kHeadersBytes + 4 * paletteEntries;
    uint8_t fileBytes[kBmpFileHeaderBytes];
    StoreBmpFileHeader(
        {kBmpMagic, static_cast<uint32_t>(pixelOffset + imageSize), static_cast<uint32_t>(pixelOffset)},
        fileBytes);
    BmpInfoHeader info;
    info.headerSize = kBmpInfoHeaderBytes;
    info.width = image.Width();
    info.height = image.Height();
    info.planes = 1;
    info.bitCount = bitCount;
    info.compression = compression;
    info.imageSize = imageSize;
    info.xPixelsPerMetre = kBmpPixelsPerMetre;
    info.yPixelsPerMetre = kBmpPixelsPerMetre;
    info.coloursUsed = paletteEntries;
    info.coloursImportant = paletteEntries;
    uint8_t infoBytes[kBmpInfoHeaderBytes];
    StoreBmpInfoHeader(info, infoBytes);
    archive.WriteBlock(fileBytes, kBmpFileHeaderBytes);
    archive.WriteBlock(infoBytes, kBmpInfoHeaderBytes);
}

bool WritePalettised(const HImage& image, const uint8_t* pixels, LArchiveBase& archive)
{
    std::unique_ptr<uint8_t[]> coded(new (std::nothrow)
                                         uint8_t[static_cast<size_t>(Rle8RowBound(image.Width()))]);
    if (!coded) {
        archive.Status().SetOutOfMemory();
        return false;
    }
    const int64_t codedBytes = EncodeRows(image, pixels, coded.get(), nullptr);
    const int64_t padded = (codedBytes + 3) / 4 * 4;
    if (padded > INT32_MAX - kHeadersBytes - 4 * kPaletteEntries) {
        archive.Status().SetError(kArchiveTooLargeText, 0);
        return false;
    }
    WriteHeaders(image, 8, kBmpRle8, kPaletteEntries, static_cast<int32_t>(padded), archive);
    WritePalette(image, archive);
    EncodeRows(image, pixels, coded.get(), &archive);
    const uint8_t zeros[4] = {};
    archive.WriteBlock(zeros, static_cast<int32_t>(padded - codedBytes));
    return !archive.HasError();
}

bool WriteTrueColour(const HImage& image, const uint8_t* pixels, LArchiveBase& archive)
{
    const int32_t bitCount = image.Flags() & kImageAlpha ? 32 : 24;
    const int64_t rowBytes = BmpRowBytes(bitCount, image.Width());
    std::unique_ptr<uint8_t[]> row(new (std::nothrow) uint8_t[static_cast<size_t>(rowBytes)]);
    if (!row) {
        archive.Status().SetOutOfMemory();
        return false;
    }
    WriteHeaders(image, bitCount, kBmpRgb, 0, static_cast<int32_t>(rowBytes * image.Height()), archive);
    WriteTrueColourRows(image, pixels, bitCount, static_cast<int32_t>(rowBytes), row.get(), archive);
    return !archive.HasError();
}

} // namespace

bool HImage::WriteBmp(LArchiveBase& archive) const
{
    if (!IsPalettised() && !IsTrueColour()) {
        const HImageRef converted = Convert();
        if (converted.IsEmpty()) {
            archive.Status().SetOutOfMemory();
            return false;
        }
        return converted->WriteBmp(archive);
    }
    const HMemRef pixels = LockPixels();
    if (!pixels.GetData()) {
        archive.Status().SetOutOfMemory();
        return false;
    }
    if (IsPalettised())
        return WritePalettised(*this, pixels.As<const uint8_t>(), archive);
    return WriteTrueColour(*this, pixels.As<const uint8_t>(), archive);
}

CError HImage::SaveBmp(const char* path) const
{
    const XAString target = ReplacementTarget(path);
    const char* fileName = target.CStr();
    std::string temporary = std::string(fileName) + kTemporarySuffix;
    char* name = temporary.data();
    const int handle = ::mkstemp(name);
    if (handle < 0) {
        CError error;
        error.FromSystemCode(errno);
        return error;
    }
    ::fchmod(handle, ReplacementFileMode(fileName));
    LArchiveFile file;
    file.Attach(handle, true, true);
    WriteBmp(file);
    file.Flush();
    if (!file.HasError() && SyncFileHandle(handle) != 0)
        file.SetSystemError();
    file.Close();
    CError status = file.Status();
    if (!status.Failed() && std::rename(name, fileName) != 0)
        status.FromSystemCode(errno);
    if (status.Failed())
        ::unlink(name);
    else
        SyncFolderOf(fileName);
    return status;
}
