#include "preview/l_beamvista_param_fog_dialog.h"

namespace {

constexpr ParamBinding kCheckboxes[] = {{2210, "o_fog_3d"}};

constexpr ParamBinding kEdits[] = {
    {2211, "o_fog_structure"}, {2214, "o_fog_cloud_mix"}, {2220, "o_fog_speed"},
    {2234, "o_fog_dir"},       {2236, "o_fog_dir2"},      {2238, "o_fog_rot"},
};

constexpr ParamBinding kSpins[] = {
    {2218, "o_fog_structure"}, {2219, "o_fog_cloud_mix"}, {2221, "o_fog_speed"},
    {2235, "o_fog_dir"},       {2237, "o_fog_dir2"},      {2239, "o_fog_rot"},
};

constexpr ParamPanelLayout kLayout{kCheckboxes, {}, kEdits, kSpins, {}};

} // namespace

LBeamvistaParamFogDialog::LBeamvistaParamFogDialog() : LBeamvistaParamPanel(kLayout)
{
}
