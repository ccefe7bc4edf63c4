#pragma once
// Shared by the tagged stream's fuzz targets: a record whose fields all differ from the
// defaults, and an exact comparison of two records (reals bit for bit, so NaNs compare too).

#include <bit>
#include <cstdint>

#include "params/beamvista_param_table.h"

inline LBeamvistaPars BeamvistaFuzzStart()
{
    LBeamvistaPars pars;
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        switch (def.storage) {
        case BeamvistaStorage::Byte:
            pars.*def.field.byteField ^= 1;
            break;
        case BeamvistaStorage::Int32:
            pars.*def.field.intField -= 3;
            break;
        case BeamvistaStorage::Float:
            pars.*def.field.floatField += 0.5f;
            break;
        case BeamvistaStorage::Text:
            pars.*def.field.textField = def.name;
            break;
        }
    }
    return pars;
}

inline bool SameBits(float a, float b)
{
    return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}
template <class T> bool SameBits(const T& a, const T& b)
{
    return a == b;
}

inline bool BeamvistaSameFields(const LBeamvistaPars& a, const LBeamvistaPars& b)
{
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        if (!WithBeamvistaMember(def, [&](auto member) { return SameBits(a.*member, b.*member); }))
            return false;
    }
    return true;
}
