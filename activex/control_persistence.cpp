#include "activex/c_zyl_player_active_x_ctrl.h"

#include "params/beamvista_pars.h"
#include "params/current_kwp_pars.h"

#include <cmath>
#include <string>

namespace {

// Stands for a PARAM the page did not give.
constexpr int32_t kAbsent = -123456;
constexpr double kRealScale = 100;

// A long PARAM, or fallback when it is absent or no number that fits.
int32_t ReadLong(IPropertyBag& bag, std::string_view name, int32_t fallback)
{
    ZVariant value;
    if (Failed(bag.Read(name, ZVariantType::I4, &value))) {
        return fallback;
    }
    return value.I4();
}

// A real parameter crosses as a long of hundredths: the record's value is offered rounded (half
// away from zero, then cut toward zero), the long that comes back is divided by 100.
void ReadScaled(IPropertyBag& bag, std::string_view name, float& field)
{
    const double offered = std::trunc(static_cast<double>(field) * kRealScale + 0.5);
    const int32_t fallback = std::fabs(offered) < 2147483647.0 ? static_cast<int32_t>(offered) : 0;
    field = static_cast<float>(ReadLong(bag, name, fallback) / kRealScale);
}

XAString ReadText(IPropertyBag& bag, std::string_view name)
{
    ZVariant value;
    if (Failed(bag.Read(name, ZVariantType::Text, &value))) {
        return XAString();
    }
    return XAString(std::string_view(value.Text()));
}

} // namespace

void CZylPlayerActiveXCtrl::DoPropExchange(IPropertyBag& bag)
{
    LBeamvistaPars pars = LCurrentKWPPars::Get();
    if (ReadLong(bag, "Reset", 0) != 0) {
        pars.Assign(BeamvistaDefaultPars(), kBeamvistaAllGroups);
    }
    const int32_t bitsPerSecond = ReadLong(bag, "BitsPerSecond", kAbsent);
    pars.o_graphics_force = ReadLong(bag, "ForceGraphics", pars.o_graphics_force);
    ReadScaled(bag, "GraphicsIntensity", pars.o_graphics_intensity);
    pars.o_fog_force = ReadLong(bag, "ForceFog", pars.o_fog_force);
    ReadScaled(bag, "FogIntensity", pars.o_fog_intensity);
    ReadScaled(bag, "FogMinIntensity", pars.o_fog_min_int);
    ReadScaled(bag, "Clouds", pars.o_fog_cloud_mix);
    ReadScaled(bag, "LineWidth", pars.o_line_width);
    pars.ApplyToParameters(kBeamvistaAllGroups);

    const XAString url = ReadText(bag, "Url");
    const XAString src = ReadText(bag, "Src");
    const int32_t stop = ReadLong(bag, "Stop", kAbsent);
    const int32_t muted = ReadLong(bag, "Muted", kAbsent);
    const int32_t playing = ReadLong(bag, "Playing", kAbsent);
    const int32_t frame = ReadLong(bag, "Frame", kAbsent);

    if (frame != kAbsent) {
        SetFrame(frame);
        modified_ = true;
    }
    if (bitsPerSecond != kAbsent) {
        bandwidth_.SetBitsPerSecond(bitsPerSecond, NowCs());
        modified_ = true;
    }
    SetUrl(!url.IsEmpty() ? url : src);
    // Stop and Playing mean something only to an open show, Muted only to a player: they wait
    // until there is one (the Url setter above has just closed every show).
    if (stop != kAbsent) {
        pendingStop_ = stop != 0;
    }
    if (muted != kAbsent) {
        if (player_ != nullptr) {
            SetMuted(muted != 0);
        } else {
            pendingMuted_ = muted != 0;
        }
    }
    if (playing != kAbsent) {
        pendingPlaying_ = playing != 0;
    }
}
