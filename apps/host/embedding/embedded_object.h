// One object embedded in the container: made through its class object and brought to life in
// the order controls expect (status, site, events, PARAMs, in-place activation), and taken down
// in the reverse order.
#pragma once

#include "apps/host/embedding/event_printer.h"
#include "platform/com/class_factory.h"
#include "platform/com/connection_point.h"
#include "platform/com/ole_object.h"
#include "platform/com/property_bag.h"

#include <string>

class EmbeddedObject
{
  public:
    EmbeddedObject() = default;
    ~EmbeddedObject() { Unembed(); }
    EmbeddedObject(const EmbeddedObject&) = delete;
    EmbeddedObject& operator=(const EmbeddedObject&) = delete;

    // CreateInstance, GetMiscStatus, SetClientSite (after Load when the object does not ask for
    // its site first), Advise of printer to the object's events (when it has any; the printer
    // learns their names first), Load of params, the in-place activation verb, then the object's
    // place. A failure unembeds what was done and names the step in error.
    HRESULT Embed(IClassFactory& factory, IOleClientSite& site, EventPrinter* printer, IPropertyBag& params,
                  const ComRect& place, std::string& error);
    // Unadvise, Close, the site let go, the references dropped.
    void Unembed();

    IOleObject* Object() const { return object_.Get(); }
    IDispatch* Dispatch() const { return dispatch_.Get(); }

  private:
    // An object without events, or refusing the sink, is embedded all the same.
    void AdviseEvents(EventPrinter& printer);

    ComPtr<IOleObject> object_;
    ComPtr<IDispatch> dispatch_;
    ComPtr<IConnectionPoint> events_;
    uint32_t cookie_ = 0;
};
