// Reads a fog noise cache file from hostile bytes: a record is taken only with positive sizes and
// exactly x y z bytes that the input holds (nothing is allocated beyond it); anything else leaves
// the noise empty. What was taken is written and read again unchanged.
#include "foundation/archives/archive_xstring.h"
#include "preview/perlin_noise.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void ReadFrom(LPerlinNoiseUChar& noise, const void* data, size_t size)
{
    LArchiveXString archive;
    if (!archive.OpenReadMemory(data, static_cast<int32_t>(size), false))
        std::abort();
    noise.Read(archive);
    archive.Close();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LPerlinNoiseUChar noise;
    ReadFrom(noise, data, size);
    if (noise.IsEmpty()) {
        if (noise.X() != 0 || noise.Y() != 0 || noise.Z() != 0)
            std::abort();
        return 0;
    }
    if (noise.X() < 1 || noise.Y() < 1 || noise.Z() < 1 || noise.Count() > static_cast<int64_t>(size))
        std::abort();

    LArchiveXString writer;
    if (!writer.OpenWrite(0))
        std::abort();
    noise.Write(writer);
    const XAString written = writer.TakeString();
    writer.Close();
    LPerlinNoiseUChar again;
    ReadFrom(again, written.CStr(), static_cast<size_t>(written.Length()));
    if (again.X() != noise.X() || again.Y() != noise.Y() || again.Z() != noise.Z() ||
        std::memcmp(again.Bytes(), noise.Bytes(), static_cast<size_t>(noise.Count())) != 0)
        std::abort();
    return 0;
}
