#include "controls/global_overrides_for_controls.h"

#include "controls/system_colours.h"
#include "foundation/strings/never_destroyed.h"

#include <algorithm>

namespace {

struct Tint
{
    int32_t red;
    int32_t green;
    int32_t blue;
};

int32_t TintComponent(int32_t component, int32_t percent)
{
    return std::clamp(component * percent / 100, 0, 255);
}

RgbColour ApplyTint(RgbColour colour, const Tint& tint)
{
    return MakeRgb(static_cast<uint8_t>(TintComponent(colour & 0xFF, tint.red)),
                   static_cast<uint8_t>(TintComponent((colour >> 8) & 0xFF, tint.green)),
                   static_cast<uint8_t>(TintComponent((colour >> 16) & 0xFF, tint.blue)));
}

} // namespace

RgbColour LGlobalOverridesForControlsDefault::GetColor(int32_t role)
{
    return ModifyColor(role, GetBaseColor(role));
}

RgbColour LGlobalOverridesForControlsDefault::ModifyColor(int32_t role, RgbColour colour)
{
    switch (role) {
    case kRoleCaptionFill:
        return ApplyTint(colour, {90, 110, 90});
    case kRoleBackOffDefault:
        return ApplyTint(colour, {110, 90, 50});
    default:
        return colour;
    }
}

RgbColour LGlobalOverridesForControlsDefault::GetBaseColor(int32_t role)
{
    const SystemColourSource& colours = CurrentSystemColours();
    switch (role) {
    case kRoleButtonText:
    case kRoleCaptionText:
    case kRoleCaptionPenPressed:
    case kRoleCaptionPen:
        return colours.Get(SystemColour::kButtonText);
    case kRoleButtonFace:
    case kRoleCaptionFill:
        return colours.Get(SystemColour::kButtonFace);
    case kRoleHighlight:
        return colours.Get(SystemColour::kButtonHighlight);
    case kRoleShadow:
    case kRoleShadowSpare:
        return colours.Get(SystemColour::kButtonShadow);
    case kRoleLight:
        return colours.Get(SystemColour::k3dLight);
    case kRoleDarkShadow:
        return colours.Get(SystemColour::k3dDarkShadow);
    case kRoleTickAtDefault:
    case kRoleTextOffDefault:
        return colours.Get(SystemColour::kWindowText);
    case kRoleBoxAtDefault:
    case kRoleBackOffDefault:
        return colours.Get(SystemColour::kWindow);
    default:
        return kRgbWhite;
    }
}

LGlobalOverridesForControls& GlobalOverridesForControls()
{
    // Never destroyed: controls may paint from static destructors of their owners.
    static XNeverDestroyed<LGlobalOverridesForControlsDefault> defaults;
    static XNeverDestroyed<LGlobalOverridesForControls> global(&defaults.Get());
    return global.Get();
}

RgbColour ControlColour(int32_t role)
{
    return GlobalOverridesForControls().GetColor(role);
}
