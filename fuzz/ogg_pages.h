#pragma once
// Ogg pages in fuzz input get their checksums set afresh, so that a mutation reaches the decoder
// instead of failing the framing.

#include <ogg/ogg.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace ogg_fuzz {

constexpr size_t kPageHeaderBytes = 27;
constexpr size_t kSegmentCountOffset = 26;

// The bytes with every whole page found in them sealed by its checksum.
inline std::vector<uint8_t> WithFreshChecksums(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(data, data + size);
    for (size_t at = 0; at + kPageHeaderBytes <= size;) {
        uint8_t* header = bytes.data() + at;
        const size_t segments = header[kSegmentCountOffset];
        if (std::memcmp(header, "OggS", 4) != 0 || at + kPageHeaderBytes + segments > size) {
            ++at;
            continue;
        }
        size_t body = 0;
        for (size_t i = 0; i < segments; ++i)
            body += header[kPageHeaderBytes + i];
        const size_t headerBytes = kPageHeaderBytes + segments;
        if (at + headerBytes + body > size) {
            ++at;
            continue;
        }
        ogg_page page{header, static_cast<long>(headerBytes), header + headerBytes, static_cast<long>(body)};
        ogg_page_checksum_set(&page);
        at += headerBytes + body;
    }
    return bytes;
}

} // namespace ogg_fuzz
