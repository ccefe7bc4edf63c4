// LFileDialog: the program's open and save dialog, the window system's file chooser behind
// UiEnvironment. Any number of files may be chosen at once; the working folder never changes.
// A save name without an extension gets the default one, and the question whether to replace an
// existing file is asked about that name. PromptFileName and PromptParameterFile ask for one path.
// GUI thread only; timers and paints go on while the dialog runs.
#pragma once

#include "foundation/strings/xa_string.h"
#include "platform/ui_window_id.h"

#include <cstdint>
#include <vector>

// The dialog's flags, as the callers name them.
enum LFileDialogFlags : uint32_t {
    kOfnOverwritePrompt = 0x2,
    kOfnHideReadOnly = 0x4,
    kOfnNoChangeDir = 0x8,
    kOfnAllowMultiSelect = 0x200,
    kOfnPathMustExist = 0x800,
    kOfnFileMustExist = 0x1000,
    kOfnExplorer = 0x80000,
    kOfnEnableSizing = 0x800000,
};

class LFileDialog
{
  public:
    static constexpr int32_t kIdOk = 1;
    static constexpr int32_t kIdCancel = 2;

    // filter: "description|patterns|...||"; fileName: the initial name (a path may carry a folder).
    LFileDialog(bool openDialog, const char* defaultExtension, const char* fileName, uint32_t flags,
                const char* filter, UiWindowId parent);

    void SetInitialFolder(const XAString& folder) { folder_ = folder; }
    // Empty: the system's title.
    void SetTitle(const XAString& title) { title_ = title; }

    // kIdOk once the user chose; kIdCancel for a cancel or a chooser that could not run.
    int32_t DoModal();
    // Every chosen path, in the chooser's order; an empty list when nothing was chosen.
    bool GetSelectedFiles(std::vector<XAString>& files) const;
    // The first chosen path; empty when nothing was chosen.
    XAString GetPathName() const;

  private:
    // A save name the user wants to replace, or one that does not exist yet.
    bool MayWrite(const XAString& path) const;

    bool openDialog_;
    XAString defaultExtension_;
    XAString fileName_;
    uint32_t flags_;
    XAString filter_;
    UiWindowId parent_;
    XAString folder_;
    XAString title_;
    std::vector<XAString> chosen_;
};

// Asks for one path: an open dialog (the file must exist) or a save dialog (replacing asks first).
// The folder of path is the initial one. True with the chosen path in path; a cancel leaves it.
bool PromptFileName(XAString& path, bool save, UiWindowId parent, const char* title, const char* filter,
                    const char* defaultExtension);
// PromptFileName for parameter files (".zyp").
bool PromptParameterFile(XAString& path, bool save, UiWindowId parent, const char* title);
