#include "activex/c_zyl_player_active_x_prop_page.h"

#include "platform/com/module_lock.h"
#include "platform/dialog_units.h"

namespace {

// The page's dialog template, in dialog units.
constexpr RasterRect kTemplateRect{0, 0, 250, 62};

PropPageShower currentShower = nullptr;

} // namespace

void SetPropPageShower(PropPageShower shower)
{
    currentShower = shower;
}

CZylPlayerActiveXPropPage::CZylPlayerActiveXPropPage()
{
    ComModuleAddRef();
}

CZylPlayerActiveXPropPage::~CZylPlayerActiveXPropPage()
{
    Deactivate();
    ComModuleRelease();
}

HRESULT CZylPlayerActiveXPropPage::QueryInterface(const IID& iid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IUnknown::kIid || iid == IPropertyPage::kIid) {
        *object = static_cast<IPropertyPage*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

uint32_t CZylPlayerActiveXPropPage::Release()
{
    const uint32_t left = --count_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT CZylPlayerActiveXPropPage::GetPageInfo(PropertyPageInfo* info)
{
    if (info == nullptr) {
        return E_POINTER;
    }
    const RasterRect pixels = ConvertDialogToPixels(kTemplateRect);
    info->title = kPropPageCaption;
    info->width = pixels.right - pixels.left;
    info->height = pixels.bottom - pixels.top;
    info->helpFile = kPropPageHelpFile;
    return S_OK;
}

HRESULT CZylPlayerActiveXPropPage::SetObjects(IUnknown* const* objects, uint32_t count)
{
    // The page edits nothing, so it keeps no objects.
    return S_OK;
}

HRESULT CZylPlayerActiveXPropPage::Activate(void* parent, const ComRect& rect)
{
    if (currentShower == nullptr || parent == nullptr) {
        return E_FAIL;
    }
    if (!currentShower(parent, &rect, kPropPageText)) {
        return E_FAIL;
    }
    parent_ = parent;
    return S_OK;
}

HRESULT CZylPlayerActiveXPropPage::Deactivate()
{
    if (parent_ != nullptr && currentShower != nullptr) {
        currentShower(parent_, nullptr, nullptr);
    }
    parent_ = nullptr;
    return S_OK;
}
