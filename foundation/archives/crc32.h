#pragma once
// CRC-32 of ISO-HDLC (reflected polynomial EDB88320, initial value and final XOR FFFFFFFF): the
// checksum of the enciphered stream header, as zlib computes it.

#include <cstddef>
#include <cstdint>

// The CRC of n bytes; 0 when n <= 0.
uint32_t Crc32(const void* bytes, std::ptrdiff_t n) noexcept;
