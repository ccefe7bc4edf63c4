// The PNG reader on any bytes from an archive, keeping and compositing alpha.
#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/png_reader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (const bool keepAlpha : {false, true}) {
        LArchiveXString archive;
        archive.OpenReadMemory(data, static_cast<int32_t>(size), false);
        HImageRef image;
        const CError status = LPngReader(keepAlpha).Read(nullptr, &archive, image);
        if (status.Failed() != image.IsEmpty() || (!image.IsEmpty() && image->Pitch() != 4 * image->Width()))
            std::abort();
    }
    return 0;
}
