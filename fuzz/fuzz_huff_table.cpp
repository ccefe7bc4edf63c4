// A serialised Huffman table followed by symbols coded with it: reading the table and decoding
// must neither crash nor allocate without bound; the bit-by-bit and the look-ahead decoders
// must agree, and what a read table encodes must decode to the same symbols.
#include "foundation/archives/archive_xstring.h"
#include "foundation/archives/bit_archive.h"
#include "foundation/archives/huff_table.h"
#include "fuzz/memory_bits.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {
constexpr int kMostSymbols = 1 << 16;

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LArchiveXString archive;
    LArchiveXString twin;
    if (!archive.OpenReadMemory(data, static_cast<int32_t>(size), false) ||
        !twin.OpenReadMemory(data, static_cast<int32_t>(size), false))
        return 0;
    LBitLArchive bits(&archive);
    LBitLArchive twinBits(&twin);
    LHuffTable table;
    LHuffTable twinTable;
    const bool read = table.Read(bits);
    Check(twinTable.Read(twinBits) == read);
    if (!read)
        return 0;
    std::vector<int32_t> symbols;
    for (int i = 0; i < kMostSymbols; ++i) {
        int32_t symbol = 0;
        int32_t slow = 0;
        const bool decoded = table.Decode(symbol, bits);
        const bool slowDecoded = twinTable.Decode(slow, static_cast<LBitArchive&>(twinBits));
        Check(decoded == slowDecoded && symbol == slow && bits.BitPosition() == twinBits.BitPosition());
        if (!decoded)
            break;
        if (symbol < table.Min() || symbol > table.Max())
            __builtin_trap();
        symbols.push_back(symbol);
    }
    if (!table.PrepareEncode())
        return 0;
    MemoryBits coded;
    for (const int32_t symbol : symbols)
        Check(table.Encode(symbol, coded));
    coded.Flush();
    for (const int32_t symbol : symbols) {
        int32_t back = 0;
        Check(table.Decode(back, coded) && back == symbol);
    }
    return 0;
}
