// The container's command protocol carried out on an object's dispatch interface: properties read
// and written by name, methods called, each answered with one line.
#pragma once

#include "apps/host/page/host_commands.h"
#include "platform/com/dispatch.h"

#include <string>

// "ok", "ok <value>" or "error 0xXXXXXXXX <what>" for Get, Set and Call; the value is given as
// text and converted by the object to the member's type.
std::string RunDispatchCommand(IDispatch& object, const HostCommand& command);
