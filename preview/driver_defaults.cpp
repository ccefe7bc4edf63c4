#include "preview/driver_defaults.h"

#include "messaging/value_modify_msg_tx.h"
#include "params/beamvista_pars.h"
#include "params/beamvista_registration.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace {
// Drivers that draw lines of this width and more need no quads for wide lines.
constexpr float kWideLinesFromWidth = 1.49f;

std::string Lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

bool ContainsAny(const std::string& text, std::initializer_list<const char*> words)
{
    return std::any_of(words.begin(), words.end(),
                       [&](const char* word) { return text.find(word) != std::string::npos; });
}

// Every software rasteriser draws like the generic one.
bool IsSoftwareRenderer(const std::string& name)
{
    return ContainsAny(name, {"microsoft", "gdi", "llvmpipe", "softpipe", "swrast"});
}

void ApplyDetection(const GlDriverInfo& driver, const LBeamvistaPars& live)
{
    const LValueModifyMsgTx transaction(LValueMsg::kFlagsRecordWrite);
    LBeamvistaPars defaults = BeamvistaDefaultPars();
    DetectDriverDefaults(driver, defaults);
    if (!defaults.IsEqual(BeamvistaDefaultPars(), kBeamvistaAllGroups))
        defaults.MakeDefault();
    LBeamvistaPars detected = live;
    DetectDriverDefaults(driver, detected);
    if (!detected.IsEqual(live, kBeamvistaAllGroups))
        detected.ApplyToParameters(kBeamvistaAllGroups);
}
} // namespace

void DetectDriverDefaults(const GlDriverInfo& driver, LBeamvistaPars& set)
{
    set.o_force_generic_opengl = 0;
    set.o_enhanced_lines = 1;
    set.o_enhanced_lines_beam = 0;
    set.o_beam_profile = 0;
    set.o_polygon_smooth = 1;
    set.o_fog_3d = 1;
    const std::string name = Lowered(driver.renderer);
    if (name.find("radeon") != std::string::npos) {
        if (name.find("radeon 7000") != std::string::npos)
            set.o_fog_3d = 0;
        return;
    }
    set.o_fog_3d = 0;
    set.o_beam_profile = 1;
    if (IsSoftwareRenderer(name)) {
        set.o_enhanced_lines = 1;
        set.o_polygon_smooth = 0;
    } else if (driver.widestLine >= kWideLinesFromWidth) {
        set.o_enhanced_lines = 0;
    } else {
        set.o_enhanced_lines = 1;
        set.o_enhanced_lines_beam = 1;
    }
}

void DriverDefaults::Apply(const std::optional<GlDriverInfo>& driver, const LBeamvistaPars& live)
{
    if (!driver)
        return;
    RegisterBeamvistaParameters();
    // Forcing the generic renderer changes the driver: the second pass settles on its values.
    const int passes = live.o_force_generic_opengl ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass)
        ApplyDetection(*driver, live);
}

bool DriverDefaults::Save(const LBeamvistaPars& live)
{
    return live.WriteOpenGlDefaults();
}

bool DriverDefaults::Load(bool detectWhenMissing, const std::optional<GlDriverInfo>& driver,
                          const LBeamvistaPars& live)
{
    LBeamvistaPars stored = live;
    if (stored.ReadOpenGlDefaults()) {
        if (!stored.IsEqual(live, kBeamvistaAllGroups))
            stored.ApplyToParameters(kBeamvistaAllGroups);
        return true;
    }
    if (detectWhenMissing)
        Apply(driver, live);
    return false;
}
