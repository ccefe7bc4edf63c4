#include "foundation/pictures/h_image.h"

#include <cstring>
#include <new>

namespace {

constexpr int32_t kPaletteEntryBytes = 4;

bool BlockHolds(int32_t handle, int64_t bytes)
{
    HMemBlockInfo info{};
    return HMemGetInfo(handle, info) && info.size >= bytes;
}

bool SizeAllowed(int32_t width, int32_t height)
{
    return width > 0 && height > 0 && width <= kImageMaxSide && height <= kImageMaxSide;
}

int32_t FormatBytes(uint32_t flags)
{
    if (flags & kImageTrueColour)
        return 4;
    if (flags & kImage555)
        return 2;
    if (flags & kImagePalettised)
        return 1;
    return 0;
}

bool PartsAreSound(int32_t nameHandle, int32_t nameLength, int32_t width, int32_t height,
                   int32_t wordsPerLine, uint32_t flags, int32_t paletteCount, int32_t paletteHandle,
                   int32_t pixelHandle)
{
    const int32_t bytes = FormatBytes(flags);
    if (!SizeAllowed(width, height) || bytes == 0 || wordsPerLine % 2 != 0)
        return false;
    if (2 * static_cast<int64_t>(wordsPerLine) < static_cast<int64_t>(width) * bytes)
        return false;
    if (!BlockHolds(pixelHandle, 2 * static_cast<int64_t>(wordsPerLine) * height))
        return false;
    if (paletteCount < 0 || paletteCount > kImageMaxPalette)
        return false;
    if (paletteCount > 0 &&
        !BlockHolds(paletteHandle, static_cast<int64_t>(kPaletteEntryBytes) * paletteCount))
        return false;
    return nameLength >= 0 &&
           (nameLength == 0 || BlockHolds(nameHandle, static_cast<int64_t>(nameLength) + 1));
}

} // namespace

int32_t HImage::BytesPerPixel() const
{
    return FormatBytes(flags_);
}

XAString HImage::GetName() const
{
    if (nameLength_ <= 0)
        return XAString();
    const HMemRef name(name_.GetHandle());
    return name.GetData() ? XAString(name.As<const char>(), nameLength_) : XAString();
}

void HImage::ReleaseHeader(void* payload, intptr_t count)
{
    auto* headers = static_cast<HImage*>(payload);
    for (intptr_t i = count; i-- > 0;)
        headers[i].~HImage();
}

HImageRef HImageFromParts(int32_t nameHandle, int32_t nameLength, int32_t width, int32_t height,
                          int32_t wordsPerLine, uint32_t flags, int32_t paletteCount, int32_t paletteHandle,
                          int32_t pixelHandle)
{
    if (!PartsAreSound(nameHandle, nameLength, width, height, wordsPerLine, flags, paletteCount,
                       paletteHandle, pixelHandle))
        return HImageRef();
    HImageRef ref;
    void* memory = ref.Alloc(sizeof(HImage), 0, &HImage::ReleaseHeader, 1);
    if (!memory)
        return HImageRef();
    auto* image = ::new (memory) HImage;
    image->ownHandle_ = ref.GetHandle();
    if (nameLength > 0) {
        image->name_.AssignFromRef(HMemRef(nameHandle));
        image->nameLength_ = nameLength;
    }
    image->width_ = width;
    image->height_ = height;
    image->wordsPerLine_ = wordsPerLine;
    image->size_ = height * wordsPerLine;
    flags &= ~kImageSmallPalette;
    if ((flags & kImagePalettised) && paletteCount <= kImageSmallPaletteEntries && width <= kImageSmallSide &&
        height <= kImageSmallSide)
        flags |= kImageSmallPalette;
    image->flags_ = flags;
    if (paletteCount > 0) {
        image->paletteCount_ = paletteCount;
        image->palette_.AssignFromRef(HMemRef(paletteHandle));
    }
    image->pixels_.AssignFromRef(HMemRef(pixelHandle));
    return ref;
}

HMemRef HImageNameBlock(const char* name, int32_t& length)
{
    HMemRef block;
    const size_t n = name ? std::strlen(name) : 0;
    length = 0;
    if (n == 0 || n >= static_cast<size_t>(INT32_MAX))
        return block;
    auto* text = static_cast<char*>(block.Alloc(static_cast<int32_t>(n + 1), 0, nullptr, 0));
    if (!text)
        return block;
    std::memcpy(text, name, n + 1);
    length = static_cast<int32_t>(n);
    return block;
}

int32_t HImageWordsPerLine(int32_t width, uint32_t flags)
{
    const int64_t rowBytes = static_cast<int64_t>(width) * FormatBytes(flags);
    return static_cast<int32_t>((rowBytes + 3) / 4 * 2);
}

HImageRef HImageFromData(const char* name, int32_t width, int32_t height, int32_t wordsPerLine,
                         uint32_t flags, int32_t paletteCount, const HImagePaletteEntry* palette,
                         const void* pixels)
{
    if (!SizeAllowed(width, height) || wordsPerLine <= 0 || wordsPerLine > 2 * kImageMaxSide || !pixels ||
        paletteCount < 0 || paletteCount > kImageMaxPalette || (paletteCount > 0 && !palette))
        return HImageRef();
    int32_t nameLength = 0;
    const HMemRef nameBlock = HImageNameBlock(name, nameLength);
    const int32_t pixelBytes = 2 * wordsPerLine * height;
    HMemRef pixelBlock;
    void* pixelCopy = pixelBlock.Alloc(pixelBytes, 0, nullptr, 0);
    if (!pixelCopy)
        return HImageRef();
    std::memcpy(pixelCopy, pixels, static_cast<size_t>(pixelBytes));
    HMemRef paletteBlock;
    if (paletteCount > 0) {
        void* paletteCopy = paletteBlock.Alloc(kPaletteEntryBytes * paletteCount, 0, nullptr, 0);
        if (!paletteCopy)
            return HImageRef();
        std::memcpy(paletteCopy, palette, static_cast<size_t>(kPaletteEntryBytes * paletteCount));
    }
    return HImageFromParts(nameBlock.GetHandle(), nameLength, width, height, wordsPerLine, flags,
                           paletteCount, paletteBlock.GetHandle(), pixelBlock.GetHandle());
}

HImageRef HImage::Create(const char* name, int32_t width, int32_t height, bool clear, bool alpha)
{
    if (!SizeAllowed(width, height))
        return HImageRef();
    const uint32_t flags = kImageTrueColour | (alpha ? kImageAlpha : 0);
    const int32_t wordsPerLine = HImageWordsPerLine(width, flags);
    int32_t nameLength = 0;
    const HMemRef nameBlock = HImageNameBlock(name, nameLength);
    HMemRef pixelBlock;
    void* pixels = pixelBlock.Alloc(2 * wordsPerLine * height, 0, nullptr, 0);
    if (!pixels)
        return HImageRef();
    if (clear)
        std::memset(pixels, 0, static_cast<size_t>(2 * wordsPerLine * height));
    return HImageFromParts(nameBlock.GetHandle(), nameLength, width, height, wordsPerLine, flags, 0,
                           kHMemNoHandle, pixelBlock.GetHandle());
}
