// GUID: the 128-bit identity of a class, an interface, a type library or a category, and its
// registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (upper-case hexadecimal).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct GUID
{
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    std::array<uint8_t, 8> data4{};

    friend constexpr bool operator==(const GUID&, const GUID&) = default;
};

using IID = GUID;
using CLSID = GUID;

inline constexpr GUID GUID_NULL{};

// "{...}" in upper case, as the registry holds it.
std::string FormatGuid(const GUID& guid);
// The registry form in either letter case, with or without the braces; nothing for anything else.
std::optional<GUID> ParseGuid(std::string_view text);
