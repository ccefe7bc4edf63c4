#include "activex/control_module.h"

#include "activex/c_zyl_player_active_x_ctrl.h"
#include "activex/c_zyl_player_active_x_prop_page.h"
#include "activex/control_identity.h"
#include "platform/com/class_factory.h"
#include "platform/com/module_lock.h"

namespace {

// One static class object per class; its references do not keep the library loaded, its
// locks do.
template <typename Object> class ObjectFactory final : public IClassFactory
{
  public:
    HRESULT QueryInterface(const IID& iid, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == IUnknown::kIid || iid == IClassFactory::kIid) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    uint32_t AddRef() override { return 1; }
    uint32_t Release() override { return 1; }

    HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        Object* created = new Object;
        created->AddRef();
        const HRESULT result = created->QueryInterface(iid, object);
        created->Release();
        return result;
    }
    HRESULT LockServer(bool lock) override
    {
        if (lock) {
            ComModuleAddRef();
        } else {
            ComModuleRelease();
        }
        return S_OK;
    }
};

ObjectFactory<CZylPlayerActiveXCtrl> controlFactory;
ObjectFactory<CZylPlayerActiveXPropPage> propPageFactory;

} // namespace

HRESULT ControlGetClassObject(const CLSID& clsid, const IID& iid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (clsid == kControlClsid) {
        return controlFactory.QueryInterface(iid, object);
    }
    if (clsid == kPropPageClsid) {
        return propPageFactory.QueryInterface(iid, object);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT ControlCanUnloadNow()
{
    return ComModuleCount() == 0 ? S_OK : S_FALSE;
}
