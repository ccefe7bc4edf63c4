// The JPEG reader on any bytes from an archive, at full size and scaled to fit 64 x 64.
#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/jpeg_reader.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LJPegReader reader;
    for (const int32_t most : {64, INT32_MAX}) {
        LArchiveXString archive;
        archive.OpenReadMemory(data, static_cast<int32_t>(size), false);
        HImageRef image;
        const CError status = reader.Read(nullptr, &archive, most, most, image);
        if (status.Failed() != image.IsEmpty())
            std::abort();
    }
    return 0;
}
