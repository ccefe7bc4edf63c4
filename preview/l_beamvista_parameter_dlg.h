// LBeamvistaParameterDlg: the modeless "Beam Vista Parameters" window in which the user edits the
// preview parameters while a show plays. Its panel stack holds the fixed panels Main, Fog, OpenGl
// Setup and Background 1 to 4, whose controls are bound to the global parameters by name, and
// its toolbar resets, loads and saves the parameter set. With a preview the preview's operations
// carry out those commands; without one the dialog edits the global values and only resets.
// It holds no copy of any value.
#pragma once

#include "controls/l_auto_value_handler_dialog.h"
#include "controls/l_dialog_manager_listener.h"
#include "foundation/strings/xa_string.h"
#include "platform/ui_window_id.h"

#include <cstdint>
#include <memory>

class LBeamvista;

class LBeamvistaParameterDlg : public LAutoValueHandlerDialog
{
  public:
    static constexpr const char* kTitle = "Beam Vista Parameters";

    explicit LBeamvistaParameterDlg(LBeamvista* preview) : preview_(preview) {}
    ~LBeamvistaParameterDlg() override;

    // A new dialog over the owner (null: over no window), shown on top; the listener hears its
    // panel stack. Null when anything fails.
    static std::shared_ptr<LBeamvistaParameterDlg> CreateNew(UiWindowId owner, LBeamvista* preview,
                                                             LDialogManagerListener* listener);
    bool CreateDialogWindow(UiWindowId owner, int32_t toolbarId);
    // The title becomes the name and " Properties"; an empty name keeps it.
    void SetTitleFromName(const XAString& name);
    // The window it was made over.
    UiWindowId Owner() const { return owner_; }
    LBeamvista* Preview() const { return preview_; }

    void OnCommand(int32_t id) override;
    void OnResetIgnoreShow();
    void OnResetAll();
    bool OnLoadParameters();
    bool OnSaveParameters();
    void ResetParameters(bool fromFile);

  protected:
    bool BuildPanels() override;

  private:
    LBeamvista* preview_;
    UiWindowId owner_;
};
