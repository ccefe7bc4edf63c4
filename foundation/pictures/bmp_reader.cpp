#include "foundation/archives/archive_base.h"
#include "foundation/archives/archive_file.h"
#include "foundation/pictures/bmp_header.h"
#include "foundation/pictures/internal/bmp_rle.h"
#include "foundation/pictures/h_image.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr const char* kNotBmpText = "Not a valid BMP/DIB file!";
constexpr const char* kUnsupportedRleText = "Unsupported format (BI_RLE4/8)!";
constexpr const char* kUnknownCompressionText = "Unknown/unsupported format (biCompression)!";
constexpr uint32_t k565RedTopBit = 0x8000;
constexpr int32_t kMaxPaletteBits = 8;

bool DepthSupported(int32_t bits)
{
    switch (bits) {
    case 1:
    case 4:
    case 8:
    case 15:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

// 1- and 4-bit rows: one index byte a pixel, most significant bits first.
void UnpackRow(const uint8_t* in, int32_t width, int32_t bits, uint8_t* out)
{
    const int perByte = 8 / bits;
    const uint8_t mask = static_cast<uint8_t>((1 << bits) - 1);
    for (int32_t i = 0; i < width; ++i) {
        const int shift = 8 - bits * (i % perByte + 1);
        out[i] = static_cast<uint8_t>(in[i / perByte] >> shift & mask);
    }
}

uint16_t Load16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

void Store16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

uint16_t Pack555(uint8_t blue, uint8_t green, uint8_t red)
{
    return static_cast<uint16_t>(blue >> 3 | (green >> 3) << 5 | (red >> 3) << 10);
}

void Row565To555(uint8_t* row, int32_t width)
{
    for (int32_t i = 0; i < width; ++i) {
        const uint16_t p = Load16(row + 2 * i);
        Store16(row + 2 * i, static_cast<uint16_t>(((p >> 1) & 0x7FE0) | (p & 0x1F)));
    }
}

void ClearFourthBytes(uint8_t* row, int32_t width)
{
    for (int32_t i = 0; i < width; ++i)
        row[4 * i + 3] = 0;
}

// 24- and 32-bit pixels (bytes apart) to blue, green, red, 0 or to 5-5-5.
void RowToTrueColour(const uint8_t* in, int32_t width, int bytes, uint8_t* out)
{
    for (int32_t i = 0; i < width; ++i, in += bytes, out += 4) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
        out[3] = 0;
    }
}

void RowTo555(const uint8_t* in, int32_t width, int bytes, uint8_t* out)
{
    for (int32_t i = 0; i < width; ++i, in += bytes)
        Store16(out + 2 * i, Pack555(in[0], in[1], in[2]));
}

void FlipRows(uint8_t* pixels, int32_t pitch, int32_t height)
{
    for (int32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(pixels + static_cast<int64_t>(top) * pitch,
                         pixels + static_cast<int64_t>(top + 1) * pitch,
                         pixels + static_cast<int64_t>(bottom) * pitch);
}

// How each stored row becomes a row of the picture.
enum class RowMode {
    Unpack,       // 1 and 4 bits
    Copy,         // 8 bits, 5-5-5, 32 bits with alpha
    From565,      // in place
    ClearFourth,  // 32 bits without alpha, in place
    ToTrueColour, // 24 bits
    To555,        // 24 and 32 bits
};

class BmpReader
{
  public:
    BmpReader(LArchiveBase& archive, bool trueColour, bool alpha)
        : archive_(archive), trueColour_(trueColour), alpha_(alpha)
    {
    }

    HImageRef Read(const char* name);

  private:
    bool Fail(const XAString& text)
    {
        archive_.Status().SetError(text, 0);
        return false;
    }
    bool ReadBytes(void* destination, int32_t n)
    {
        return archive_.ReadBlock(destination, n, n) == n && !archive_.HasError();
    }
    bool SkipBytes(int32_t n)
    {
        return n <= 0 || (archive_.HasBytes(n) && archive_.Skip(n, n) == n && !archive_.HasError());
    }

    bool ReadHeaders();
    bool CheckFormat();
    void ChooseTarget();
    bool ReadPalette();
    bool ReadMasks();
    bool Coded() const { return info_.compression == kBmpRle8 || info_.compression == kBmpRle4; }
    // Checked before the pixel block is allocated, so that a short file cannot ask for much.
    bool PixelBytesPresent();
    bool ReadRows(uint8_t* pixels);
    bool ReadRle(uint8_t* pixels);
    RowMode Mode() const;

    LArchiveBase& archive_;
    const bool trueColour_;
    const bool alpha_;
    BmpFileHeader file_;
    BmpInfoHeader info_;
    uint8_t masks_[kBmpMaskBytes] = {};
    bool masksRead_ = false;
    int64_t consumed_ = 0; // bytes of this BMP read so far
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool topDown_ = false;
    bool rgb565_ = false;
    uint32_t flags_ = 0;
    int32_t pitch_ = 0;
    int32_t paletteCount_ = 0;
    HMemRef palette_;
};

bool BmpReader::ReadHeaders()
{
    uint8_t fileBytes[kBmpFileHeaderBytes];
    uint8_t headerBytes[kBmpInfoHeaderBytes];
    if (!ReadBytes(fileBytes, kBmpFileHeaderBytes) || !ReadBytes(headerBytes, 4))
        return false;
    file_ = ParseBmpFileHeader(fileBytes);
    const uint32_t headerSize = LoadLe32(headerBytes);
    if (file_.magic != kBmpMagic || file_.pixelOffset > INT32_MAX ||
        file_.pixelOffset < kBmpFileHeaderBytes + static_cast<uint64_t>(headerSize))
        return Fail(kNotBmpText);
    consumed_ = kBmpFileHeaderBytes + static_cast<int64_t>(headerSize);
    if (headerSize == kBmpCoreHeaderBytes) {
        if (!ReadBytes(headerBytes + 4, kBmpCoreHeaderBytes - 4))
            return false;
        info_ = ParseBmpCoreHeader(headerBytes);
        if (info_.bitCount <= kMaxPaletteBits)
            info_.coloursUsed = 1 << info_.bitCount;
        info_.imageSize = static_cast<int32_t>(
            std::min<int64_t>(BmpRowBytes(info_.bitCount, info_.width) * info_.height, INT32_MAX));
        return true;
    }
    if (headerSize < kBmpInfoHeaderBytes)
        return Fail(kNotBmpText);
    if (!ReadBytes(headerBytes + 4, kBmpInfoHeaderBytes - 4))
        return false;
    info_ = ParseBmpInfoHeader(headerBytes);
    int32_t rest = static_cast<int32_t>(headerSize) - kBmpInfoHeaderBytes;
    if (headerSize >= kBmpMasksInHeaderBytes) {
        if (!ReadBytes(masks_, kBmpMaskBytes))
            return false;
        masksRead_ = true;
        rest -= kBmpMaskBytes;
    }
    return SkipBytes(rest);
}

bool BmpReader::CheckFormat()
{
    if (!DepthSupported(info_.bitCount))
        return Fail(XAString::Format("%d bit/pixel not supported!", info_.bitCount));
    if (info_.width <= 0 || info_.height == 0 || info_.height == INT32_MIN)
        return Fail(kNotBmpText);
    topDown_ = info_.height < 0;
    width_ = info_.width;
    height_ = topDown_ ? -info_.height : info_.height;
    if (width_ > kImageMaxSide || height_ > kImageMaxSide)
        return Fail(kImageTooLargeText);
    switch (info_.compression) {
    case kBmpRgb:
    case kBmpBitFields:
        return true;
    case kBmpRle8:
    case kBmpRle4:
        if (info_.bitCount != (info_.compression == kBmpRle8 ? 8 : 4))
            return Fail(kUnsupportedRleText);
        return true;
    default:
        return Fail(kUnknownCompressionText);
    }
}

void BmpReader::ChooseTarget()
{
    if (info_.bitCount <= kMaxPaletteBits)
        flags_ = kImagePalettised;
    else if (info_.bitCount > 16 && trueColour_)
        flags_ = kImageTrueColour | (alpha_ && info_.bitCount == 32 ? kImageAlpha : 0);
    else
        flags_ = kImage555;
    pitch_ = 2 * HImageWordsPerLine(width_, flags_);
}

// Palette entries in the file: triples after a core header, quads after the others. Only those
// before the pixel offset are read; the rest stay black.
bool BmpReader::ReadPalette()
{
    const int32_t most = 1 << info_.bitCount;
    paletteCount_ = info_.coloursUsed < 1 || info_.coloursUsed > most ? most : info_.coloursUsed;
    auto* entries = static_cast<HImagePaletteEntry*>(palette_.Alloc(4 * paletteCount_, 0, nullptr, 0));
    if (!entries) {
        archive_.Status().SetOutOfMemory();
        return false;
    }
    std::memset(entries, 0, static_cast<size_t>(4 * paletteCount_));
    const int32_t entryBytes = info_.headerSize == kBmpCoreHeaderBytes ? 3 : 4;
    const int64_t present = (file_.pixelOffset - consumed_) / entryBytes;
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(paletteCount_, present));
    uint8_t bytes[4 * kImageMaxPalette];
    if (n > 0 && !ReadBytes(bytes, n * entryBytes))
        return false;
    for (int32_t i = 0; i < n; ++i) {
        const uint8_t* quad = bytes + i * entryBytes;
        entries[i] = HImagePaletteEntry{0, quad[2], quad[1], quad[0]};
    }
    consumed_ += static_cast<int64_t>(n) * entryBytes;
    return true;
}

// 16-bit bit fields: the masks stand inside the longer headers, else right after the header.
bool BmpReader::ReadMasks()
{
    if (!masksRead_) {
        if (file_.pixelOffset < consumed_ + kBmpMaskBytes)
            return Fail(kNotBmpText);
        if (!ReadBytes(masks_, kBmpMaskBytes))
            return false;
        consumed_ += kBmpMaskBytes;
    }
    rgb565_ = (LoadLe32(masks_) & k565RedTopBit) != 0;
    return true;
}

RowMode BmpReader::Mode() const
{
    switch (info_.bitCount) {
    case 1:
    case 4:
        return RowMode::Unpack;
    case 8:
    case 15:
        return RowMode::Copy;
    case 16:
        return rgb565_ ? RowMode::From565 : RowMode::Copy;
    case 24:
        return flags_ & kImageTrueColour ? RowMode::ToTrueColour : RowMode::To555;
    default:
        if (!(flags_ & kImageTrueColour))
            return RowMode::To555;
        return flags_ & kImageAlpha ? RowMode::Copy : RowMode::ClearFourth;
    }
}

bool BmpReader::PixelBytesPresent()
{
    if (!Coded())
        return archive_.HasBytes(static_cast<int32_t>(BmpRowBytes(info_.bitCount, width_) * height_));
    if (info_.imageSize < 0)
        return Fail(kNotBmpText);
    return archive_.HasBytes(info_.imageSize);
}

// Stored rows bottom-up unless the file is top-down; rows that keep their size are read
// straight into the picture.
bool BmpReader::ReadRows(uint8_t* pixels)
{
    const int64_t rowBytes = BmpRowBytes(info_.bitCount, width_);
    const RowMode mode = Mode();
    const bool direct = mode == RowMode::Copy || mode == RowMode::From565 || mode == RowMode::ClearFourth;
    std::unique_ptr<uint8_t[]> buffer;
    if (!direct) {
        buffer.reset(new (std::nothrow) uint8_t[static_cast<size_t>(rowBytes)]);
        if (!buffer) {
            archive_.Status().SetOutOfMemory();
            return false;
        }
    }
    for (int32_t r = 0; r < height_; ++r) {
        uint8_t* row = pixels + static_cast<int64_t>(topDown_ ? r : height_ - 1 - r) * pitch_;
        if (!ReadBytes(direct ? row : buffer.get(), static_cast<int32_t>(rowBytes)))
            return false;
        switch (mode) {
        case RowMode::Unpack:
            UnpackRow(buffer.get(), width_, info_.bitCount, row);
            break;
        case RowMode::From565:
            Row565To555(row, width_);
            break;
        case RowMode::ClearFourth:
            ClearFourthBytes(row, width_);
            break;
        case RowMode::ToTrueColour:
            RowToTrueColour(buffer.get(), width_, info_.bitCount / 8, row);
            break;
        case RowMode::To555:
            RowTo555(buffer.get(), width_, info_.bitCount / 8, row);
            break;
        case RowMode::Copy:
            break;
        }
    }
    return true;
}

// The coded bytes, at most what the densest legal coding of the picture takes, decoded in file
// row order and flipped unless the file is top-down.
bool BmpReader::ReadRle(uint8_t* pixels)
{
    const int64_t bound = Rle8RowBound(width_) * height_ + 2;
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(info_.imageSize, bound));
    std::unique_ptr<uint8_t[]> coded(new (std::nothrow) uint8_t[static_cast<size_t>(n) + 1]);
    if (!coded) {
        archive_.Status().SetOutOfMemory();
        return false;
    }
    if (!ReadBytes(coded.get(), n))
        return false;
    std::memset(pixels, 0, static_cast<size_t>(pitch_) * height_);
    if (info_.compression == kBmpRle8)
        DecodeRle8(coded.get(), n, pixels, pitch_, height_);
    else
        DecodeRle4(coded.get(), n, pixels, pitch_, height_);
    if (!topDown_)
        FlipRows(pixels, pitch_, height_);
    return true;
}

HImageRef BmpReader::Read(const char* name)
{
    if (!ReadHeaders() || !CheckFormat())
        return HImageRef();
    ChooseTarget();
    if (flags_ & kImagePalettised) {
        if (!ReadPalette())
            return HImageRef();
    } else if (info_.bitCount == 16 && info_.compression == kBmpBitFields && !ReadMasks()) {
        return HImageRef();
    }
    if (!SkipBytes(static_cast<int32_t>(file_.pixelOffset - consumed_)) || !PixelBytesPresent())
        return HImageRef();
    HMemRef pixelBlock;
    auto* pixels = static_cast<uint8_t*>(pixelBlock.Alloc(pitch_ * height_, 0, nullptr, 0));
    if (!pixels) {
        archive_.Status().SetOutOfMemory();
        return HImageRef();
    }
    if (!(Coded() ? ReadRle(pixels) : ReadRows(pixels)) || archive_.HasError())
        return HImageRef();
    int32_t nameLength = 0;
    const HMemRef nameBlock = HImageNameBlock(name, nameLength);
    HImageRef image = HImageFromParts(nameBlock.GetHandle(), nameLength, width_, height_, pitch_ / 2, flags_,
                                      paletteCount_, palette_.GetHandle(), pixelBlock.GetHandle());
    if (image.IsEmpty())
        archive_.Status().SetOutOfMemory();
    return image;
}

} // namespace

bool HImage::ReadBmp(HImageRef& target, LArchiveBase& archive, const char* name, bool trueColour, bool alpha)
{
    target.Release();
    if (archive.HasError())
        return false;
    HImageRef image = BmpReader(archive, trueColour, alpha).Read(name);
    if (archive.HasError())
        return false;
    target = image;
    return !target.IsEmpty();
}

CError HImage::LoadBmpFile(HImageRef& target, const char* fileName, bool trueColour, bool alpha)
{
    target.Release();
    LArchiveFile file(fileName, kArchiveFileRead, true);
    if (!file.HasError())
        ReadBmp(target, file, fileName, trueColour, alpha);
    return file.Status();
}
