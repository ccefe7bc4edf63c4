#include "preview/l_beamvista_param_bg_bitmap_dialog.h"

namespace {

// The switch is bound by the bare prefix: its key ends in "." and the registry's lookup, which
// drops a final ".", finds the slot's switch "o_bg<n>".
constexpr ParamBinding kCheckboxes[] = {{2240, ""}};
constexpr ParamBinding kButtons[] = {{2241, "load"}};
constexpr ParamBinding kEdits[] = {
    {2242, "filename"}, {2243, "intensity"}, {2245, "size_x"},
    {2247, "size_y"},   {2250, "pos_x"},     {2252, "pos_y"},
};
constexpr ParamBinding kSpins[] = {
    {2244, "intensity"}, {2246, "size_x"}, {2248, "size_y"}, {2251, "pos_x"}, {2253, "pos_y"},
};
constexpr ParamXYBinding kSpinXYs[] = {
    {2249, "size_x", "size_y", 1},
    {2254, "pos_x", "pos_y", 0},
};

constexpr ParamPanelLayout kLayout{kCheckboxes, kButtons, kEdits, kSpins, kSpinXYs};

} // namespace

LBeamvistaParamBgBitmapDialog::LBeamvistaParamBgBitmapDialog(int32_t slot) : LBeamvistaParamPanel(kLayout)
{
    SetIndex(slot);
}

void LBeamvistaParamBgBitmapDialog::SetIndex(int32_t slot)
{
    slot_ = slot;
    prefix_ = XAString::Format("o_bg%d_", slot);
}

XAString LBeamvistaParamBgBitmapDialog::ParameterName(const char* name) const
{
    XAString full = prefix_;
    full += name;
    return full;
}
