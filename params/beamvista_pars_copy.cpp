// Copying a record's selected blocks; texts are shared, not duplicated.
#include "params/beamvista_pars.h"

#include "params/beamvista_param_table.h"

void LBeamvistaPars::Assign(const LBeamvistaPars& other, uint32_t mask)
{
    if (&other == this)
        return;
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        if (SelectsBlock(mask, def.block))
            WithBeamvistaMember(def, [&](auto member) { this->*member = other.*member; });
    }
}
