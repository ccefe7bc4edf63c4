// The converter over a show whose deciphered body is the input. Whatever happens, a failed
// conversion leaves the output as it was and no temporary file behind.
#include "fuzz/run_folder.h"
#include "fuzz/show_fuzz_support.h"
#include "show/show_file_converter.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const fuzz_support::RunFolder folder;

constexpr const char* kOldOutput = "old output";
constexpr int32_t kQualities[] = {60, 70, 80};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = folder.Path() + "/in.zyl";
    const std::string output = folder.Path() + "/out.zyl";
    const XAString file = show_fuzz::ShowAround(data, size);
    std::ofstream(input, std::ios::binary | std::ios::trunc).write(file.CStr(), file.Length());
    std::ofstream(output, std::ios::binary | std::ios::trunc) << kOldOutput;

    ShowConvertOptions options;
    options.inputPath = input.c_str();
    options.outputPath = output.c_str();
    options.startValue = [] { return show_fuzz::kStartValue; };
    // The codec's histograms grow with the quality (16 million colour symbols at 100); the
    // qualities with small tables reach the same paths in a fraction of the time.
    options.quality = kQualities[size % std::size(kQualities)];
    const CError error = ShowFileConverter(options);
    if (error.Failed() && LoadFileToString(output.c_str()) != kOldOutput)
        std::abort();
    int32_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++files;
    if (files != 2)
        std::abort();
    return 0;
}
