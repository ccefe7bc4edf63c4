// A show file arriving in pieces: opened at the lengths it asks for, then continued as the
// buffer grows by a step the first byte chooses. Every answer must make progress.
#include "fuzz/show_fuzz_support.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int32_t step = 64 + data[0] * 64;
    const XAString file(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    LLaserPreviewStream stream;
    int32_t length = 0;
    for (;;) {
        int32_t needed = 0;
        if (stream.OpenMemory(file, length, &needed, false))
            break;
        if (stream.GetError().Failed() || needed == 0 || length == file.Length())
            return 0;
        if (needed <= length)
            std::abort();
        length = std::min(needed, file.Length());
    }
    for (;;) {
        show_fuzz::ReadEverything(stream);
        if (length == file.Length())
            break;
        length = std::min(length + step, file.Length());
        if (!stream.ContinueFromMemory(file, length, length == file.Length()))
            return 0;
    }
    return 0;
}
