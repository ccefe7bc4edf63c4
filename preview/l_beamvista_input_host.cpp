#include "preview/l_beamvista_input_host.h"

#include "params/beamvista_pars.h"
#include "preview/l_beamvista.h"

namespace {

constexpr int32_t kGlInfoLineStates = 3;

} // namespace

int32_t LBeamvistaInputHost::ShowCount() const
{
    return preview_.ShowCount();
}

int32_t LBeamvistaInputHost::CurrentIndex() const
{
    return preview_.CurrentIndex();
}

bool LBeamvistaInputHost::IsFullScreen() const
{
    return preview_.IsFullScreen();
}

bool LBeamvistaInputHost::IsChildWindow() const
{
    return preview_.HasWindow() && preview_.Window()->Kind() == NativeWindowKind::Child;
}

UiSize LBeamvistaInputHost::ClientSize() const
{
    return preview_.HasWindow() ? preview_.Window()->ClientRect().Size() : UiSize{};
}

int32_t LBeamvistaInputHost::NowCs() const
{
    return LBeamvista::NowCs();
}

void LBeamvistaInputHost::OpenEntry(int32_t index)
{
    preview_.OpenEntry(index, false, true, nullptr, true);
}

void LBeamvistaInputHost::Navigate(uint32_t how)
{
    preview_.Navigate(how);
}

void LBeamvistaInputHost::OpenFileDialog(bool append)
{
    preview_.OpenFileDialog(append);
}

void LBeamvistaInputHost::CloseCurrentEntry()
{
    preview_.CloseCurrentEntry();
}

void LBeamvistaInputHost::CloseAllCommand()
{
    preview_.CloseAllCommand();
}

void LBeamvistaInputHost::TogglePlayPause()
{
    preview_.TogglePlayPause();
}

void LBeamvistaInputHost::Play()
{
    preview_.Play();
}

void LBeamvistaInputHost::Pause()
{
    preview_.Pause();
}

void LBeamvistaInputHost::SeekBy(int64_t microseconds)
{
    preview_.Seek(microseconds, false, false, false);
}

void LBeamvistaInputHost::ToggleMute()
{
    preview_.SetMute(!preview_.IsMuted());
}

void LBeamvistaInputHost::ToggleFullScreen()
{
    preview_.ToggleFullScreen();
}

void LBeamvistaInputHost::ToggleCaptionFrame()
{
    preview_.ToggleCaptionFrame();
}

bool LBeamvistaInputHost::ToggleTopMost()
{
    return preview_.ToggleTopMost();
}

void LBeamvistaInputHost::SetClientSize(int32_t width, int32_t height)
{
    preview_.SetClientSize(width, height);
}

void LBeamvistaInputHost::ShowGlInfoAndRecreate()
{
    if (preview_.glInfoLineCount_ == 0)
        preview_.glInfoLineCount_ = 1;
    preview_.RecreateWindow(preview_.fullScreen_);
}

void LBeamvistaInputHost::CycleGlInfoLines()
{
    preview_.glInfoLineCount_ = (preview_.glInfoLineCount_ + 1) % kGlInfoLineStates;
    preview_.Redraw();
}

void LBeamvistaInputHost::CaptureMouse(bool capture)
{
    UiEnvironment& environment = CurrentUiEnvironment();
    if (!capture)
        environment.ReleaseCapture();
    else if (preview_.HasWindow())
        environment.SetCapture(preview_.WindowId());
}

bool LBeamvistaInputHost::CursorHidden() const
{
    return preview_.CursorHidden();
}

void LBeamvistaInputHost::WakeCursor()
{
    preview_.WakeCursor();
}

void LBeamvistaInputHost::ToggleInfoLines(uint32_t modifiers)
{
    preview_.ToggleInfoLines(modifiers);
}

void LBeamvistaInputHost::ToggleLoadInfo()
{
    preview_.SetShowLoadInfo(!preview_.ShowLoadInfo());
}

void LBeamvistaInputHost::ToggleSoundInfo()
{
    preview_.SetShowSoundInfo(!preview_.ShowSoundInfo());
}

void LBeamvistaInputHost::MarkSizeShown()
{
    preview_.sizeShownAt_ = LBeamvista::NowCs();
}

bool LBeamvistaInputHost::HasSequenceFrames() const
{
    return preview_.HasSequenceFrames();
}

void LBeamvistaInputHost::EmptySequence()
{
    preview_.EmptyFrameSequence();
}

void LBeamvistaInputHost::StepSequence(int32_t items)
{
    preview_.StepFrameSequence(items);
}

void LBeamvistaInputHost::ShowContextMenu()
{
    preview_.ShowContextMenu();
}

void LBeamvistaInputHost::ShowPlaybackBar()
{
    preview_.ShowPlaybackBar();
}

void LBeamvistaInputHost::ShowParameterDialog()
{
    preview_.ShowParameterDialog();
}

void LBeamvistaInputHost::ResetParameters(bool fromShow)
{
    preview_.ResetParameters(fromShow, kBeamvistaFileGroups);
}

void LBeamvistaInputHost::ExportPictures(bool allSizes)
{
    preview_.ExportPictures(allSizes);
}

void LBeamvistaInputHost::CopyImage()
{
    preview_.CopyImage();
}

void LBeamvistaInputHost::CutImage()
{
    preview_.CutImage();
}

void LBeamvistaInputHost::PasteImage()
{
    preview_.PasteImage();
}

void LBeamvistaInputHost::ResetFog()
{
    preview_.ResetFog();
}

void LBeamvistaInputHost::StepFog(float step)
{
    preview_.StepFog(step);
}

void LBeamvistaInputHost::ResetGraphics()
{
    preview_.ResetGraphics();
}

void LBeamvistaInputHost::StepGraphics(float step)
{
    preview_.StepGraphics(step);
}

void LBeamvistaInputHost::ResetLineWidth()
{
    preview_.ResetLineWidth();
}

void LBeamvistaInputHost::StepLineWidth(float step)
{
    preview_.StepLineWidth(step);
}

void LBeamvistaInputHost::ResetCloudMix()
{
    preview_.ResetCloudMix();
}

void LBeamvistaInputHost::StepCloudMix(float step)
{
    preview_.StepCloudMix(step);
}
