// A background picture record as a show or parameter file holds it: read, then decoded.
#include "foundation/archives/archive_xstring.h"
#include "show/l_laser_preview_bitmap.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LArchiveXString archive;
    archive.OpenReadMemory(data, static_cast<int32_t>(size), false);
    LLaserPreviewBitmap bitmap;
    bitmap.Read(archive);
    const HImageRef& picture = bitmap.Decode();
    if (!picture.IsEmpty() && !picture->IsTrueColour())
        std::abort();
    return 0;
}
