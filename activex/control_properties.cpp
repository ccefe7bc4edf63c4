#include "activex/c_zyl_player_active_x_ctrl.h"

#include "activex/control_player.h"
#include "activex/control_type_library.h"
#include "params/beamvista_pars.h"
#include "params/current_kwp_pars.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace {

constexpr const char* kVersionText = "2004/06/09";
// Reals cross the interface multiplied by this.
constexpr double kRealScale = 100;
constexpr int32_t kFullPercent = 100;

// The record field a parameter property stands for.
struct ParameterField
{
    DISPID id;
    float LBeamvistaPars::*real;
    int32_t LBeamvistaPars::*integer;
};

constexpr ParameterField kParameterFields[] = {
    {kDispidFogIntensity, &LBeamvistaPars::o_fog_intensity, nullptr},
    {kDispidFogMinIntensity, &LBeamvistaPars::o_fog_min_int, nullptr},
    {kDispidLineWidth, &LBeamvistaPars::o_line_width, nullptr},
    {kDispidForceFog, nullptr, &LBeamvistaPars::o_fog_force},
    {kDispidForceGraphics, nullptr, &LBeamvistaPars::o_graphics_force},
    {kDispidClouds, &LBeamvistaPars::o_fog_cloud_mix, nullptr},
    {kDispidGraphicsIntensity, &LBeamvistaPars::o_graphics_intensity, nullptr},
};

const ParameterField* FindParameterField(DISPID id)
{
    for (const ParameterField& field : kParameterFields) {
        if (field.id == id) {
            return &field;
        }
    }
    return nullptr;
}

// floor(value x 100 + 0.5), as the getters read every real.
float ScaledReal(double value)
{
    return static_cast<float>(std::floor(value * kRealScale + 0.5));
}

ZVariant GetParameter(const ParameterField& field)
{
    const LBeamvistaPars& pars = LCurrentKWPPars::Get();
    if (field.real != nullptr) {
        return ZVariant::FromR4(ScaledReal(pars.*field.real));
    }
    return ZVariant::FromI4(pars.*field.integer);
}

// A copy of the current set with the one field changed, sent to the live parameters.
HRESULT SetParameter(const ParameterField& field, const ZVariant& value)
{
    LBeamvistaPars pars = LCurrentKWPPars::Get();
    if (field.real != nullptr) {
        if (!std::isfinite(value.R4())) {
            return E_INVALIDARG;
        }
        pars.*field.real = static_cast<float>(value.R4() / kRealScale);
    } else {
        pars.*field.integer = value.I4();
    }
    pars.ApplyToParameters(kBeamvistaAllGroups);
    return S_OK;
}

std::string VersionX(uint64_t version)
{
    char text[20];
    std::snprintf(text, sizeof(text), "%08" PRIX32 "%08" PRIX32, static_cast<uint32_t>(version >> 32),
                  static_cast<uint32_t>(version));
    return text;
}

uint64_t moduleVersion = 0;

} // namespace

int32_t LoadedPercent(uint32_t released, uint32_t total)
{
    if (released == 0) {
        return 0;
    }
    if (released >= total) {
        return kFullPercent;
    }
    return static_cast<int32_t>(std::floor(static_cast<double>(released) * kFullPercent / total + 0.5));
}

uint64_t ControlModuleVersion()
{
    return moduleVersion;
}

void SetControlModuleVersion(uint64_t version)
{
    moduleVersion = version;
}

HRESULT CZylPlayerActiveXCtrl::GetProperty(DISPID id, ZVariant& value)
{
    if (const ParameterField* field = FindParameterField(id)) {
        value = GetParameter(*field);
        return S_OK;
    }
    switch (id) {
    case kDispidUrl:
        value = ZVariant::FromText(std::string(url_.View()));
        return S_OK;
    case kDispidReset:
        value = ZVariant::FromI4(0);
        return S_OK;
    case kDispidBitsPerSecond:
        value = ZVariant::FromI4(bandwidth_.BitsPerSecond());
        return S_OK;
    case kDispidStopLoad:
        value = ZVariant::FromBool(false);
        return S_OK;
    case kDispidPlaying:
        value = ZVariant::FromBool(player_ != nullptr && !player_->IsPaused());
        return S_OK;
    case kDispidMuted:
        value = ZVariant::FromBool(player_ != nullptr && player_->IsMuted());
        return S_OK;
    case kDispidPositionF:
        value = ZVariant::FromR4(player_ != nullptr ? ScaledReal(player_->PositionFraction()) : 0);
        return S_OK;
    case kDispidStop:
        value = ZVariant::FromBool(player_ != nullptr && player_->IsPaused());
        return S_OK;
    case kDispidLoaded:
        value = ZVariant::FromR4(
            static_cast<float>(LoadedPercent(download_->BytesReleased(), download_->BytesTotal())));
        return S_OK;
    case kDispidFrame:
        value = ZVariant::FromI4(player_ != nullptr && player_->IsFrameShown() ? 1 : 0);
        return S_OK;
    case kDispidFullScreen:
        value = ZVariant::FromBool(player_ != nullptr && player_->IsFullScreen());
        return S_OK;
    case DISPID_READYSTATE:
        value = ZVariant::FromI4(readyState_);
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT CZylPlayerActiveXCtrl::SetProperty(DISPID id, const ZVariant& value)
{
    if (const ParameterField* field = FindParameterField(id)) {
        const HRESULT result = SetParameter(*field, value);
        if (Succeeded(result)) {
            modified_ = true;
        }
        return result;
    }
    switch (id) {
    case kDispidUrl:
        SetUrl(XAString(std::string_view(value.Text())));
        return S_OK;
    case kDispidReset:
        ApplyReset(value.I4());
        return S_OK;
    case kDispidBitsPerSecond:
        bandwidth_.SetBitsPerSecond(value.I4(), NowCs());
        modified_ = true;
        return S_OK;
    case kDispidStopLoad:
        if (value.Bool()) {
            download_->Close();
        }
        modified_ = true;
        return S_OK;
    case kDispidPlaying:
        SetPlaying(value.Bool());
        return S_OK;
    case kDispidMuted:
        SetMuted(value.Bool());
        return S_OK;
    case kDispidPositionF:
        if (!std::isfinite(value.R4())) {
            return E_INVALIDARG;
        }
        if (player_ != nullptr) {
            player_->SeekFraction(static_cast<float>(value.R4() / kRealScale));
        }
        modified_ = true;
        return S_OK;
    case kDispidStop:
        SetStop(value.Bool());
        return S_OK;
    case kDispidLoaded:
        return S_OK;
    case kDispidFrame:
        SetFrame(value.I4());
        modified_ = true;
        return S_OK;
    case kDispidFullScreen:
        if (player_ != nullptr) {
            player_->SetFullScreen(value.Bool(), window_ && window_->CtrlHeld());
        }
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT CZylPlayerActiveXCtrl::CallMethod(DISPID id, ZVariant& result)
{
    switch (id) {
    case kDispidGetVersion:
        result = ZVariant::FromText(kVersionText);
        return S_OK;
    case kDispidGetVersionX:
        result = ZVariant::FromText(VersionX(ControlModuleVersion()));
        return S_OK;
    case DISPID_ABOUTBOX:
        if (HasWindow()) {
            window_->ShowAboutBox();
        }
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

void CZylPlayerActiveXCtrl::SetFrame(int32_t frame)
{
    frame_ = frame;
    if (player_ != nullptr) {
        player_->SetSkinLayout(false, frame != 0);
    }
}

void CZylPlayerActiveXCtrl::SetPlaying(bool playing)
{
    if (player_ != nullptr) {
        if (playing) {
            player_->Play();
        } else {
            player_->Pause();
        }
    }
    modified_ = true;
}

void CZylPlayerActiveXCtrl::SetStop(bool stop)
{
    if (player_ != nullptr) {
        if (stop) {
            player_->Stop();
        } else {
            player_->Play();
        }
    }
    modified_ = true;
}

void CZylPlayerActiveXCtrl::SetMuted(bool muted)
{
    if (player_ != nullptr) {
        player_->SetMute(muted);
    }
    modified_ = true;
}

void CZylPlayerActiveXCtrl::ApplyReset(int32_t reset)
{
    if (reset == 0) {
        return;
    }
    BeamvistaDefaultPars().ApplyToParameters(kBeamvistaAllGroups);
    modified_ = true;
}
