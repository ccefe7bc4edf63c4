#include "platform/settings_value.h"

namespace {
constexpr int kBitsPerByte = 8;
}

std::vector<uint8_t> EncodeSettingsDword(uint32_t value)
{
    std::vector<uint8_t> data(kSettingsDwordBytes);
    for (size_t i = 0; i < kSettingsDwordBytes; ++i) {
        data[i] = static_cast<uint8_t>(value >> (i * kBitsPerByte));
    }
    return data;
}

std::optional<uint32_t> DecodeSettingsDword(std::span<const uint8_t> data)
{
    if (data.size() != kSettingsDwordBytes) {
        return std::nullopt;
    }
    uint32_t value = 0;
    for (size_t i = 0; i < kSettingsDwordBytes; ++i) {
        value |= static_cast<uint32_t>(data[i]) << (i * kBitsPerByte);
    }
    return value;
}

std::vector<uint8_t> EncodeSettingsString(std::string_view text)
{
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return data;
}
