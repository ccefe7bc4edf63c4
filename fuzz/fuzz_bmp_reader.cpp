// The BMP reader on any bytes, with and without true colour and alpha; what it reads must also
// convert and write.
#include "archive_xstring.h"
#include "h_image.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (const bool trueColour : {false, true}) {
        LArchiveXString archive;
        archive.OpenReadMemory(data, static_cast<int32_t>(size), false);
        HImageRef image;
        if (!HImage::ReadBmp(image, archive, "fuzz", trueColour, trueColour))
            continue;
        if (image->Width() <= 0 || image->Height() <= 0)
            std::abort();
        const HImageRef converted = image->Convert();
        LArchiveXString writer;
        writer.OpenWrite(1024);
        if (!image->WriteBmp(writer))
            std::abort();
    }
    return 0;
}
