#include "platform/com/guid.h"

#include <cstdio>

namespace {

constexpr size_t kBareLength = 36;
// Where the dashes stand in the bare form.
constexpr std::array<size_t, 4> kDashes{8, 13, 18, 23};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The next count hexadecimal digits of text from at, or nothing when one is not a digit.
std::optional<uint32_t> ReadHex(std::string_view text, size_t& at, size_t count)
{
    uint32_t value = 0;
    for (size_t i = 0; i < count; ++i, ++at) {
        const int digit = HexDigit(text[at]);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return value;
}

} // namespace

std::string FormatGuid(const GUID& guid)
{
    char text[kBareLength + 3];
    std::snprintf(text, sizeof(text), "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.data1, guid.data2,
                  guid.data3, guid.data4[0], guid.data4[1], guid.data4[2], guid.data4[3], guid.data4[4],
                  guid.data4[5], guid.data4[6], guid.data4[7]);
    return text;
}

std::optional<GUID> ParseGuid(std::string_view text)
{
    if (text.size() == kBareLength + 2 && text.front() == '{' && text.back() == '}') {
        text = text.substr(1, kBareLength);
    }
    if (text.size() != kBareLength) {
        return std::nullopt;
    }
    for (size_t dash : kDashes) {
        if (text[dash] != '-') {
            return std::nullopt;
        }
    }
    GUID guid;
    size_t at = 0;
    const auto data1 = ReadHex(text, at, 8);
    ++at;
    const auto data2 = ReadHex(text, at, 4);
    ++at;
    const auto data3 = ReadHex(text, at, 4);
    ++at;
    if (!data1 || !data2 || !data3) {
        return std::nullopt;
    }
    guid.data1 = *data1;
    guid.data2 = static_cast<uint16_t>(*data2);
    guid.data3 = static_cast<uint16_t>(*data3);
    for (size_t i = 0; i < guid.data4.size(); ++i) {
        if (at == kDashes[3]) {
            ++at;
        }
        const auto byte = ReadHex(text, at, 2);
        if (!byte) {
            return std::nullopt;
        }
        guid.data4[i] = static_cast<uint8_t>(*byte);
    }
    return guid;
}
