#include "foundation/pictures/h_image.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kFixedShift = 16;

// Source index of each target index along one axis: 16.16 steps over `span` source pixels from
// `origin`, wrapped into 0..limit - 1; a mirrored axis runs backwards.
std::vector<int32_t> SourceIndices(int32_t count, bool mirrored, int64_t origin, int64_t span, int32_t limit)
{
    const int64_t step = (span << kFixedShift) / count;
    std::vector<int32_t> indices(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const int32_t target = mirrored ? count - 1 - i : i;
        const int64_t source = origin + ((static_cast<int64_t>(target) * step) >> kFixedShift);
        indices[static_cast<size_t>(i)] = static_cast<int32_t>((source % limit + limit) % limit);
    }
    return indices;
}

} // namespace

HImageRef HImage::Resize(int32_t width, int32_t height) const
{
    return Crop(width, height, 0, 0, width_, height_);
}

HImageRef HImage::Crop(int32_t width, int32_t height, int32_t x, int32_t y, int32_t sourceWidth,
                       int32_t sourceHeight) const
{
    const bool whole = x == 0 && y == 0 && sourceWidth == width_ && sourceHeight == height_;
    if (whole && width == width_ && height == height_)
        return HImageRef(ownHandle_);
    const int32_t targetWidth = std::abs(static_cast<int64_t>(width)) <= kImageMaxSide ? std::abs(width) : 0;
    const int32_t targetHeight =
        std::abs(static_cast<int64_t>(height)) <= kImageMaxSide ? std::abs(height) : 0;
    if (targetWidth == 0 || targetHeight == 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return HImageRef();
    const HMemRef source = LockPixels();
    if (!source.GetData())
        return HImageRef();

    const uint32_t flags = flags_;
    const int32_t bytes = BytesPerPixel();
    const int32_t wordsPerLine = HImageWordsPerLine(targetWidth, flags);
    const int32_t pitch = 2 * wordsPerLine;
    HMemRef target;
    auto* out = static_cast<uint8_t*>(target.Alloc(pitch * targetHeight, 0, nullptr, 0));
    if (!out)
        return HImageRef();
    const std::vector<int32_t> columns = SourceIndices(targetWidth, width < 0, x, sourceWidth, width_);
    const std::vector<int32_t> rows = SourceIndices(targetHeight, height < 0, y, sourceHeight, height_);
    const auto* in = source.As<const uint8_t>();
    for (int32_t r = 0; r < targetHeight; ++r) {
        const uint8_t* sourceRow = in + static_cast<int64_t>(rows[static_cast<size_t>(r)]) * Pitch();
        uint8_t* targetRow = out + static_cast<int64_t>(r) * pitch;
        for (int32_t c = 0; c < targetWidth; ++c)
            std::memcpy(targetRow + c * bytes, sourceRow + columns[static_cast<size_t>(c)] * bytes,
                        static_cast<size_t>(bytes));
        std::memset(targetRow + targetWidth * bytes, 0, static_cast<size_t>(pitch - targetWidth * bytes));
    }
    return HImageFromParts(name_.GetHandle(), nameLength_, targetWidth, targetHeight, wordsPerLine, flags,
                           paletteCount_, palette_.GetHandle(), target.GetHandle());
}
