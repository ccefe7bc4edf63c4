// What an object's class information tells its container: the members of its dispatch
// interface (for the property list and the command protocol) and of its event interface (to name
// the events it fires).
#pragma once

#include "platform/com/type_info.h"

#include <span>

// The description of the class's default (index 0) or event (index 1) interface; null when the
// object gives no class information.
const TypeDescription* ClassInterfaceOf(IUnknown* object, int32_t index);
// The event interface's IID, IDispatch's when the object does not say.
IID EventInterfaceOf(IUnknown* object);
