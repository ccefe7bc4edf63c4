// EventPrinter: the container's sink for an object's events; each event becomes one line
// "event Name [argument]..." handed to the writer, named from the object's event interface.
#pragma once

#include "platform/com/dispatch.h"
#include "platform/com/type_info.h"

#include <functional>
#include <string>

class EventPrinter final : public IDispatch
{
  public:
    // events may be null: events are then named by their number.
    EventPrinter(const TypeDescription* events, std::function<void(const std::string&)> write);

    // Owned by the container, which outlives every object it advised it to.
    HRESULT QueryInterface(const IID& iid, void** object) override;
    uint32_t AddRef() override { return ++count_; }
    uint32_t Release() override { return --count_; }
    HRESULT GetTypeInfo(ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(std::string_view, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID id, uint16_t flags, std::span<const ZVariant> arguments, ZVariant* result) override;

    void SetEvents(const TypeDescription* events) { events_ = events; }

  private:
    uint32_t count_ = 0;
    const TypeDescription* events_;
    std::function<void(const std::string&)> write_;
};
