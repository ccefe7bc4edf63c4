// CZylPlayerActiveXPropPage: the control's one property page, "General". It holds no controls,
// only the line its dialog template carries; the toolkit side shows it inside a property frame.
#pragma once

#include "platform/com/property_page.h"

#include <cstdint>

inline constexpr const char* kPropPageCaption = "General";
inline constexpr const char* kPropPageText =
    "TODO: Place controls to manipulate properties of Zyl Player ActiveX Control on this dialog.";
inline constexpr const char* kPropPageHelpFile = "ZYLPLAYERACTIVEX.HLP";

// Shows the page's text inside parent (a wxWindow*) at rect; hides what it showed for null.
using PropPageShower = bool (*)(void* parent, const ComRect* rect, const char* text);
void SetPropPageShower(PropPageShower shower);

class CZylPlayerActiveXPropPage final : public IPropertyPage
{
  public:
    CZylPlayerActiveXPropPage();
    CZylPlayerActiveXPropPage(const CZylPlayerActiveXPropPage&) = delete;
    CZylPlayerActiveXPropPage& operator=(const CZylPlayerActiveXPropPage&) = delete;

    HRESULT QueryInterface(const IID& iid, void** object) override;
    uint32_t AddRef() override { return ++count_; }
    uint32_t Release() override;

    HRESULT GetPageInfo(PropertyPageInfo* info) override;
    HRESULT SetObjects(IUnknown* const* objects, uint32_t count) override;
    HRESULT Activate(void* parent, const ComRect& rect) override;
    HRESULT Deactivate() override;
    HRESULT IsPageDirty() override { return S_FALSE; }
    HRESULT Apply() override { return S_OK; }

  private:
    ~CZylPlayerActiveXPropPage();

    uint32_t count_ = 0;
    void* parent_ = nullptr;
};
