// A show whose deciphered body is the input: the header and index parsers, frame records and
// sound chunks. A failed open that asks for more bytes must ask for more than it had (an index
// tag it does not know fails without asking and without a message).
#include "fuzz/show_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const XAString file = show_fuzz::ShowAround(data, size);
    LLaserPreviewStream stream;
    if (stream.OpenMemory(file, -1, nullptr, true))
        show_fuzz::ReadEverything(stream);
    int32_t needed = 0;
    if (stream.OpenMemory(file, -1, &needed, false)) {
        show_fuzz::ReadEverything(stream);
    } else if (!stream.GetError().Failed() && needed > 0 && needed <= file.Length()) {
        std::abort();
    }
    return 0;
}
