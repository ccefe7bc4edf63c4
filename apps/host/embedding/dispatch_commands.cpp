#include "apps/host/embedding/dispatch_commands.h"

#include "apps/host/embedding/server_library.h"

#include <vector>

namespace {

std::string ErrorLine(HRESULT result, const std::string& what)
{
    return "error " + FormatHresult(result) + " " + what;
}

std::string OkLine(const ZVariant& value)
{
    const std::string text = ZVariantDisplayText(value);
    return value.Type() == ZVariantType::Empty ? "ok" : "ok " + text;
}

uint16_t FlagsOf(HostCommandKind kind)
{
    switch (kind) {
    case HostCommandKind::Get:
        return kDispatchPropertyGet;
    case HostCommandKind::Set:
        return kDispatchPropertyPut;
    default:
        return kDispatchMethod;
    }
}

} // namespace

std::string RunDispatchCommand(IDispatch& object, const HostCommand& command)
{
    DISPID id = 0;
    HRESULT result = object.GetIDsOfNames(command.name, &id);
    if (Failed(result)) {
        return ErrorLine(result, "unknown name " + command.name);
    }
    std::vector<ZVariant> arguments;
    if (command.hasValue || command.kind == HostCommandKind::Set) {
        arguments.push_back(ZVariant::FromText(command.value));
    }
    ZVariant value;
    result = object.Invoke(id, FlagsOf(command.kind), arguments, &value);
    if (Failed(result)) {
        return ErrorLine(result, command.name);
    }
    return command.kind == HostCommandKind::Set ? "ok" : OkLine(value);
}
