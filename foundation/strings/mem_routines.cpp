#include "foundation/strings/internal/mem_routines.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t kAllocUnit = 4;

} // namespace

int32_t StrLen(const char* text) noexcept
{
    if (!text)
        return 0;
    const std::size_t length = std::strlen(text);
    return length > INT32_MAX ? INT32_MAX : static_cast<int32_t>(length);
}

void MemMove(const void* source, std::ptrdiff_t count, void* destination) noexcept
{
    if (count > 0)
        std::memmove(destination, source, static_cast<std::size_t>(count));
}

void MemSet(int value, std::ptrdiff_t count, void* destination) noexcept
{
    if (count > 0)
        std::memset(destination, value & 0xff, static_cast<std::size_t>(count));
}

bool MemCompare(const void* a, std::ptrdiff_t count, const void* b) noexcept
{
    return count <= 0 || std::memcmp(a, b, static_cast<std::size_t>(count)) == 0;
}

void* AllocRounded(std::size_t size) noexcept
{
    if (size > SIZE_MAX - kAllocUnit)
        return nullptr;
    const std::size_t rounded = (size + kAllocUnit - 1) / kAllocUnit * kAllocUnit;
    return std::malloc(rounded == 0 ? kAllocUnit : rounded);
}
