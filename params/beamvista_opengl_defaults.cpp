#include "params/beamvista_opengl_defaults.h"

#include "params/beamvista_pars.h"
#include "params/beamvista_registration.h"
#include "foundation/registry/reg_key.h"
#include "foundation/text/text_compare.h"

namespace {

constexpr const char* kOpenGlKeyName = "OpenGL";
constexpr char kKeySeparator = '\\';

// A stored switch and the record field it fills.
struct StoredSwitch
{
    const char* valueName;
    uint8_t LBeamvistaPars::*field;
};

// Read in this order; the first five must be there.
constexpr StoredSwitch kRequiredSwitches[] = {
    {"ForceGeneric", &LBeamvistaPars::o_force_generic_opengl},
    {"EnhancedLines", &LBeamvistaPars::o_enhanced_lines},
    {"BeamProfile", &LBeamvistaPars::o_beam_profile},
    {"PolygonSmooth", &LBeamvistaPars::o_polygon_smooth},
    {"Fog3d", &LBeamvistaPars::o_fog_3d},
};
// Missing from keys written before it existed: then off.
constexpr StoredSwitch kLaterSwitch = {"EnhancedLinesBeam", &LBeamvistaPars::o_enhanced_lines_beam};

// Written in this order.
constexpr StoredSwitch kWrittenSwitches[] = {
    {"ForceGeneric", &LBeamvistaPars::o_force_generic_opengl},
    {"EnhancedLines", &LBeamvistaPars::o_enhanced_lines},
    {"EnhancedLinesBeam", &LBeamvistaPars::o_enhanced_lines_beam},
    {"BeamProfile", &LBeamvistaPars::o_beam_profile},
    {"PolygonSmooth", &LBeamvistaPars::o_polygon_smooth},
    {"Fog3d", &LBeamvistaPars::o_fog_3d},
};

XAString& RegistryBase()
{
    static XAString base;
    return base;
}

bool ReadSwitch(LRegKey& key, const StoredSwitch& stored, LBeamvistaPars& pars)
{
    bool value = false;
    if (!key.ReadBool(stored.valueName, value))
        return false;
    pars.*stored.field = value ? 1 : 0;
    return true;
}

} // namespace

const XAString& BeamvistaRegistryBase()
{
    return RegistryBase();
}

void SetBeamvistaRegistryBase(const char* name)
{
    if (StrEqualNoCase(name, RegistryBase().CStr()))
        return;
    RegistryBase() = name;
    if (BeamvistaParametersRegistered() && !RegistryBase().IsEmpty())
        ApplyBeamvistaOpenGlDefaults();
}

void ApplyBeamvistaOpenGlDefaults()
{
    LBeamvistaPars pars;
    pars.LoadOpenGlDefaults(); // whatever it finds, the generic defaults go to the handlers
    pars.ApplyToParameters(kBeamvistaAllGroups);
}

XAString BeamvistaOpenGlKey()
{
    XAString key = RegistryBase();
    if (!key.IsEmpty() && key.CStr()[key.Length() - 1] != kKeySeparator)
        key += "\\";
    return key + kOpenGlKeyName;
}

bool LBeamvistaPars::ReadOpenGlDefaults()
{
    if (RegistryBase().IsEmpty())
        return false;
    LRegKey key(BeamvistaOpenGlKey().CStr(), false);
    for (const StoredSwitch& stored : kRequiredSwitches) {
        if (!ReadSwitch(key, stored, *this))
            return false;
    }
    if (!ReadSwitch(key, kLaterSwitch, *this))
        this->*kLaterSwitch.field = 0;
    return true;
}

bool LBeamvistaPars::LoadOpenGlDefaults()
{
    return ReadOpenGlDefaults();
}

bool LBeamvistaPars::WriteOpenGlDefaults() const
{
    if (RegistryBase().IsEmpty())
        return false;
    LRegKey key(BeamvistaOpenGlKey().CStr(), true);
    for (const StoredSwitch& stored : kWrittenSwitches) {
        if (!key.WriteBool(stored.valueName, this->*stored.field != 0))
            return false;
    }
    return true;
}
