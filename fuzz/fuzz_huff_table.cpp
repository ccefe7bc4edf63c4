// A serialised Huffman table followed by symbols coded with it: reading the table and
// decoding must neither crash nor allocate without bound.
#include "archive_xstring.h"
#include "bit_archive.h"
#include "huff_table.h"

#include <cstddef>
#include <cstdint>

namespace {
constexpr int kMostSymbols = 1 << 16;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LArchiveXString archive;
    if (!archive.OpenReadMemory(data, static_cast<int32_t>(size), false))
        return 0;
    LBitLArchive bits(&archive);
    LHuffTable table;
    if (!table.Read(bits))
        return 0;
    for (int i = 0; i < kMostSymbols; ++i) {
        int32_t symbol = 0;
        if (!table.Decode(symbol, bits))
            break;
        if (symbol < table.Min() || symbol > table.Max())
            __builtin_trap();
    }
    return 0;
}
