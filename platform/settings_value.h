// Typed values of the settings store and the byte forms of the types the program writes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// The type numbers are stored with every value, so they never change.
enum class SettingsValueType : int32_t {
    String = 1, // the text followed by one zero byte
    Binary = 3,
    Dword = 4,  // 4 bytes, least significant first
    Qword = 11, // 8 bytes, least significant first
};

struct SettingsValue
{
    SettingsValueType type;
    std::vector<uint8_t> data;
};

constexpr size_t kSettingsDwordBytes = 4;

std::vector<uint8_t> EncodeSettingsDword(uint32_t value);
// The number held by exactly 4 bytes; nothing for any other length.
std::optional<uint32_t> DecodeSettingsDword(std::span<const uint8_t> data);
std::vector<uint8_t> EncodeSettingsString(std::string_view text);
