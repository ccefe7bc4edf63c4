// HostSite: the container's side of one embedded object: the window the object's window lives in
// and the address of the page it came from.
#pragma once

#include "platform/com/ole_object.h"

#include <string>

class wxWindow;

class HostSite final : public IOleClientSite
{
  public:
    HostSite(wxWindow* window, std::string pageUrl) : window_(window), pageUrl_(std::move(pageUrl)) {}
    HostSite(const HostSite&) = delete;
    HostSite& operator=(const HostSite&) = delete;

    // Owned by the container's frame, which lets its objects go before it goes.
    HRESULT QueryInterface(const IID& iid, void** object) override;
    uint32_t AddRef() override { return ++count_; }
    uint32_t Release() override { return --count_; }
    HRESULT GetWindow(void** window) override;
    HRESULT GetPageUrl(std::string* url) override;

  private:
    uint32_t count_ = 0;
    wxWindow* window_;
    std::string pageUrl_;
};
