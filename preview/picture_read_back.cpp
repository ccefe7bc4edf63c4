#include "preview/picture_read_back.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kPictureName = "Beamvista";
constexpr size_t kSentinelBytes = 2 * sizeof(uint32_t);

void PlaceSentinels(uint8_t* target, size_t bytes)
{
    if (bytes < kSentinelBytes)
        return;
    const uint32_t sentinels[2] = {kReadBackSentinel1, kReadBackSentinel2};
    std::memcpy(target, sentinels, kSentinelBytes);
}

bool SentinelsUntouched(const uint8_t* target)
{
    uint32_t words[2];
    std::memcpy(words, target, kSentinelBytes);
    return words[0] == kReadBackSentinel1 && words[1] == kReadBackSentinel2;
}

// Renders and reads one picture. A strip that fails is read again at half the height, and later
// strips keep the lower height; at height 0 the read has failed.
HImageRef RenderAndRead(LPictureSource& source, int32_t width, int32_t height)
{
    HImageRef image = HImage::Create(kPictureName, width, height, false, false);
    if (image.IsEmpty())
        return image;
    source.Render();
    const HMemRef pixels = image->LockPixels();
    auto* base = static_cast<uint8_t*>(pixels.GetData());
    const size_t pitch = static_cast<size_t>(image->Pitch());
    int32_t stripRows = kReadBackFirstStripRows;
    for (int32_t row = 0; row < height;) {
        const int32_t rows = std::min(stripRows, height - row);
        uint8_t* target = base + static_cast<size_t>(row) * pitch;
        PlaceSentinels(target, static_cast<size_t>(rows) * pitch);
        const bool read = source.ReadRows(row, width, rows, target);
        if (!read || (rows >= kReadBackSentinelRows && SentinelsUntouched(target))) {
            stripRows = rows / 2;
            if (stripRows == 0)
                return HImageRef();
            continue;
        }
        row += rows;
    }
    return image;
}

bool SamePixels(const HImage& a, const HImage& b)
{
    const HMemRef first = a.LockPixels();
    const HMemRef second = b.LockPixels();
    const size_t bytes = static_cast<size_t>(a.Pitch()) * static_cast<size_t>(a.Height());
    return std::memcmp(first.GetData(), second.GetData(), bytes) == 0;
}

} // namespace

HImageRef ReadBackPicture(LPictureSource& source, int32_t width, int32_t height, bool topRowFirst)
{
    HImageRef picture;
    for (int32_t attempt = 1; attempt <= kReadBackAttempts; ++attempt) {
        picture = RenderAndRead(source, width, height);
        if (picture.IsEmpty())
            return picture;
        const HImageRef second = RenderAndRead(source, width, height);
        if (second.IsEmpty())
            return second;
        if (SamePixels(*picture, *second))
            break;
    }
    if (topRowFirst)
        return picture->Resize(width, -height);
    return picture;
}
