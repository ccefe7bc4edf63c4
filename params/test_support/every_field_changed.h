// A parameter record with every field moved off the given one, so that applying the two in turn
// changes every parameter and refreshes everything bound to one.
#pragma once

#include "params/beamvista_param_table.h"
#include "params/beamvista_pars.h"

#include <cstdint>

// Switches flip, whole numbers alternate between 0 and 1, fractions grow by 1/8 and texts become
// "fileN.png" with N the field's row from 1.
inline LBeamvistaPars EveryFieldChanged(LBeamvistaPars pars)
{
    int32_t row = 0;
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        ++row;
        if (def.field.byteField)
            pars.*def.field.byteField ^= 1;
        else if (def.field.intField)
            pars.*def.field.intField = (pars.*def.field.intField + 1) % 2;
        else if (def.field.floatField)
            pars.*def.field.floatField += 0.125f;
        else
            pars.*def.field.textField = XAString::Format("file%d.png", row);
    }
    return pars;
}
