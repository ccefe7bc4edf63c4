// What a completed parameter change asks of the preview: comparing the new values with the live
// ones field by field (exactly, reals included) tells which rebuild is the smallest that shows
// them: a new window, the GL state, some textures, emptied picture slots, or one-shot actions.
#pragma once

#include "params/beamvista_pars.h"

#include <array>
#include <cstdint>

struct ParameterChangePlan
{
    bool recreate = false;
    bool glState = false;
    bool fogTexture = false;
    bool allTextures = false;
    bool beamProfileTexture = false;
    // Background slots that showed a named picture whose file name parameter is now empty.
    std::array<bool, kBeamvistaBackgroundCount> emptySlot{};
    bool openGlReset = false;
    bool openGlDefault = false;
    bool openGlSaveAsDefault = false;
    // The first background whose load switch changed; -1 for none.
    int32_t loadBackground = -1;

    bool AnySlotEmptied() const;
};

// slotHasNamedPicture[n]: background slot n holds a picture with a file name.
ParameterChangePlan PlanParameterChange(const LBeamvistaPars& live, const LBeamvistaPars& next,
                                        const std::array<bool, kBeamvistaBackgroundCount>& slotHasNamedPicture);
