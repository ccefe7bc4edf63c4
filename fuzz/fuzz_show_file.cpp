// A whole show file from disk: plain prefix, the enciphering layer's framing and the body
// together, opened as the player opens a file (cut shows play what they hold), and the same
// bytes from memory as a download that asks for what it needs.
#include "fuzz/run_folder.h"
#include "fuzz/show_fuzz_support.h"

#include <fstream>
#include <string>

namespace {

const fuzz_support::RunFolder folder;
const std::string path = folder.File("show.zyl");
// Show files the fuzzer makes stay small: the work an input causes grows with its size.
constexpr size_t kMostBytes = 1 << 17;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMostBytes)
        return 0;
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
    LLaserPreviewStream stream;
    if (stream.Open(path.c_str())) {
        show_fuzz::ReadEverything(stream);
        // What the file holds stays readable after reads that failed past its end.
        show_fuzz::ReadEverything(stream);
    } else if (!stream.GetError().Failed()) {
        std::abort();
    }
    const XAString file(std::string_view(reinterpret_cast<const char*>(data), size));
    int32_t needed = 0;
    if (stream.OpenMemory(file, -1, &needed, false))
        show_fuzz::ReadEverything(stream);
    else if (!stream.GetError().Failed() && needed > 0 && needed <= file.Length())
        std::abort();
    return 0;
}
