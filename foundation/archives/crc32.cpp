#include "foundation/archives/crc32.h"

#include <array>

namespace {

constexpr uint32_t kPolynomial = 0xEDB88320u; // 04C11DB7 reflected
constexpr uint32_t kInitial = 0xFFFFFFFFu;
constexpr uint32_t kFinalXor = 0xFFFFFFFFu;

constexpr std::array<uint32_t, 256> MakeTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < table.size(); ++i) {
        uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? (value >> 1) ^ kPolynomial : value >> 1;
        table[i] = value;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kTable = MakeTable();

} // namespace

uint32_t Crc32(const void* bytes, std::ptrdiff_t n) noexcept
{
    if (n <= 0)
        return 0;
    const auto* p = static_cast<const uint8_t*>(bytes);
    uint32_t crc = kInitial;
    for (std::ptrdiff_t i = 0; i < n; ++i)
        crc = kTable[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ kFinalXor;
}
