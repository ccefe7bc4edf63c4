// IPropertyBag: the container's named values for an object (a page's PARAMs); IPersistPropertyBag:
// an object that loads itself from one.
#pragma once

#include "platform/com/unknown.h"
#include "platform/com/z_variant.h"

#include <string_view>

class IPropertyBag : public IUnknown
{
  public:
    static constexpr IID kIid{0x55272A00, 0x42CB, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};

    // The value named name (any ASCII letter case) as type wanted (Empty: as stored):
    // E_INVALIDARG when absent, a conversion's error when it cannot be that type.
    virtual HRESULT Read(std::string_view name, ZVariantType wanted, ZVariant* value) = 0;
    virtual HRESULT Write(std::string_view name, const ZVariant& value) = 0;

  protected:
    ~IPropertyBag() = default;
};

class IPersistPropertyBag : public IUnknown
{
  public:
    static constexpr IID kIid{0x37D84F60, 0x42CB, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};

    virtual HRESULT GetClassID(CLSID* clsid) = 0;
    // A fresh object with nothing persisted.
    virtual HRESULT InitNew() = 0;
    virtual HRESULT Load(IPropertyBag* bag) = 0;
    virtual HRESULT Save(IPropertyBag* bag, bool clearDirty, bool saveAll) = 0;

  protected:
    ~IPersistPropertyBag() = default;
};
