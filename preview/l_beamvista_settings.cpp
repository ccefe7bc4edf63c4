// Settings files, resets and background pictures.
#include "preview/l_beamvista.h"

#include "controls/file_filter.h"
#include "foundation/archives/archive_file.h"
#include "platform/message_box.h"
#include "preview/l_beamvista_modal_guard.h"
#include "preview/settings_file.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kParameterFileFilter = "Zyl Parameter Files |*.zyp|All Files (*.*)|*.*||";
constexpr const char* kParameterFileExtension = "zyp";
constexpr const char* kPictureFileFilter =
    "All Known Formats|*.jpg;*.jpeg;*.png|JPEG (*.jpg, *.jpeg)|*.jpg;*.jpeg|"
    "Portable Network Graphics (*.png)|*.png|All Files (*.*)|*.*||";
constexpr const char* kSavingFailedCaption = "Saving failed";
constexpr const char* kLoadingFailedCaption = "Loadi failed!";
constexpr const char* kLoadFailedCaption = "Load failed";
constexpr int32_t kBackgroundOn = 1;
constexpr int32_t kBackgroundFromShow = 2;
// The longest text a background's file-name parameter takes.
constexpr int32_t kLongestPictureName = 255;
// A background picture as loaded: intensity 1, size 1 x 1, at the centre, 1.
constexpr LLaserPreviewBitmap::Parameters kNewBackground{1, 1, 0, 0, 1};

void ReportFileError(const XAString& path, const XAString& text, const char* caption)
{
    const XAString message = path + "\n\n" + text;
    CurrentMessageBoxService().Show(message.CStr(), caption, MessageBoxIcon::Error, MessageBoxButtons::Ok);
}

// A window size from a file is taken only when the monitors together could show it.
bool FitsMonitors(int32_t width, int32_t height)
{
    const std::vector<UiMonitor> monitors = CurrentUiEnvironment().Monitors();
    if (monitors.empty())
        return false;
    UiRect all = monitors.front().rect;
    for (const UiMonitor& monitor : monitors) {
        all.left = std::min(all.left, monitor.rect.left);
        all.top = std::min(all.top, monitor.rect.top);
        all.right = std::max(all.right, monitor.rect.right);
        all.bottom = std::max(all.bottom, monitor.rect.bottom);
    }
    return width <= all.right - all.left && height <= all.bottom - all.top;
}

// The name a background's file-name parameter keeps: the path, or when that is too long for it,
// the path's file name. Empty when even that is too long.
XAString StoredPictureName(const XAString& path)
{
    if (path.Length() <= kLongestPictureName)
        return path;
    const std::string_view view = path.View();
    const size_t slash = view.find_last_of('/');
    const XAString name(slash == std::string_view::npos ? view : view.substr(slash + 1));
    return name.Length() <= kLongestPictureName ? name : XAString();
}

} // namespace

bool LBeamvista::PromptParameterFile(XAString& path, bool save)
{
    UiFileDialogRequest request;
    request.save = save;
    request.filter = kParameterFileFilter;
    request.owner = WindowId();
    UiFileDialogResult result;
    if (!CurrentUiEnvironment().RunFileDialog(request, result) || result.paths.empty())
        return false;
    path = result.paths.front().c_str();
    if (save)
        path = WithDefaultExtension(path, kParameterFileExtension);
    return true;
}

bool LBeamvista::SaveSettingsFile(const XAString& path)
{
    if (openDialogActive_)
        return false;
    openDialogActive_ = true;
    LBeamvistaModalGuard modal(*this);
    XAString chosen = path;
    bool saved = false;
    if (!chosen.IsEmpty() || PromptParameterFile(chosen, true)) {
        const CError status = SaveSettingsFileAt(chosen.CStr(), livePars_, pictures_);
        if (status.Failed())
            ReportFileError(chosen, status.Text(), kSavingFailedCaption);
        saved = !status.Failed();
    }
    openDialogActive_ = false;
    return saved;
}

bool LBeamvista::LoadSettingsFile(const XAString& path)
{
    if (openDialogActive_)
        return false;
    openDialogActive_ = true;
    LBeamvistaModalGuard modal(*this);
    XAString chosen = path;
    bool loaded = false;
    if (!chosen.IsEmpty() || PromptParameterFile(chosen, false))
        loaded = ReadSettingsFileAt(chosen);
    openDialogActive_ = false;
    return loaded;
}

bool LBeamvista::ReadSettingsFileAt(const XAString& path)
{
    LSettingsFileContent content;
    // Fields the file does not carry keep their current values.
    content.pars.Assign(livePars_, kBeamvistaFileGroups);
    LArchiveFile file(path.CStr(), kArchiveFileRead, true);
    if (!ReadSettingsFile(file, content)) {
        ReportFileError(path, file.Status().Text(), kLoadingFailedCaption);
        return false;
    }
    if (content.hasAvi) {
        aviSettings_.frameRate = content.avi.frameRate;
        aviSettings_.options = content.avi.options;
        aviSettings_.state = content.avi.state;
        aviSettings_.text = content.avi.text;
        aviSettings_.data = content.avi.data;
    }
    if (content.hasAviSwitches) {
        aviSettings_.switch1 = content.avi.switch1;
        aviSettings_.switch2 = content.avi.switch2;
    }
    if (content.hasWindowSize && content.width > 0 && content.height > 0 &&
        FitsMonitors(content.width, content.height))
        SetClientSize(content.width, content.height);
    pictures_ = content.pictures;
    content.pars.ApplyToParameters(kBeamvistaFileGroups);
    ReloadAllBitmapTextures();
    Redraw();
    return true;
}

void LBeamvista::ResetParameters(bool fromShow, uint32_t groupMask)
{
    BindParameters();
    LBeamvistaPars work = BeamvistaDefaultPars();
    work.LoadOpenGlDefaults();
    if (!fileParameterText_.IsEmpty()) {
        filePrevPars_.Assign(work, kBeamvistaShowGroups);
        filePars_.Assign(filePrevPars_, kBeamvistaShowGroups);
        filePars_.FromString(fileParameterText_, kBeamvistaShowGroups);
        if (fromShow)
            work.Assign(filePars_, kBeamvistaShowGroups);
    }
    if (!livePars_.IsEqual(work, groupMask))
        work.ApplyToParameters(groupMask);
}

void LBeamvista::SetFileParameters(const XAString& text)
{
    BindParameters();
    if (fileParameterText_.IsEmpty() && text.IsEmpty())
        return;
    LBeamvistaPars work = livePars_;
    // The previous show's settings go back where the user left them alone.
    if (!fileParameterText_.IsEmpty())
        work.UpdateUnchanged(filePars_, filePrevPars_, kBeamvistaShowGroups);
    fileParameterText_ = text;
    if (!fileParameterText_.IsEmpty()) {
        filePrevPars_.Assign(work, kBeamvistaShowGroups);
        filePars_.Assign(work, kBeamvistaShowGroups);
        filePars_.FromString(fileParameterText_, kBeamvistaShowGroups);
        // The show's settings replace what the user kept at the defaults.
        work.UpdateUnchanged(BeamvistaDefaultPars(), filePars_, kBeamvistaShowGroups);
    }
    if (!livePars_.IsEqual(work, kBeamvistaShowGroups))
        work.ApplyToParameters(kBeamvistaShowGroups);
}

void LBeamvista::ClearFileParameters()
{
    SetFileParameters(XAString());
}

void LBeamvista::ChooseBackgroundImage(int32_t slot)
{
    if (openDialogActive_ || slot < 0 || slot >= kBeamvistaBackgroundCount)
        return;
    openDialogActive_ = true;
    LBeamvistaModalGuard modal(*this);
    UiFileDialogRequest request;
    request.filter = kPictureFileFilter;
    request.fileName = livePars_.BgFilename(slot).CStr();
    request.owner = WindowId();
    UiFileDialogResult result;
    if (CurrentUiEnvironment().RunFileDialog(request, result) && !result.paths.empty())
        LoadBackgroundImage(result.paths.front().c_str(), slot, nullptr);
    openDialogActive_ = false;
}

bool LBeamvista::HasBackgroundPicture(int32_t slot) const
{
    return slot >= 0 && slot < static_cast<int32_t>(pictures_.size()) &&
           !pictures_[slot].FileBytes().IsEmpty();
}

bool LBeamvista::LoadBackgroundImage(const XAString& name, int32_t slot, const XAString* bytes)
{
    LBeamvistaPars pars = livePars_;
    if (slot < 0) {
        for (slot = 0; slot < kBeamvistaBackgroundCount && !pars.BgFilename(slot).IsEmpty(); ++slot) {
        }
    }
    if (slot >= kBeamvistaBackgroundCount)
        return false;
    // The parameter would refuse a longer name and the picture would go with the next change.
    const XAString storedName = StoredPictureName(name);
    if (storedName.IsEmpty() && !name.IsEmpty()) {
        ReportFileError(name, XAString::Format("Maximum of %d chars allowed!", kLongestPictureName),
                        kLoadFailedCaption);
        return false;
    }
    LLaserPreviewBitmap picture;
    const CError error = picture.Load(name.CStr(), bytes, kNewBackground);
    if (error.Failed()) {
        ReportFileError(name, error.Text(), kLoadFailedCaption);
        return false;
    }
    pars.BgFilename(slot) = storedName;
    pars.BgSwitch(slot) = kBackgroundOn;
    pars.ApplyToParameters(kBeamvistaAllGroups);
    pictures_[slot] = picture;
    ReloadAllBitmapTextures();
    Redraw();
    return true;
}

bool LBeamvista::RemoveBackgroundImage(int32_t slot)
{
    LBeamvistaPars pars = livePars_;
    if (slot < 0) {
        for (slot = kBeamvistaBackgroundCount - 1; slot >= 0 && pars.BgFilename(slot).IsEmpty(); --slot) {
        }
        if (slot < 0)
            return false;
    }
    if (slot >= kBeamvistaBackgroundCount)
        return false;
    pars.BgSwitch(slot) = kBackgroundFromShow;
    pars.BgFilename(slot) = XAString();
    pars.ApplyToParameters(kBeamvistaAllGroups);
    return true;
}
