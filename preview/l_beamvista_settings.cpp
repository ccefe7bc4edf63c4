// Settings files, resets and background pictures.
#include "preview/l_beamvista.h"

#include "controls/file_filter.h"
#include "foundation/archives/archive_file.h"
#include "foundation/files/file_sync.h"
#include "platform/message_box.h"
#include "preview/l_beamvista_modal_guard.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kParameterFileFilter = "Zyl Parameter Files |*.zyp|All Files (*.*)|*.*||";
constexpr const char* kParameterFileExtension = "zyp";
constexpr int32_t kSettingsVersion = 3;
constexpr int32_t kOldestSettingsReader = 0;
constexpr int32_t kPictureSlots = 8;
constexpr int32_t kEndOfPictures = -1;
constexpr int32_t kTrailerCounts = 4;
constexpr const char* kTemporarySuffix = ".XXXXXX";
constexpr const char* kPictureFileFilter =
    "All Known Formats|*.jpg;*.jpeg;*.png|JPEG (*.jpg, *.jpeg)|*.jpg;*.jpeg|"
    "Portable Network Graphics (*.png)|*.png|All Files (*.*)|*.*||";
constexpr const char* kLoadFailedCaption = "Load failed";
constexpr int32_t kBackgroundOn = 1;
constexpr int32_t kBackgroundFromShow = 2;
// A background picture as loaded: intensity 1, size 1 x 1, at the centre, 1.
constexpr LLaserPreviewBitmap::Parameters kNewBackground{1, 1, 0, 0, 1};

void ReportFileError(const XAString& path, const CError& error, const char* caption)
{
    XAString text = path;
    text += "\n\n";
    text += error.Text();
    CurrentMessageBoxService().Show(text.CStr(), caption, MessageBoxIcon::Error, MessageBoxButtons::Ok);
}

void WriteSettings(LArchiveBase& archive, const LBeamvistaPars& pars,
                   const std::array<LLaserPreviewBitmap, kPictureSlots>& pictures)
{
    archive.WriteVersion(kSettingsVersion, kOldestSettingsReader);
    pars.Write(archive, kBeamvistaFileGroups);
    for (int32_t slot = 0; slot < kPictureSlots; ++slot) {
        if (pictures[slot].FileBytes().IsEmpty())
            continue;
        archive.WriteCount(slot);
        pictures[slot].Write(archive);
    }
    archive.WriteCount(kEndOfPictures);
    // No AVI block, no window size, no AVI switches.
    archive.WriteBool(false);
    archive.WriteBool(false);
    archive.WriteBool(false);
    for (int32_t i = 0; i < kTrailerCounts; ++i)
        archive.WriteCount(0);
}

// Writes next to the file and renames over it, so that a failure loses nothing.
CError SaveSettings(const char* path, const LBeamvistaPars& pars,
                    const std::array<LLaserPreviewBitmap, kPictureSlots>& pictures)
{
    const XAString target = ReplacementTarget(path);
    std::string temporary = std::string(target.CStr()) + kTemporarySuffix;
    const int handle = ::mkstemp(temporary.data());
    CError status;
    if (handle < 0) {
        status.FromSystemCode(errno);
        return status;
    }
    ::fchmod(handle, ReplacementFileMode(target.CStr()));
    LArchiveFile file;
    file.Attach(handle, true, true);
    WriteSettings(file, pars, pictures);
    file.Flush();
    if (!file.HasError() && SyncFileHandle(handle) != 0)
        file.SetSystemError();
    file.Close();
    status = file.Status();
    if (!status.Failed() && std::rename(temporary.c_str(), target.CStr()) != 0)
        status.FromSystemCode(errno);
    if (status.Failed())
        ::unlink(temporary.c_str());
    else
        SyncFolderOf(target.CStr());
    return status;
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
        const CError status = SaveSettings(chosen.CStr(), livePars_, pictures_);
        if (status.Failed())
            ReportFileError(chosen, status, "Saving failed");
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
        loaded = ReadSettingsFile(chosen);
    openDialogActive_ = false;
    return loaded;
}

bool LBeamvista::ReadSettingsFile(const XAString& path)
{
    LBeamvistaPars work;
    std::array<LLaserPreviewBitmap, kPictureSlots> pictures;
    for (LLaserPreviewBitmap& picture : pictures)
        picture.Clear();
    int32_t width = 0;
    int32_t height = 0;
    LArchiveFile file(path.CStr(), kArchiveFileRead, true);
    int32_t version = 0;
    if (file.ReadVersion(kSettingsVersion, kOldestSettingsReader, version)) {
        // Fields the file does not carry keep their current values.
        work.Assign(livePars_, kBeamvistaFileGroups);
        work.Read(file, false);
        while (!file.HasError()) {
            const int32_t slot = file.ReadCount();
            if (slot < 0)
                break;
            LLaserPreviewBitmap scratch;
            (slot < kPictureSlots ? pictures[slot] : scratch).Read(file);
        }
        // The AVI settings of older writers are not kept: nothing here uses them, and a file
        // that holds them is read up to them.
        const bool aviBlock = version >= 1 && file.ReadBool();
        if (!aviBlock && version >= 2 && file.ReadBool()) {
            width = file.ReadI32();
            height = file.ReadI32();
        }
    }
    if (file.HasError()) {
        ReportFileError(path, file.Status(), "Loadi failed!");
        return false;
    }
    if (width > 0 && height > 0)
        SetClientSize(width, height);
    pictures_ = pictures;
    work.ApplyToParameters(kBeamvistaFileGroups);
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
    LLaserPreviewBitmap picture;
    const CError error = picture.Load(name.CStr(), bytes, kNewBackground);
    if (error.Failed()) {
        const XAString text = name + "\n\n" + error.Text();
        CurrentMessageBoxService().Show(text.CStr(), kLoadFailedCaption, MessageBoxIcon::Error,
                                        MessageBoxButtons::Ok);
        return false;
    }
    pars.BgFilename(slot) = name;
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

bool LBeamvista::ExportPictures(bool)
{
    return false;
}
