// HRESULT: the object model's status word. Negative values are failures; the facility and code
// values are the ones containers and scripts expect, so they are kept as they were defined.
#pragma once

#include <cstdint>

using HRESULT = int32_t;

constexpr HRESULT MakeHresult(uint32_t bits)
{
    return static_cast<HRESULT>(bits);
}

constexpr bool Succeeded(HRESULT result)
{
    return result >= 0;
}

constexpr bool Failed(HRESULT result)
{
    return result < 0;
}

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = MakeHresult(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = MakeHresult(0x80004002);
inline constexpr HRESULT E_POINTER = MakeHresult(0x80004003);
inline constexpr HRESULT E_FAIL = MakeHresult(0x80004005);
inline constexpr HRESULT E_UNEXPECTED = MakeHresult(0x8000FFFF);
inline constexpr HRESULT E_OUTOFMEMORY = MakeHresult(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = MakeHresult(0x80070057);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = MakeHresult(0x80040110);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = MakeHresult(0x80040111);
inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = MakeHresult(0x80020001);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = MakeHresult(0x80020003);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = MakeHresult(0x80020004);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = MakeHresult(0x80020005);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = MakeHresult(0x80020006);
inline constexpr HRESULT DISP_E_OVERFLOW = MakeHresult(0x8002000A);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = MakeHresult(0x8002000E);
inline constexpr HRESULT CONNECT_E_NOCONNECTION = MakeHresult(0x80040200);
inline constexpr HRESULT CONNECT_E_CANNOTCONNECT = MakeHresult(0x80040202);
inline constexpr HRESULT OLEOBJ_E_NOVERBS = MakeHresult(0x80040180);
inline constexpr HRESULT OLEOBJ_E_INVALIDVERB = MakeHresult(0x80040181);
inline constexpr HRESULT SELFREG_E_TYPELIB = MakeHresult(0x80040200);
inline constexpr HRESULT SELFREG_E_CLASS = MakeHresult(0x80040201);
