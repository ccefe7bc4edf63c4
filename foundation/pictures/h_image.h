// HImage: the program's one picture type. A header in a handle-heap block of its own names the
// blocks that hold the picture's name, palette and pixels; pictures share those blocks by
// reference, so resizing or cropping does not copy a palette and an unchanged picture is handed
// out as a new reference to itself. Rows are stored top row first, each on a 4-byte boundary.
#pragma once

#include "foundation/errors/c_error.h"
#include "System/Modules/HMEM/hmem_handle.h"
#include "System/Modules/HMEM/hmem_ref.h"
#include "foundation/strings/xa_string.h"

#include <cstdint>

class LArchiveBase;
class HImageRef;

// Pixel format bits of the flags.
inline constexpr uint32_t kImagePalettised = 0x1; // one byte a pixel, an index into the palette
inline constexpr uint32_t kImage555 = 0x2;        // 16 bits: blue 0-4, green 5-9, red 10-14
inline constexpr uint32_t kImageTrueColour = 0x4; // blue, green, red, fourth byte
inline constexpr uint32_t kImageSmallPalette = 0x10;
inline constexpr uint32_t kImageAlpha = 0x100; // with kImageTrueColour: the fourth byte is alpha

// Pictures from files, the clipboard or the network are refused beyond this size.
inline constexpr int32_t kImageMaxSide = 16384;
inline constexpr int32_t kImageMaxPalette = 256;
// A palettised picture of at most this many entries and this size gets kImageSmallPalette.
inline constexpr int32_t kImageSmallPaletteEntries = 64;
inline constexpr int32_t kImageSmallSide = 256;

inline constexpr const char* kImageOutOfMemoryText = "Out of memory!";
inline constexpr const char* kImageTooLargeText = "Picture larger than 16384 x 16384 pixels!";

struct HImagePaletteEntry
{
    uint8_t zero;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

class HImage
{
  public:
    HImage(const HImage&) = delete;
    HImage& operator=(const HImage&) = delete;

    // A true-colour picture (with alpha when asked) of 2 x width words a line.
    static HImageRef Create(const char* name, int32_t width, int32_t height, bool clear, bool alpha);

    int32_t GetHandle() const { return ownHandle_; }
    int32_t GetPalette() const { return palette_.GetHandle(); }
    int32_t GetPixels() const { return pixels_.GetHandle(); }
    XAString GetName() const;

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t WordsPerLine() const { return wordsPerLine_; }
    // Bytes from one row to the next.
    int32_t Pitch() const { return 2 * wordsPerLine_; }
    int32_t Size() const { return size_; }
    uint32_t Flags() const { return flags_; }
    int32_t PaletteCount() const { return paletteCount_; }
    bool IsPalettised() const { return (flags_ & kImageTrueColour) == 0 && (flags_ & kImage555) == 0; }
    bool IsTrueColour() const { return (flags_ & kImageTrueColour) != 0; }
    int32_t BytesPerPixel() const;

    // Locked references to the pixel and palette blocks.
    HMemRef LockPixels() const { return HMemRef(GetPixels()); }
    HMemRef LockPalette() const { return HMemRef(GetPalette()); }

    // Nearest-neighbour resampling; a negative width mirrors, a negative height flips.
    HImageRef Resize(int32_t width, int32_t height) const;
    // Samples the rectangle (x, y, sourceWidth, sourceHeight), which wraps around the picture's
    // edges, into a picture of width x height (negative sizes mirror and flip).
    HImageRef Crop(int32_t width, int32_t height, int32_t x, int32_t y, int32_t sourceWidth,
                   int32_t sourceHeight) const;
    // A true-colour copy; a true-colour picture returns itself.
    HImageRef Convert() const;

    // BMP files; errors go to the archive's status. The target is released first and stays
    // empty on failure.
    static bool ReadBmp(HImageRef& target, LArchiveBase& archive, const char* name, bool trueColour,
                        bool alpha);
    static CError LoadBmpFile(HImageRef& target, const char* fileName, bool trueColour, bool alpha);
    bool WriteBmp(LArchiveBase& archive) const;
    // Writes a temporary file beside the target and renames it over the target, so that a
    // failure leaves the old file as it was. A symbolic link stays; the file it names is replaced.
    CError SaveBmp(const char* path) const;

    // The clipboard service's picture (a DIB, BMP, PNG or JPEG).
    static CError FromClipboard(HImageRef& target, const char* name, bool trueColour, bool alpha);
    CError ToClipboard() const;

  private:
    friend HImageRef HImageFromParts(int32_t nameHandle, int32_t nameLength, int32_t width, int32_t height,
                                     int32_t wordsPerLine, uint32_t flags, int32_t paletteCount,
                                     int32_t paletteHandle, int32_t pixelHandle);
    HImage() = default;
    ~HImage() = default;
    static void ReleaseHeader(void* payload, intptr_t count);

    // Field order is the release order backwards: pixels, palette, then name go first to last.
    int32_t ownHandle_ = kHMemNoHandle;
    HMemHandle name_;
    int32_t nameLength_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t wordsPerLine_ = 0;
    int32_t size_ = 0;
    uint32_t flags_ = 0;
    int32_t paletteCount_ = 0;
    HMemHandle palette_;
    HMemHandle pixels_;
};

// A locked reference to a picture's header block; the empty reference means no picture.
class HImageRef : public HMemRef
{
  public:
    HImageRef() = default;
    explicit HImageRef(int32_t handle) : HMemRef(handle) {}

    HImage* Image() const { return As<HImage>(); }
    HImage* operator->() const { return Image(); }
    HImage& operator*() const { return *Image(); }
    bool IsEmpty() const { return GetData() == nullptr; }
};

// A header over existing blocks, each of which gains a reference. No picture when the sizes are
// outside 1..kImageMaxSide, the flags name no pixel format, a row does not fit its words a line,
// the pixel handle names no block of at least height x words a line units, or the palette count
// is positive without a palette block of that many entries.
HImageRef HImageFromParts(int32_t nameHandle, int32_t nameLength, int32_t width, int32_t height,
                          int32_t wordsPerLine, uint32_t flags, int32_t paletteCount, int32_t paletteHandle,
                          int32_t pixelHandle);
// Copies the name, height x words a line 16-bit units of pixels and the palette into new blocks.
HImageRef HImageFromData(const char* name, int32_t width, int32_t height, int32_t wordsPerLine,
                         uint32_t flags, int32_t paletteCount, const HImagePaletteEntry* palette,
                         const void* pixels);

// A block holding the text and its terminator, or -1 for an empty text; the caller owns its
// reference (and hands it to HImageFromParts through a holder).
HMemRef HImageNameBlock(const char* name, int32_t& length);
// Words a line of a picture of that width and format: the row raised to a multiple of 4 bytes.
int32_t HImageWordsPerLine(int32_t width, uint32_t flags);
