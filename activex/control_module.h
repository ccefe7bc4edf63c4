// The control library's module: its class objects and whether it may be unloaded. The four
// exports of the library (apps/control) call these.
#pragma once

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

// The class object of the control or of its property page, as interface iid.
HRESULT ControlGetClassObject(const CLSID& clsid, const IID& iid, void** object);
// S_OK when no object and no lock keeps the library in use, else S_FALSE.
HRESULT ControlCanUnloadNow();
