#include "apps/host/wx/host_site.h"

HRESULT HostSite::QueryInterface(const IID& iid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IUnknown::kIid || iid == IOleClientSite::kIid) {
        *object = static_cast<IOleClientSite*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT HostSite::GetWindow(void** window)
{
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = window_;
    return S_OK;
}

HRESULT HostSite::GetPageUrl(std::string* url)
{
    if (url == nullptr) {
        return E_POINTER;
    }
    *url = pageUrl_;
    return S_OK;
}
