#include "platform/com/connection_point.h"

HRESULT ConnectionPoint::QueryInterface(const IID& iid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IUnknown::kIid || iid == IConnectionPoint::kIid) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid)
{
    if (iid == nullptr) {
        return E_POINTER;
    }
    *iid = events_;
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, uint32_t* cookie)
{
    if (sink == nullptr || cookie == nullptr) {
        return E_POINTER;
    }
    ComPtr<IDispatch> dispatch = QueryAs<IDispatch>(sink);
    if (!dispatch) {
        return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = nextCookie_++;
    sinks_.emplace_back(*cookie, std::move(dispatch));
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(uint32_t cookie)
{
    for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
        if (it->first == cookie) {
            sinks_.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

void ConnectionPoint::Fire(DISPID id, std::span<const ZVariant> arguments)
{
    if (sinks_.empty()) {
        return;
    }
    ComPtr<IUnknown> keepOwner(&owner_);
    const auto sinks = sinks_;
    for (const auto& [cookie, sink] : sinks) {
        sink->Invoke(id, kDispatchMethod, arguments, nullptr);
    }
}
