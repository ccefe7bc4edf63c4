// How a parameter change reaches the preview: before it is committed (generic OpenGL takes
// polygon smoothing off), and once it is done (the smallest rebuild that shows it).
#include "preview/l_beamvista.h"

#include "messaging/value_msg.h"
#include "messaging/value_notify_msg.h"
#include "preview/parameter_change_plan.h"

void LBeamvista::OnChanged(LValueNotifyMsg& msg)
{
    OnParameterChange(msg);
}

void LBeamvista::OnDone(LValueNotifyMsg& msg)
{
    OnParameterChangeDone(msg);
}

void LBeamvista::OnParameterChange(LValueNotifyMsg&)
{
    LBeamvistaPars committed;
    committed.ReadFromParameters();
    LBeamvistaPars incoming;
    incoming.ReadNewFromParameters();
    if (!committed.o_force_generic_opengl && incoming.o_force_generic_opengl && incoming.o_polygon_smooth) {
        incoming.o_polygon_smooth = 0;
        incoming.ApplyToParameters(kBeamvistaAllGroups);
    }
}

std::array<bool, kBeamvistaBackgroundCount> LBeamvista::SlotsWithNamedPictures() const
{
    std::array<bool, kBeamvistaBackgroundCount> named{};
    for (int32_t n = 0; n < kBeamvistaBackgroundCount; ++n)
        named[n] = !pictures_[n].FileBytes().IsEmpty() && !pictures_[n].Name().IsEmpty();
    return named;
}

void LBeamvista::OnParameterChangeDone(LValueNotifyMsg& msg)
{
    LBeamvistaPars next;
    next.ReadFromParameters();
    const bool interactive = (msg.flags & LValueMsg::kFlagInteractive) != 0;
    if (!HasWindow() || !MakeCurrent()) {
        // The rebuild waits for the next context; the one-shot actions need none.
        const ParameterChangePlan plan = PlanParameterChange(livePars_, next, SlotsWithNamedPictures());
        rebuildPending_ = rebuildPending_ || HasWindow();
        livePars_ = next;
        ResetChannelDefaults();
        if (interactive)
            RunOneShotActions(plan);
        return;
    }
    const ParameterChangePlan plan = PlanParameterChange(livePars_, next, SlotsWithNamedPictures());
    const uint8_t previousGeneric = livePars_.o_force_generic_opengl;
    livePars_ = next;
    ResetChannelDefaults();
    if (plan.recreate && creatingContext_) {
        recreateDeferred_ = true;
    } else if (plan.recreate) {
        WindowPlacement placement;
        CurrentPlacement(fullScreen_, placement);
        if (!Recreate()) {
            RecreateWithPreviousGeneric(previousGeneric, placement);
            return;
        }
    } else {
        ApplyRebuild(plan);
        Redraw();
    }
    if (interactive)
        RunOneShotActions(plan);
}

void LBeamvista::ApplyRebuild(const ParameterChangePlan& plan)
{
    if (plan.glState)
        ApplyGLState();
    if (plan.allTextures) {
        BuildAllTextures();
    } else {
        if (plan.fogTexture)
            BuildTexture(kFogTexture);
        if (plan.beamProfileTexture)
            BuildTexture(kBeamProfileTexture);
        if (plan.AnySlotEmptied()) {
            for (int32_t n = 0; n < kBeamvistaBackgroundCount; ++n) {
                if (plan.emptySlot[n])
                    pictures_[n].Clear();
            }
            ReloadAllBitmapTextures();
        }
    }
}

// A window that cannot be made with the new switch is made again with the old one, and the switch
// goes back, so the user keeps a picture and sees the refusal in the dialog.
void LBeamvista::RecreateWithPreviousGeneric(uint8_t previousGeneric, const WindowPlacement& placement)
{
    LBeamvistaPars restored = livePars_;
    restored.o_force_generic_opengl = previousGeneric;
    livePars_ = restored;
    CreatePreviewWindow(placement.kind, placement.parent, placement.rect);
    restored.ApplyToParameters(kBeamvistaAllGroups);
}

void LBeamvista::RunOneShotActions(const ParameterChangePlan& plan)
{
    if (plan.openGlReset)
        ApplyDriverDefaults();
    if (plan.openGlDefault)
        LoadOpenGlDefaults(true);
    if (plan.openGlSaveAsDefault)
        SaveOpenGlDefaults();
    if (plan.loadBackground >= 0)
        ChooseBackgroundImage(plan.loadBackground);
}

void LBeamvista::RunPendingRebuild()
{
    if (!rebuildPending_)
        return;
    rebuildPending_ = false;
    ApplyGLState();
    BuildAllTextures();
}
