#pragma once
// The 132 process-wide preview parameter handlers, one per row of the parameter table, built in
// table order before anything reads them and destroyed in reverse order at exit. The rest of the
// system reaches them by their registered keys and through LBeamvistaPars.

#include <cstdint>

#include "messaging/value_handler.h"

// The handler of a table row (0 to 131).
LValueHandler& BeamvistaParameterObject(int32_t row);
