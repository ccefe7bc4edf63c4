#include "foundation/pictures/h_image.h"

#include <cstring>

namespace {

constexpr int kTrueColourBytes = 4;

void PalettisedRow(const uint8_t* in, int32_t width, const HImagePaletteEntry* palette, int32_t count,
                   uint8_t* out)
{
    for (int32_t i = 0; i < width; ++i, out += kTrueColourBytes) {
        const HImagePaletteEntry entry = in[i] < count ? palette[in[i]] : HImagePaletteEntry{};
        out[0] = entry.blue;
        out[1] = entry.green;
        out[2] = entry.red;
        out[3] = 0;
    }
}

// Each 5-bit component c becomes c x 8.
void Row555(const uint8_t* in, int32_t width, uint8_t* out)
{
    for (int32_t i = 0; i < width; ++i, out += kTrueColourBytes) {
        const uint16_t p = static_cast<uint16_t>(in[2 * i] | in[2 * i + 1] << 8);
        out[0] = static_cast<uint8_t>((p & 0x1F) << 3);
        out[1] = static_cast<uint8_t>(((p >> 5) & 0x1F) << 3);
        out[2] = static_cast<uint8_t>(((p >> 10) & 0x1F) << 3);
        out[3] = 0;
    }
}

} // namespace

HImageRef HImage::Convert() const
{
    if (IsTrueColour())
        return HImageRef(ownHandle_);
    const HMemRef source = LockPixels();
    const HMemRef palette = LockPalette();
    if (!source.GetData())
        return HImageRef();
    const int32_t wordsPerLine = HImageWordsPerLine(width_, kImageTrueColour);
    const int32_t pitch = 2 * wordsPerLine;
    HMemRef target;
    auto* out = static_cast<uint8_t*>(target.Alloc(pitch * height_, 0, nullptr, 0));
    if (!out)
        return HImageRef();
    const auto* in = source.As<const uint8_t>();
    const int32_t entries = palette.GetData() ? paletteCount_ : 0;
    for (int32_t r = 0; r < height_; ++r) {
        const uint8_t* row = in + static_cast<int64_t>(r) * Pitch();
        uint8_t* converted = out + static_cast<int64_t>(r) * pitch;
        if (flags_ & kImage555)
            Row555(row, width_, converted);
        else
            PalettisedRow(row, width_, palette.As<const HImagePaletteEntry>(), entries, converted);
    }
    const XAString name = GetName();
    int32_t nameLength = 0;
    const HMemRef nameBlock = HImageNameBlock(name.CStr(), nameLength);
    return HImageFromParts(nameBlock.GetHandle(), nameLength, width_, height_, wordsPerLine, kImageTrueColour,
                           0, kHMemNoHandle, target.GetHandle());
}
