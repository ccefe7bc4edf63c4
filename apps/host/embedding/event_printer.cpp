#include "apps/host/embedding/event_printer.h"

EventPrinter::EventPrinter(const TypeDescription* events, std::function<void(const std::string&)> write)
    : events_(events), write_(std::move(write))
{
}

HRESULT EventPrinter::QueryInterface(const IID& iid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IUnknown::kIid || iid == IDispatch::kIid || (events_ != nullptr && iid == events_->guid)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT EventPrinter::Invoke(DISPID id, uint16_t, std::span<const ZVariant> arguments, ZVariant*)
{
    const DispatchMember* member = events_ != nullptr ? FindDispatchMember(events_->members, id) : nullptr;
    std::string line = "event " + (member != nullptr ? std::string(member->name) : std::to_string(id));
    for (const ZVariant& argument : arguments) {
        line += " " + ZVariantDisplayText(argument);
    }
    write_(line);
    return S_OK;
}
