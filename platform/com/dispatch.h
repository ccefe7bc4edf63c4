// IDispatch: late-bound access to an object's properties and methods by number (DISPID), the
// numbers found by name without regard to ASCII case. Event sinks are dispatch interfaces too:
// an event is a method call on the sink.
#pragma once

#include "platform/com/unknown.h"
#include "platform/com/z_variant.h"

#include <cstdint>
#include <span>
#include <string_view>

class ITypeInfo;

using DISPID = int32_t;

enum DispatchFlags : uint16_t {
    kDispatchMethod = 1,
    kDispatchPropertyGet = 2,
    kDispatchPropertyPut = 4,
};

// The stock members a control may carry.
inline constexpr DISPID DISPID_READYSTATE = -525;
inline constexpr DISPID DISPID_ABOUTBOX = -552;
inline constexpr DISPID DISPID_READYSTATECHANGE = -609;

class IDispatch : public IUnknown
{
  public:
    static constexpr IID kIid{0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

    // The description of this interface's members; E_NOTIMPL when there is none.
    virtual HRESULT GetTypeInfo(ITypeInfo** info) = 0;
    // DISP_E_UNKNOWNNAME when no member has that name.
    virtual HRESULT GetIDsOfNames(std::string_view name, DISPID* id) = 0;
    // Reads (one result, no argument), writes (one argument) or calls (the method's arguments)
    // member id. Arguments of another type are converted to the member's (their conversion's
    // error is the result); result may be null when the caller wants none.
    virtual HRESULT Invoke(DISPID id, uint16_t flags, std::span<const ZVariant> arguments, ZVariant* result) = 0;

  protected:
    ~IDispatch() = default;
};
