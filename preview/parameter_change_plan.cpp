#include "preview/parameter_change_plan.h"

namespace {

// Exact comparison on purpose: a rebuild follows every change the user can make, however small.
template <class... Fields> bool AnyDiffers(const LBeamvistaPars& a, const LBeamvistaPars& b, Fields... fields)
{
    return ((a.*fields != b.*fields) || ...);
}

} // namespace

bool ParameterChangePlan::AnySlotEmptied() const
{
    for (bool emptied : emptySlot) {
        if (emptied)
            return true;
    }
    return false;
}

ParameterChangePlan PlanParameterChange(const LBeamvistaPars& live, const LBeamvistaPars& next,
                                        const std::array<bool, kBeamvistaBackgroundCount>& slotHasNamedPicture)
{
    using P = LBeamvistaPars;
    ParameterChangePlan plan;
    plan.recreate = live.o_force_generic_opengl != next.o_force_generic_opengl;
    plan.glState = AnyDiffers(live, next, &P::p0x10099, &P::p0x10098, &P::o_polygon_smooth, &P::p0x10100,
                              &P::p0x10110, &P::p0x10120, &P::p0x10130, &P::p0x10140, &P::o_line_width,
                              &P::o_no_blending);
    plan.fogTexture = AnyDiffers(live, next, &P::o_fog_3d, &P::p0x91215, &P::p0x91200, &P::o_fog_cloud_mix,
                                 &P::p0x91205, &P::p0x91206, &P::p0x91207, &P::p0x91208, &P::o_fog_structure);
    plan.allTextures = AnyDiffers(live, next, &P::p0x10210, &P::p0x10220, &P::p0x10230);
    plan.beamProfileTexture = AnyDiffers(live, next, &P::p0x21050, &P::p0x21060, &P::p0x21070);
    // Textures are made with the GL state in force, so every texture rebuild re-applies it.
    plan.glState = plan.glState || plan.fogTexture || plan.allTextures || plan.beamProfileTexture;

    LBeamvistaPars nextCopy = next;
    LBeamvistaPars liveCopy = live;
    for (int32_t n = 0; n < kBeamvistaBackgroundCount; ++n) {
        plan.emptySlot[n] = slotHasNamedPicture[n] && nextCopy.BgFilename(n).IsEmpty();
        if (plan.loadBackground < 0 && liveCopy.BgLoad(n) != nextCopy.BgLoad(n))
            plan.loadBackground = n;
    }
    plan.openGlReset = live.o_opengl_reset != next.o_opengl_reset;
    plan.openGlDefault = live.o_opengl_default != next.o_opengl_default;
    plan.openGlSaveAsDefault = live.o_opengl_save_as_default != next.o_opengl_save_as_default;
    return plan;
}
