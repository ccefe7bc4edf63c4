// ICatRegister: the component categories a class belongs to ("safe for scripting" and the like),
// kept in the settings store's classes root. The one manager is built in: CreateCategoryManager
// gives a new reference to it.
#pragma once

#include "platform/com/unknown.h"

#include <cstdint>
#include <string_view>

struct CategoryInfo
{
    GUID catid;
    // The locale the description is in (0x409: English).
    uint32_t locale;
    // UTF-8; only the first kCategoryDescriptionLength characters are kept.
    std::string_view description;
};

inline constexpr size_t kCategoryDescriptionLength = 127;

class ICatRegister : public IUnknown
{
  public:
    static constexpr IID kIid{0x0002E012, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

    // E_FAIL when the store refuses a write.
    virtual HRESULT RegisterCategories(const CategoryInfo* categories, uint32_t count) = 0;
    virtual HRESULT RegisterClassImplCategories(const CLSID& clsid, const GUID* catids, uint32_t count) = 0;
    virtual HRESULT UnRegisterClassImplCategories(const CLSID& clsid, const GUID* catids, uint32_t count) = 0;

  protected:
    ~ICatRegister() = default;
};

inline constexpr GUID CATID_SafeForScripting{0x7DD95801, 0x9882, 0x11CF, {0x9F, 0xA9, 0x00, 0xAA, 0x00, 0x6C, 0x42, 0xC4}};
inline constexpr GUID CATID_SafeForInitializing{0x7DD95802, 0x9882, 0x11CF, {0x9F, 0xA9, 0x00, 0xAA, 0x00, 0x6C, 0x42, 0xC4}};

HRESULT CreateCategoryManager(ICatRegister** manager);
