// A dispatch interface described by a compiled-in table of its members, and the checks every
// Invoke makes before the member runs: the member exists, is asked the way it can be used, gets
// as many arguments as it takes, each converted to its type.
#pragma once

#include "platform/com/dispatch.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

enum class DispatchMemberKind { Property, ReadOnlyProperty, Method };

struct DispatchMember
{
    DISPID id;
    const char* name;
    DispatchMemberKind kind;
    // A property's type, a method's result (Empty: none).
    ZVariantType type;
    // A method's argument types; properties take none.
    std::span<const ZVariantType> parameters = {};
};

// The member named name in any ASCII letter case.
const DispatchMember* FindDispatchMember(std::span<const DispatchMember> table, std::string_view name);
const DispatchMember* FindDispatchMember(std::span<const DispatchMember> table, DISPID id);

// A checked call: the member, how it is asked, and its converted arguments.
struct DispatchCall
{
    const DispatchMember* member = nullptr;
    // kDispatchPropertyGet, kDispatchPropertyPut or kDispatchMethod.
    uint16_t flags = 0;
    std::vector<ZVariant> arguments;
};

// S_OK and call filled, or DISP_E_MEMBERNOTFOUND (no such member, or asked a way it cannot be
// used), DISP_E_BADPARAMCOUNT, or an argument's conversion error.
HRESULT CheckDispatchCall(std::span<const DispatchMember> table, DISPID id, uint16_t flags,
                          std::span<const ZVariant> arguments, DispatchCall& call);
