#pragma once
// Registry keys of the preview parameters: "Beamvista." and the name without a leading "o_",
// every "_" turned into ".". The empty name gives "Beamvista", the node under which every
// preview parameter hangs.

#include "foundation/strings/xa_string.h"

XAString BeamvistaParameterKey(const char* name);
