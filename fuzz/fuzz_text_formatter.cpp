// The formatter and the number writers with formats, widths and values from the input: nothing
// may be written beyond the 256-byte buffer and no text may grow beyond 255 characters.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "foundation/strings/number_text.h"
#include "foundation/strings/text_formatter.h"

namespace {

constexpr size_t kArgBytes = 9; // a kind byte and eight value bytes
constexpr char kGuard = 'G';

const char* const kTexts[] = {nullptr, "", "  padded  ", "abc",
                              "a rather long text that is cut in most fields it is given to"};

FormatArg ArgFrom(const uint8_t* bytes)
{
    uint64_t bits;
    std::memcpy(&bits, bytes + 1, sizeof bits);
    FormatArg arg;
    switch (bytes[0] % 3) {
    case 0:
        arg.kind = FormatArgKind::Integer;
        arg.integer = static_cast<int32_t>(bits);
        break;
    case 1:
        arg.kind = FormatArgKind::Real;
        std::memcpy(&arg.real, &bits, sizeof arg.real);
        break;
    default:
        arg.kind = FormatArgKind::Text;
        arg.text = kTexts[bits % std::size(kTexts)];
        break;
    }
    return arg;
}

void CheckText(const char* buffer)
{
    if (strnlen(buffer, kNumberTextSize) > static_cast<size_t>(kMaxNumberText)) {
        std::abort();
    }
    for (int32_t i = kNumberTextSize; i < 2 * kNumberTextSize; ++i) {
        if (buffer[i] != kGuard) {
            std::abort();
        }
    }
}

template <class T> T ValueFrom(const uint8_t* bytes)
{
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// Every writer with a value and counts taken from the bytes of one argument.
void WriteNumbers(const uint8_t* bytes)
{
    char buffer[2 * kNumberTextSize];
    const auto run = [&buffer](auto write) {
        std::memset(buffer, kGuard, sizeof buffer);
        write(buffer);
        CheckText(buffer);
    };
    const double real = ValueFrom<double>(bytes + 1);
    const float single = ValueFrom<float>(bytes + 1);
    const int32_t integer = ValueFrom<int32_t>(bytes + 1);
    const int32_t n = static_cast<int8_t>(bytes[0]) * 3;
    const int32_t d = static_cast<int8_t>(bytes[5]);
    const int32_t w = static_cast<int16_t>(ValueFrom<uint16_t>(bytes + 6));
    run([&](char* out) { FmtIntRight(out, integer, w); });
    run([&](char* out) { FmtHex(out, static_cast<uint32_t>(integer), n); });
    run([&](char* out) { FmtDoubleFixed(out, real, n, d, w); });
    run([&](char* out) { FmtDoubleFixed(out, real, n, d, 0); });
    run([&](char* out) { FmtFloatFixed(out, single, n, d, w); });
    run([&](char* out) { FmtFloatFixed(out, single, n, d, 0); });
    run([&](char* out) { FmtDoubleExp(out, real, n); });
    run([&](char* out) { FmtFloatExp(out, single, n); });
    run([&](char* out) { FmtDoubleGeneral(out, real); });
    run([&](char* out) { FmtFloatGeneral(out, single); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t* end = data + size;
    const uint8_t* formatEnd = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    const std::vector<char> format(data, formatEnd ? formatEnd : end);
    std::vector<char> terminated(format);
    terminated.push_back(0);

    std::vector<FormatArg> args;
    for (const uint8_t* p = formatEnd ? formatEnd + 1 : end; end - p >= static_cast<ptrdiff_t>(kArgBytes);
         p += kArgBytes) {
        args.push_back(ArgFrom(p));
        WriteNumbers(p);
    }

    char buffer[2 * kFormatBufferSize];
    std::memset(buffer, kGuard, sizeof buffer);
    const size_t start = size % kFormatBufferSize;
    std::memset(buffer, 'p', start);
    buffer[start] = 0;
    FormatCoreV(terminated.data(), buffer, args);
    CheckText(buffer);
    return 0;
}
