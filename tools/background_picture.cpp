#include "tools/background_picture.h"

#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/h_image.h"

#include <cmath>

namespace {

constexpr int32_t kBytesPerPixel = 4;
constexpr double kRingsPerPicture = 6.0;
constexpr int32_t kFull = 255;

} // namespace

XAString MakeBackgroundBmp(uint32_t seed, int32_t width, int32_t height)
{
    HImageRef image = HImage::Create("background.bmp", width, height, true, false);
    if (image.IsEmpty())
        return XAString();
    HMemRef pixels = image->LockPixels();
    auto* rows = static_cast<uint8_t*>(pixels.GetData());
    const double tint = (seed % 7) / 7.0;
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* pixel = rows + static_cast<int64_t>(y) * image->Pitch();
        for (int32_t x = 0; x < width; ++x, pixel += kBytesPerPixel) {
            const double dx = (x - width / 2.0) / width;
            const double dy = (y - height / 2.0) / height;
            const double ring =
                0.5 + 0.5 * std::cos(std::sqrt(dx * dx + dy * dy) * kRingsPerPicture * 6.2832);
            pixel[0] = static_cast<uint8_t>(kFull * ring * tint);
            pixel[1] = static_cast<uint8_t>(kFull * y / std::max(height - 1, 1));
            pixel[2] = static_cast<uint8_t>(kFull * x / std::max(width - 1, 1) * ring);
        }
    }
    LArchiveXString writer;
    writer.OpenWrite(0);
    if (!image->WriteBmp(writer))
        return XAString();
    return writer.TakeString();
}
