#include "apps/host/embedding/embedded_object.h"

#include "apps/host/embedding/object_types.h"
#include "apps/host/embedding/server_library.h"

namespace {

bool Fail(HRESULT result, const char* step, std::string& error)
{
    if (Succeeded(result)) {
        return false;
    }
    error = std::string(step) + " failed: " + FormatHresult(result);
    return true;
}

} // namespace

HRESULT EmbeddedObject::Embed(IClassFactory& factory, IOleClientSite& site, EventPrinter* printer, IPropertyBag& params,
                              const ComRect& place, std::string& error)
{
    Unembed();
    HRESULT result = factory.CreateInstance(nullptr, IOleObject::kIid, object_.Receive());
    if (Fail(result, "CreateInstance", error)) {
        return result;
    }
    dispatch_ = QueryAs<IDispatch>(object_.Get());
    uint32_t status = 0;
    result = object_->GetMiscStatus(&status);
    if (Fail(result, "GetMiscStatus", error)) {
        Unembed();
        return result;
    }
    const bool siteFirst = (status & OLEMISC_SETCLIENTSITEFIRST) != 0;
    if (siteFirst) {
        result = object_->SetClientSite(&site);
        if (Fail(result, "SetClientSite", error)) {
            Unembed();
            return result;
        }
    }
    if (printer != nullptr) {
        AdviseEvents(*printer);
    }
    ComPtr<IPersistPropertyBag> persist = QueryAs<IPersistPropertyBag>(object_.Get());
    result = persist ? persist->Load(&params) : S_OK;
    if (Fail(result, "Load", error)) {
        Unembed();
        return result;
    }
    if (!siteFirst) {
        result = object_->SetClientSite(&site);
        if (Fail(result, "SetClientSite", error)) {
            Unembed();
            return result;
        }
    }
    result = object_->DoVerb(OLEIVERB_INPLACEACTIVATE);
    if (Fail(result, "DoVerb", error)) {
        Unembed();
        return result;
    }
    object_->SetObjectRects(place);
    return S_OK;
}

void EmbeddedObject::AdviseEvents(EventPrinter& printer)
{
    printer.SetEvents(ClassInterfaceOf(object_.Get(), 1));
    ComPtr<IConnectionPointContainer> points = QueryAs<IConnectionPointContainer>(object_.Get());
    if (!points) {
        return;
    }
    auto** point = reinterpret_cast<IConnectionPoint**>(events_.Receive());
    if (Failed(points->FindConnectionPoint(EventInterfaceOf(object_.Get()), point)) || !events_ ||
        Failed(events_->Advise(&printer, &cookie_))) {
        events_.Reset();
    }
}

void EmbeddedObject::Unembed()
{
    if (events_) {
        events_->Unadvise(cookie_);
        events_.Reset();
    }
    cookie_ = 0;
    if (object_) {
        object_->Close();
        object_->SetClientSite(nullptr);
    }
    dispatch_.Reset();
    object_.Reset();
}
