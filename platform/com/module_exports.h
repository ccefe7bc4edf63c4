// The four functions an in-process server library exports, as a container finds them with dlsym.
#pragma once

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

using DllRegisterServerFunction = HRESULT (*)();
using DllUnregisterServerFunction = HRESULT (*)();
using DllGetClassObjectFunction = HRESULT (*)(const GUID* clsid, const GUID* iid, void** object);
using DllCanUnloadNowFunction = HRESULT (*)();

inline constexpr const char* kDllRegisterServer = "DllRegisterServer";
inline constexpr const char* kDllUnregisterServer = "DllUnregisterServer";
inline constexpr const char* kDllGetClassObject = "DllGetClassObject";
inline constexpr const char* kDllCanUnloadNow = "DllCanUnloadNow";
