#include "platform/com/type_info.h"

#include "platform/com/module_lock.h"

namespace {

class TableTypeInfo final : public ITypeInfo
{
  public:
    explicit TableTypeInfo(const TypeDescription& description) : description_(description) { ComModuleAddRef(); }
    ~TableTypeInfo() { ComModuleRelease(); }

    HRESULT QueryInterface(const IID& iid, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == IUnknown::kIid || iid == ITypeInfo::kIid) {
            *object = static_cast<ITypeInfo*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    uint32_t AddRef() override { return ++count_; }
    uint32_t Release() override
    {
        const uint32_t left = --count_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    const TypeDescription& Description() override { return description_; }
    HRESULT GetIDsOfNames(std::string_view name, DISPID* id) override
    {
        if (id == nullptr) {
            return E_POINTER;
        }
        const DispatchMember* member = FindDispatchMember(description_.members, name);
        if (member == nullptr) {
            return DISP_E_UNKNOWNNAME;
        }
        *id = member->id;
        return S_OK;
    }
    HRESULT GetImplementedType(int32_t index, ITypeInfo** info) override
    {
        if (info == nullptr) {
            return E_POINTER;
        }
        *info = nullptr;
        if (index < 0 || static_cast<size_t>(index) >= description_.implemented.size()) {
            return E_INVALIDARG;
        }
        ComPtr<ITypeInfo> type = MakeTableTypeInfo(*description_.implemented[static_cast<size_t>(index)]);
        *info = type.Get();
        type->AddRef();
        return S_OK;
    }

  private:
    const TypeDescription& description_;
    uint32_t count_ = 0;
};

} // namespace

ComPtr<ITypeInfo> MakeTableTypeInfo(const TypeDescription& description)
{
    return ComPtr<ITypeInfo>(new TableTypeInfo(description));
}
