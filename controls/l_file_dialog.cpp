#include "controls/l_file_dialog.h"

#include "controls/file_filter.h"
#include "foundation/files/fs_name.h"
#include "platform/message_box.h"
#include "platform/ui_environment.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kSaveTitle = "Save As";
constexpr const char* kReplaceQuestion = " already exists.\nDo you want to replace it?";
constexpr const char* kParameterFilter = "Zyl Parameter Files |*.zyp|All Files (*.*)|*.*||";
constexpr const char* kParameterExtension = "zyp";
constexpr uint32_t kOpenFlags = kOfnHideReadOnly | kOfnNoChangeDir | kOfnPathMustExist | kOfnFileMustExist |
                                kOfnExplorer | kOfnEnableSizing;
constexpr uint32_t kSaveFlags = kOfnOverwritePrompt | kOfnHideReadOnly | kOfnNoChangeDir | kOfnPathMustExist |
                                kOfnExplorer | kOfnEnableSizing;

// The folder part of a path without its trailing separators; empty when it has none.
XAString FolderOf(const XAString& path)
{
    return XAFsName(XAFsName(path).DirectoryPart()).StripTrailingSlashes();
}

bool Exists(const XAString& path)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(path.CStr()), error);
}

} // namespace

LFileDialog::LFileDialog(bool openDialog, const char* defaultExtension, const char* fileName, uint32_t flags,
                         const char* filter, UiWindowId parent)
    : openDialog_(openDialog), defaultExtension_(defaultExtension != nullptr ? defaultExtension : ""),
      fileName_(fileName != nullptr ? fileName : ""), flags_(flags), filter_(filter != nullptr ? filter : ""),
      parent_(parent)
{
}

int32_t LFileDialog::DoModal()
{
    UiFileDialogRequest request;
    request.save = !openDialog_;
    request.multiple = openDialog_ && (flags_ & kOfnAllowMultiSelect) != 0;
    request.title = title_.CStr();
    request.filter = ChooserFilterText(filter_.CStr());
    request.folder = (folder_.IsEmpty() ? FolderOf(fileName_) : folder_).CStr();
    request.fileName = XAFsName(fileName_).FileNamePart().CStr();
    request.owner = parent_;
    chosen_.clear();
    for (;;) {
        UiFileDialogResult result;
        if (!CurrentUiEnvironment().RunFileDialog(request, result))
            return kIdCancel;
        std::vector<XAString> chosen;
        for (const std::string& path : result.paths)
            chosen.emplace_back(path.c_str());
        if (openDialog_ || chosen.empty()) {
            chosen_ = std::move(chosen);
            return kIdOk;
        }
        const XAString path = WithDefaultExtension(chosen.front(), defaultExtension_.CStr());
        if (MayWrite(path)) {
            chosen_.assign(1, path);
            return kIdOk;
        }
        // Not replaced: the chooser comes back with the name the user gave.
        request.folder = FolderOf(path).CStr();
        request.fileName = XAFsName(path).FileNamePart().CStr();
        request.filterIndex = result.filterIndex;
    }
}

bool LFileDialog::MayWrite(const XAString& path) const
{
    if ((flags_ & kOfnOverwritePrompt) == 0 || !Exists(path))
        return true;
    const XAString question = path + kReplaceQuestion;
    const char* caption = title_.IsEmpty() ? kSaveTitle : title_.CStr();
    return CurrentMessageBoxService().Show(question.CStr(), caption, MessageBoxIcon::Warning,
                                           MessageBoxButtons::YesNo) == MessageBoxAnswer::Yes;
}

bool LFileDialog::GetSelectedFiles(std::vector<XAString>& files) const
{
    files = chosen_;
    return true;
}

XAString LFileDialog::GetPathName() const
{
    return chosen_.empty() ? XAString() : chosen_.front();
}

bool PromptFileName(XAString& path, bool save, UiWindowId parent, const char* title, const char* filter,
                    const char* defaultExtension)
{
    LFileDialog dialog(!save, defaultExtension, path.CStr(), save ? kSaveFlags : kOpenFlags, filter, parent);
    if (title != nullptr)
        dialog.SetTitle(title);
    if (dialog.DoModal() != LFileDialog::kIdOk)
        return false;
    const XAString chosen = dialog.GetPathName();
    if (chosen.IsEmpty())
        return false;
    path = chosen;
    return true;
}

bool PromptParameterFile(XAString& path, bool save, UiWindowId parent, const char* title)
{
    return PromptFileName(path, save, parent, title, kParameterFilter, kParameterExtension);
}
