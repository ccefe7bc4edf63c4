#include "preview/picture_texels.h"

#include "foundation/pictures/h_image.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t kOpaque = 255;

bool CopyRows(const HImage& picture, PictureTexels& out)
{
    const HMemRef pixels = picture.LockPixels();
    const auto* source = static_cast<const uint8_t*>(pixels.GetData());
    if (source == nullptr)
        return false;
    const int32_t w = picture.Width();
    const int32_t h = picture.Height();
    out.contentWidth = w;
    out.contentHeight = h;
    out.bgra.assign(static_cast<size_t>(out.textureWidth) * out.textureHeight * 4, 0);
    for (int32_t row = 0; row < h; ++row) {
        const uint8_t* from = source + static_cast<int64_t>(h - 1 - row) * picture.Pitch();
        uint8_t* to = out.bgra.data() + static_cast<int64_t>(row) * out.textureWidth * 4;
        for (int32_t x = 0; x < w; ++x) {
            std::memcpy(to + 4 * x, from + 4 * x, 3);
            to[4 * x + 3] = kOpaque;
        }
    }
    return true;
}

} // namespace

int64_t PowerOfTwoAtLeast(int64_t n)
{
    int64_t p = 1;
    while (p < n)
        p *= 2;
    return p;
}

bool MakePictureTexels(const HImage& picture, const TextureSizeCheck& accepts, PictureTexels& out)
{
    if (!picture.IsTrueColour() || picture.Width() < 1 || picture.Height() < 1)
        return false;
    const int32_t w = picture.Width();
    const int32_t h = picture.Height();
    int64_t tw = PowerOfTwoAtLeast(w);
    int64_t th = PowerOfTwoAtLeast(h);
    while (!accepts(static_cast<int32_t>(tw), static_cast<int32_t>(th))) {
        if (tw == 1 && th == 1)
            return false;
        (tw >= th ? tw : th) /= 2;
    }
    if (tw >= w && th >= h) {
        out.textureWidth = static_cast<int32_t>(tw);
        out.textureHeight = static_cast<int32_t>(th);
        return CopyRows(picture, out);
    }
    // Scaled as a whole, so the picture keeps its shape inside the smaller texture.
    const double scale = std::min(static_cast<double>(tw) / w, static_cast<double>(th) / h);
    const auto sw = static_cast<int32_t>(std::clamp<double>(w * scale, 1, static_cast<double>(tw)));
    const auto sh = static_cast<int32_t>(std::clamp<double>(h * scale, 1, static_cast<double>(th)));
    const HImageRef smaller = picture.Resize(sw, sh);
    if (smaller.IsEmpty())
        return false;
    out.textureWidth = static_cast<int32_t>(PowerOfTwoAtLeast(sw));
    out.textureHeight = static_cast<int32_t>(PowerOfTwoAtLeast(sh));
    return CopyRows(*smaller, out);
}
