// The show list and playback control: the preview's thin side over its LShowPlayback.
#include "preview/l_beamvista.h"

#include "controls/l_file_dialog.h"
#include "platform/deliverable_kind.h"
#include "preview/l_beamvista_modal_guard.h"

namespace {

constexpr int32_t kVirtualKeyShift = 0x10;
constexpr int32_t kVirtualKeyControl = 0x11;
constexpr const char* kShowFilter = "Zyl Files|*.zyl|All Files (*.*)|*.*||";
constexpr const char* kShowExtension = "zyl";

} // namespace

bool LBeamvista::HasOpenShow() const
{
    return playback_.IsShowOpen();
}

int32_t LBeamvista::ShowCount() const
{
    return playback_.EntryCount();
}

int32_t LBeamvista::CurrentIndex() const
{
    return playback_.CurrentIndex();
}

const XAString& LBeamvista::CurrentPath() const
{
    return playback_.CurrentPath();
}

bool LBeamvista::AddShow(const XAString& path, const XAString& data, int32_t dataInfo, int32_t* need,
                         bool complete)
{
    return playback_.AddShow(path, data, dataInfo, need, complete);
}

bool LBeamvista::OpenEntry(int32_t index, bool backwards, bool report, int32_t* need, bool complete)
{
    return playback_.OpenEntry(index, backwards, report, need, complete);
}

bool LBeamvista::StepFile(bool next)
{
    return playback_.StepFile(next);
}

bool LBeamvista::CloseCurrentEntry()
{
    return playback_.CloseCurrentEntry();
}

void LBeamvista::CloseAll(bool dropPictures)
{
    playback_.CloseAll(dropPictures);
}

bool LBeamvista::OpenPath(const XAString& path, bool replace)
{
    return playback_.OpenPath(path, replace);
}

bool LBeamvista::OpenCollected(std::vector<XAString> list, bool replace)
{
    return playback_.OpenCollected(std::move(list), replace);
}

void LBeamvista::OnDropFiles(const std::vector<std::string>& paths)
{
    std::vector<XAString> names(paths.begin(), paths.end());
    UiEnvironment& ui = CurrentUiEnvironment();
    playback_.OpenDropped(names, ui.IsKeyDown(kVirtualKeyShift) || ui.IsKeyDown(kVirtualKeyControl));
}

bool LBeamvista::OpenFileDialog(bool append)
{
    // The control plays what its page gives it; a file of the user's own choice has no place there.
    if (openDialogActive_ || CurrentDeliverableKind() == DeliverableKind::Control)
        return false;
    // Timers and paints go on inside the dialog; a second Open from one of them returns at once.
    openDialogActive_ = true;
    LBeamvistaModalGuard busy(*this);
    LFileDialog dialog(true, kShowExtension, "",
                       kOfnHideReadOnly | kOfnNoChangeDir | kOfnAllowMultiSelect | kOfnFileMustExist |
                           kOfnExplorer | kOfnEnableSizing,
                       kShowFilter, WindowId());
    std::vector<XAString> paths;
    bool result = false;
    if (dialog.DoModal() == LFileDialog::kIdOk && dialog.GetSelectedFiles(paths)) {
        if (!append)
            CloseAll(true);
        result = true;
        for (const XAString& path : paths) {
            if (!AddShow(path, XAString(), -1, nullptr, true)) {
                result = false;
                break;
            }
        }
    }
    openDialogActive_ = false;
    return result;
}

bool LBeamvista::Play()
{
    return playback_.Play();
}

bool LBeamvista::Pause()
{
    return playback_.Pause();
}

bool LBeamvista::Stop()
{
    return playback_.Stop();
}

bool LBeamvista::TogglePlayPause()
{
    return playback_.TogglePlayPause();
}

bool LBeamvista::IsPaused() const
{
    return playback_.IsPaused();
}

bool LBeamvista::Seek(int64_t time, bool absolute, bool clamp, bool keepPaused)
{
    return playback_.Seek(time, absolute, clamp, keepPaused);
}

bool LBeamvista::Navigate(uint32_t flags)
{
    return playback_.Navigate(flags);
}

bool LBeamvista::SeekToTime(int64_t time, bool keepPaused)
{
    return playback_.SeekToTime(time, keepPaused);
}

bool LBeamvista::SeekFraction(float fraction)
{
    return playback_.SeekFraction(fraction);
}

LLaserPreviewStream* LBeamvista::ShowStreamAt(int64_t& time)
{
    if (!playback_.IsShowOpen())
        return nullptr;
    time = playback_.Position();
    return &playback_.Stream();
}
