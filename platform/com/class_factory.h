// IClassFactory: makes the objects of one class. Aggregation is not offered.
#pragma once

#include "platform/com/unknown.h"

class IClassFactory : public IUnknown
{
  public:
    static constexpr IID kIid{0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

    // A new object's interface iid; an outer object gives CLASS_E_NOAGGREGATION.
    virtual HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) = 0;
    // Keeps the library loaded while locked, whatever objects exist.
    virtual HRESULT LockServer(bool lock) = 0;

  protected:
    ~IClassFactory() = default;
};
