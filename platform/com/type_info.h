// ITypeInfo: what a type library says about one interface or class, read from a compiled-in
// description; IProvideClassInfo hands a container the description of an object's class (its
// default dispatch interface and its event interface).
#pragma once

#include "platform/com/dispatch_table.h"
#include "platform/com/unknown.h"

#include <span>

enum class TypeKind { Dispatch, CoClass };

struct TypeDescription
{
    GUID guid;
    const char* name;
    const char* documentation;
    TypeKind kind;
    // A dispatch interface's members.
    std::span<const DispatchMember> members = {};
    // A class's interfaces: the default one first, then the event (source) interface.
    std::span<const TypeDescription* const> implemented = {};
};

class ITypeInfo : public IUnknown
{
  public:
    static constexpr IID kIid{0x00020401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

    virtual const TypeDescription& Description() = 0;
    virtual HRESULT GetIDsOfNames(std::string_view name, DISPID* id) = 0;
    // The index-th interface of a class; E_INVALIDARG past the end or for an interface.
    virtual HRESULT GetImplementedType(int32_t index, ITypeInfo** info) = 0;

  protected:
    ~ITypeInfo() = default;
};

class IProvideClassInfo : public IUnknown
{
  public:
    static constexpr IID kIid{0xB196B283, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};

    virtual HRESULT GetClassInfo(ITypeInfo** info) = 0;

  protected:
    ~IProvideClassInfo() = default;
};

// A new type information object over a description that outlives it.
ComPtr<ITypeInfo> MakeTableTypeInfo(const TypeDescription& description);
