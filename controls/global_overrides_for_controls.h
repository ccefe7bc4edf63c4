// The one colour hook of the owner-drawn controls and the panel stack: a colour for each role
// number, asked at every paint. The global hook forwards to a default implementation that takes
// a desktop colour for the role and tints two of them (the caption button's fill and the
// background of a value off its default).
#pragma once

#include "platform/raster_bitmap.h"

#include <cstdint>

enum ControlColourRole : int32_t {
    kRoleButtonText = 0,
    kRoleButtonFace = 1,
    kRoleHighlight = 2,
    kRoleShadow = 3,
    kRoleLight = 4,
    kRoleDarkShadow = 5,
    kRoleCaptionFill = 6,
    kRoleCaptionText = 7,
    kRoleCaptionPenPressed = 8,
    kRoleCaptionPen = 9,
    kRoleShadowSpare = 10,
    kRoleTickAtDefault = 11,
    kRoleBoxAtDefault = 12,
    kRoleTextOffDefault = 13,
    kRoleBackOffDefault = 14,
};

class LGlobalOverridesForControlsInterface
{
  public:
    virtual ~LGlobalOverridesForControlsInterface() = default;
    virtual RgbColour GetColor(int32_t role) = 0;
};

class LGlobalOverridesForControlsDefault : public LGlobalOverridesForControlsInterface
{
  public:
    RgbColour GetColor(int32_t role) override;
    // The role's tint applied to a colour: each component times a percentage, held to 0..255.
    virtual RgbColour ModifyColor(int32_t role, RgbColour colour);
    // The desktop colour behind a role; white for a role without one.
    virtual RgbColour GetBaseColor(int32_t role);
};

class LGlobalOverridesForControls : public LGlobalOverridesForControlsInterface
{
  public:
    explicit LGlobalOverridesForControls(LGlobalOverridesForControlsInterface* target) : target_(target) {}
    virtual ~LGlobalOverridesForControls() = default;

    RgbColour GetColor(int32_t role) override { return target_->GetColor(role); }

  private:
    LGlobalOverridesForControlsInterface* target_;
};

LGlobalOverridesForControls& GlobalOverridesForControls();
// Shorthand for the global hook's colour of a role.
RgbColour ControlColour(int32_t role);
