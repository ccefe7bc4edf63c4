#include "platform/com/dispatch_table.h"

#include "platform/com/ascii_case.h"

namespace {

// Which single way of asking the flags mean for this member: scripts often ask for a method or a
// property at once and let the member decide.
uint16_t ResolveFlags(const DispatchMember& member, uint16_t flags, size_t argumentCount)
{
    if (member.kind == DispatchMemberKind::Method) {
        return (flags & kDispatchMethod) != 0 ? kDispatchMethod : 0;
    }
    if ((flags & kDispatchPropertyPut) != 0) {
        return member.kind == DispatchMemberKind::Property ? kDispatchPropertyPut : 0;
    }
    if ((flags & (kDispatchPropertyGet | kDispatchMethod)) != 0 && argumentCount == 0) {
        return kDispatchPropertyGet;
    }
    return 0;
}

} // namespace

const DispatchMember* FindDispatchMember(std::span<const DispatchMember> table, std::string_view name)
{
    for (const DispatchMember& member : table) {
        if (EqualsIgnoringAsciiCase(member.name, name)) {
            return &member;
        }
    }
    return nullptr;
}

const DispatchMember* FindDispatchMember(std::span<const DispatchMember> table, DISPID id)
{
    for (const DispatchMember& member : table) {
        if (member.id == id) {
            return &member;
        }
    }
    return nullptr;
}

HRESULT CheckDispatchCall(std::span<const DispatchMember> table, DISPID id, uint16_t flags,
                          std::span<const ZVariant> arguments, DispatchCall& call)
{
    const DispatchMember* member = FindDispatchMember(table, id);
    if (member == nullptr) {
        return DISP_E_MEMBERNOTFOUND;
    }
    const uint16_t resolved = ResolveFlags(*member, flags, arguments.size());
    if (resolved == 0) {
        return DISP_E_MEMBERNOTFOUND;
    }
    std::vector<ZVariantType> types;
    if (resolved == kDispatchPropertyPut) {
        types.push_back(member->type);
    } else if (resolved == kDispatchMethod) {
        types.assign(member->parameters.begin(), member->parameters.end());
    }
    if (arguments.size() != types.size()) {
        return DISP_E_BADPARAMCOUNT;
    }
    std::vector<ZVariant> converted(arguments.size());
    for (size_t i = 0; i < arguments.size(); ++i) {
        const HRESULT result = arguments[i].ChangeType(types[i], converted[i]);
        if (Failed(result)) {
            return result;
        }
    }
    call.member = member;
    call.flags = resolved;
    call.arguments = std::move(converted);
    return S_OK;
}
