#include "platform/com/cat_register.h"

#include "platform/com/module_lock.h"
#include "platform/settings_store.h"

#include <cstdio>
#include <string>

namespace {

constexpr char kCategoriesKey[] = "Component Categories\\";
constexpr char kClassesKey[] = "CLSID\\";
constexpr char kImplementedKey[] = "\\Implemented Categories\\";

// The first count characters of a UTF-8 text, never cutting a character in two.
std::string_view FirstCharacters(std::string_view text, size_t count)
{
    size_t at = 0;
    for (size_t characters = 0; at < text.size() && characters < count; ++characters) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) {
            ++at;
        }
    }
    return text.substr(0, at);
}

std::string LocaleName(uint32_t locale)
{
    char name[16];
    std::snprintf(name, sizeof(name), "%x", locale);
    return name;
}

class CategoryManager final : public ICatRegister
{
  public:
    CategoryManager() { ComModuleAddRef(); }
    ~CategoryManager() { ComModuleRelease(); }

    HRESULT QueryInterface(const IID& iid, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == IUnknown::kIid || iid == ICatRegister::kIid) {
            *object = static_cast<ICatRegister*>(this);
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

    HRESULT RegisterCategories(const CategoryInfo* categories, uint32_t count) override
    {
        std::shared_ptr<SettingsStore> store = CurrentSettingsStore();
        for (uint32_t i = 0; i < count; ++i) {
            const CategoryInfo& category = categories[i];
            const auto key =
                store->OpenKey(SettingsRoot::ClassesRoot, kCategoriesKey + FormatGuid(category.catid), true);
            const std::vector<uint8_t> text =
                EncodeSettingsString(FirstCharacters(category.description, kCategoryDescriptionLength));
            if (!key || !store->SetValue(*key, LocaleName(category.locale), SettingsValueType::String, text)) {
                return E_FAIL;
            }
        }
        return S_OK;
    }
    HRESULT RegisterClassImplCategories(const CLSID& clsid, const GUID* catids, uint32_t count) override
    {
        std::shared_ptr<SettingsStore> store = CurrentSettingsStore();
        for (uint32_t i = 0; i < count; ++i) {
            if (!store->OpenKey(SettingsRoot::ClassesRoot, ImplementedKey(clsid, catids[i]), true)) {
                return E_FAIL;
            }
        }
        return S_OK;
    }
    HRESULT UnRegisterClassImplCategories(const CLSID& clsid, const GUID* catids, uint32_t count) override
    {
        std::shared_ptr<SettingsStore> store = CurrentSettingsStore();
        for (uint32_t i = 0; i < count; ++i) {
            store->DeleteKey(SettingsRoot::ClassesRoot, ImplementedKey(clsid, catids[i]));
        }
        return S_OK;
    }

  private:
    static std::string ImplementedKey(const CLSID& clsid, const GUID& catid)
    {
        return kClassesKey + FormatGuid(clsid) + kImplementedKey + FormatGuid(catid);
    }

    uint32_t count_ = 0;
};

} // namespace

HRESULT CreateCategoryManager(ICatRegister** manager)
{
    if (manager == nullptr) {
        return E_POINTER;
    }
    *manager = new CategoryManager;
    (*manager)->AddRef();
    return S_OK;
}
