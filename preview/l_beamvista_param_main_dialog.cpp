#include "preview/l_beamvista_param_main_dialog.h"

namespace {

constexpr ParamBinding kCheckboxes[] = {
    {2204, "o_graphics_force"},
    {2205, "o_fog_force"},
    {2208, "o_beam_detect_force"},
    {2209, "o_beam_tab_force"},
};

// Under "Fog" the intensity row holds the fog intensity and its minimum side by side, and the
// position row the scanner's position.
constexpr ParamBinding kEdits[] = {
    {2234, "o_line_width"},         {2206, "o_graphics_intensity"},    {2212, "o_graphics_size_x"},
    {2214, "o_graphics_size_y"},    {2216, "o_graphics_pos_x"},        {2220, "o_graphics_pos_y"},
    {2222, "o_fog_intensity"},      {2224, "o_fog_min_int"},           {2226, "o_scanner_pos_x"},
    {2228, "o_scanner_pos_y"},      {2230, "o_beam_detect_intensity"}, {2236, "o_beam_detect_repeat"},
    {2232, "o_beam_tab_intensity"},
};

constexpr ParamBinding kSpins[] = {
    {2235, "o_line_width"},         {2207, "o_graphics_intensity"},    {2213, "o_graphics_size_x"},
    {2215, "o_graphics_size_y"},    {2217, "o_graphics_pos_x"},        {2221, "o_graphics_pos_y"},
    {2223, "o_fog_intensity"},      {2225, "o_fog_min_int"},           {2227, "o_scanner_pos_x"},
    {2229, "o_scanner_pos_y"},      {2231, "o_beam_detect_intensity"}, {2238, "o_beam_detect_repeat"},
    {2233, "o_beam_tab_intensity"},
};

constexpr ParamXYBinding kSpinXYs[] = {
    {2218, "o_graphics_size_x", "o_graphics_size_y", 1},
    {2219, "o_graphics_pos_x", "o_graphics_pos_y", 0},
    {2237, "o_scanner_pos_x", "o_scanner_pos_y", 0},
};

constexpr ParamPanelLayout kLayout{kCheckboxes, {}, kEdits, kSpins, kSpinXYs};

} // namespace

LBeamvistaParamMainDialog::LBeamvistaParamMainDialog() : LBeamvistaParamPanel(kLayout)
{
}
