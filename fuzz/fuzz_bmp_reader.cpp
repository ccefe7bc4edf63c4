// The BMP reader on any bytes, with and without true colour and alpha; what it reads must also
// convert, and what it writes must read back to the same picture.
#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/h_image.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Larger pictures are only read: writing and reading them back would slow every input down.
constexpr int64_t kMostRoundTripPixels = 1 << 20;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// The pixels of each row, without the padding at the row's end.
bool SamePixels(const HImage& a, const HImage& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height() ||
        (a.Flags() & ~kImageSmallPalette) != (b.Flags() & ~kImageSmallPalette))
        return false;
    const HMemRef pa = a.LockPixels();
    const HMemRef pb = b.LockPixels();
    const int64_t rowBytes = static_cast<int64_t>(a.Width()) * a.BytesPerPixel();
    for (int32_t r = 0; r < a.Height(); ++r) {
        if (std::memcmp(pa.As<const uint8_t>() + int64_t{r} * a.Pitch(),
                        pb.As<const uint8_t>() + int64_t{r} * b.Pitch(), static_cast<size_t>(rowBytes)) != 0)
            return false;
    }
    return true;
}

bool SamePalette(const HImage& a, const HImage& b)
{
    const HMemRef pa = a.LockPalette();
    const HMemRef pb = b.LockPalette();
    Check(b.PaletteCount() >= a.PaletteCount());
    return a.PaletteCount() == 0 ||
           std::memcmp(pa.GetData(), pb.GetData(), 4 * static_cast<size_t>(a.PaletteCount())) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (const bool trueColour : {false, true}) {
        LArchiveXString archive;
        archive.OpenReadMemory(data, static_cast<int32_t>(size), false);
        HImageRef image;
        if (!HImage::ReadBmp(image, archive, "fuzz", trueColour, trueColour))
            continue;
        Check(image->Width() > 0 && image->Height() > 0);
        const HImageRef converted = image->Convert();
        const HImageRef& written =
            image->IsTrueColour() || (image->Flags() & kImagePalettised) ? image : converted;
        if (written.IsEmpty() ||
            static_cast<int64_t>(written->Width()) * written->Height() > kMostRoundTripPixels)
            continue;
        LArchiveXString writer;
        writer.OpenWrite(1024);
        Check(image->WriteBmp(writer));
        const XAString file = writer.TakeString();
        LArchiveXString reader;
        reader.OpenRead(file, -1);
        HImageRef back;
        const bool alpha = (written->Flags() & kImageAlpha) != 0;
        Check(HImage::ReadBmp(back, reader, "fuzz", true, alpha));
        Check(SamePixels(*written, *back));
        Check(SamePalette(*written, *back));
    }
    return 0;
}
