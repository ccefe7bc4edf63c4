#include "foundation/archives/crc32.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace {
// zlib takes its lengths as unsigned int.
constexpr std::ptrdiff_t kLargestStep = std::numeric_limits<uInt>::max();
} // namespace

// zlib's CRC-32 is this very checksum, computed many bytes at a time.
uint32_t Crc32(const void* bytes, std::ptrdiff_t n) noexcept
{
    if (n <= 0)
        return 0;
    const auto* p = static_cast<const Bytef*>(bytes);
    uLong crc = crc32(0L, Z_NULL, 0);
    while (n > 0) {
        const std::ptrdiff_t step = std::min(n, kLargestStep);
        crc = crc32(crc, p, static_cast<uInt>(step));
        p += step;
        n -= step;
    }
    return static_cast<uint32_t>(crc);
}
