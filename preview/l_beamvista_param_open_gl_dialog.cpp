#include "preview/l_beamvista_param_open_gl_dialog.h"

namespace {

// "o_fog_3d" stands on the Fog panel as well: both boxes follow the one parameter.
constexpr ParamBinding kCheckboxes[] = {
    {2201, "o_force_generic_opengl"}, {2033, "o_enhanced_lines"}, {2036, "o_enhanced_lines_beam"},
    {2034, "o_beam_profile"},         {2035, "o_polygon_smooth"}, {2210, "o_fog_3d"},
};

constexpr ParamBinding kButtons[] = {
    {2204, "o_opengl_default"},
    {2202, "o_opengl_save_as_default"},
    {2203, "o_opengl_reset"},
};

constexpr ParamPanelLayout kLayout{kCheckboxes, kButtons, {}, {}, {}};

} // namespace

LBeamvistaParamOpenGlDialog::LBeamvistaParamOpenGlDialog() : LBeamvistaParamPanel(kLayout)
{
}
