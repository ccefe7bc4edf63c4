// What the library's self-registration writes to and removes from the settings store's classes
// root: the type library, the control class with its media type and extension, its categories
// (safe for scripting and for initialisation) and the property page class.
#pragma once

#include "platform/com/hresult.h"

#include <string>

// modulePath: the library's own file, the in-process server of both classes. S_OK, or
// SELFREG_E_TYPELIB when the type library could not be registered, SELFREG_E_CLASS when a class
// could not.
HRESULT RegisterControlModule(const std::string& modulePath);
// The same codes; a type library that is not registered gives SELFREG_E_TYPELIB and leaves the
// store as it is. The categories, the extension's content type, the full-page key and the media
// type's key stay.
HRESULT UnregisterControlModule();
