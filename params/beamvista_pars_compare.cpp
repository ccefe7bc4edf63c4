// Comparing records by group mask, and the update that lets a show's settings take over only the
// values the user has not touched.
#include "params/beamvista_pars.h"

#include "params/beamvista_param_table.h"
#include "messaging/doubles_nearly_equal.h"

namespace {

bool FieldsEqual(uint8_t a, uint8_t b)
{
    return a == b;
}
bool FieldsEqual(int32_t a, int32_t b)
{
    return a == b;
}
bool FieldsEqual(float a, float b)
{
    return DoublesNearlyEqual(a, b);
}
// Byte for byte and case-sensitive; the empty string holds no block, so absent equals empty.
bool FieldsEqual(const XAString& a, const XAString& b)
{
    return a == b;
}

} // namespace

bool LBeamvistaPars::IsEqual(const LBeamvistaPars& other, uint32_t mask) const
{
    if (&other == this)
        return true;
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        if (!SelectsBlock(mask, def.block))
            continue;
        if (!WithBeamvistaMember(def, [&](auto member) { return FieldsEqual(this->*member, other.*member); }))
            return false;
    }
    return true;
}

void LBeamvistaPars::UpdateUnchanged(const LBeamvistaPars& oldPars, const LBeamvistaPars& newPars,
                                     uint32_t mask)
{
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        if (!SelectsBlock(mask, def.block))
            continue;
        WithBeamvistaMember(def, [&](auto member) {
            if (FieldsEqual(this->*member, oldPars.*member))
                this->*member = newPars.*member;
        });
    }
}
