// The loop that moves the picture: one 10 ms window timer whose ticks ask for a redraw, the paint
// with its fixed order of steps, and the decision whether anything still moves.
#include "preview/l_beamvista.h"

#include "foundation/tasks/sys_clock.h"
#include "platform/gl/gl_surface.h"
#include "preview/fog_noise_missing.h"

#include <GL/gl.h>

namespace {

constexpr int32_t kSizeLineCs = 100;
constexpr float kDriftingFogIntensity = 0.001f;

} // namespace

int32_t LBeamvista::NowCs()
{
    // The clock starts at 0, and 0 means "no time" in the members that hold one.
    const auto now = static_cast<int32_t>(GetSysTimeCs());
    return now != 0 ? now : 1;
}

uint32_t LBeamvista::StartTimer()
{
    if (timerId_ == 0)
        timerId_ = CurrentUiEnvironment().SetTimer(*this, kTimerId, kTimerPeriodMs);
    return timerId_;
}

bool LBeamvista::StopTimer()
{
    if (timerId_ == 0)
        return false;
    DeliverStatus();
    const bool killed = CurrentUiEnvironment().KillTimer(*this, timerId_);
    timerId_ = 0;
    return killed;
}

void LBeamvista::OnTimer(uint32_t id)
{
    // A tick that arrives while a nested loop runs inside the previous one is dropped.
    if (inTimer_)
        return;
    inTimer_ = true;
    if (id == timerId_) {
        Redraw();
        DeliverStatus();
    }
    inTimer_ = false;
}

void LBeamvista::Redraw()
{
    CheckCursorHide();
    if (HasWindow() && window_->PaintNow())
        return;
    // Hidden or covered: playback, sound and the list go on without a picture.
    UpdateFrameClock(-1);
    AdvancePlayback();
}

void LBeamvista::OnPaint()
{
    UpdateFrameClock(-1);
    AdvancePlayback();
    AfterPaint();
    if (surface_ && !buildingTexture_)
        surface_->Present();
}

void LBeamvista::AdvancePlayback()
{
    StepPlayback();
    if (sizeShownAt_ != 0 && std::abs(NowCs() - sizeShownAt_) > kSizeLineCs)
        sizeShownAt_ = 0;
}

void LBeamvista::AfterPaint()
{
    if (FogNoiseMissing) {
        FogNoiseMissing = false;
        if (livePars_.o_fog_3d) {
            LBeamvistaPars withoutFog3d = livePars_;
            withoutFog3d.o_fog_3d = 0;
            withoutFog3d.ApplyToParameters(kBeamvistaAllGroups);
        }
    }
    const bool mustRun = TimerMustRun();
    if (mustRun && timerId_ == 0) {
        StartTimer();
    } else if (!mustRun && timerId_ != 0) {
        RestartSound(0);
        StopTimer();
    }
    if (HasWindow() && window_->IsShown())
        RenderScene();
}

bool LBeamvista::TimerMustRun() const
{
    if (!HasWindow() || !window_->IsShown())
        return false;
    const LBeamvistaPars& p = livePars_;
    return p.p0x9002 != 0 || HasSequenceFrames() || HasOpenShow() || (fullScreen_ && !cursorHidden_) ||
           (p.o_fog_force == 1 && p.o_fog_intensity > kDriftingFogIntensity) || (showInfo_ && sizeShownAt_ != 0);
}

void LBeamvista::RenderScene()
{
    // A texture build pumping the progress box's messages owns the context meanwhile.
    if (!buildingTexture_ && MakeCurrent())
        DrawScene();
}

void LBeamvista::DrawScene()
{
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0, 0, -1);
    overlayText_ = XAString();
    overlayText2_ = XAString();
    DrawInfoLines();
    DrawShowAndStatus();
    DrawTextOverlays();
    glFlush();
    frameClock_.frameDrawn = true;
}

void LBeamvista::UpdateFrameClock(int32_t tick)
{
    FogMotion fog;
    fog.speed = livePars_.o_fog_speed;
    fog.dirDegrees = livePars_.o_fog_dir;
    fog.dir2Degrees = livePars_.o_fog_dir2;
    fog.twoDimensional = FogTextureIs2d();
    frameClock_.Update(tick, NowCs(), fog);
}

int32_t LBeamvista::OnClearRequest()
{
    Redraw();
    return 0;
}

void LBeamvista::DrawShowAndStatus()
{
    DrawUserPictures();
    DrawTestPatterns();
    DrawShowFrames();
    if (!DrawSequenceFrame())
        DrawPostedFrame();
}

void LBeamvista::SetShowInfo(bool on)
{
    showInfo_ = on;
    Redraw();
}

void LBeamvista::SetShowTimecode(bool on)
{
    showTimecode_ = on;
    Redraw();
}

void LBeamvista::SetShowLaserFps(bool on)
{
    showLaserFps_ = on;
    Redraw();
}

void LBeamvista::SetShowPcFps(bool on)
{
    showPcFps_ = on;
    Redraw();
}
