// LAutoValueHandlerDialog: a modeless dialog that edits a list of named parameters without a
// hand-made layout. Each heading of the list starts a panel (expanded or collapsed), each
// parameter key adds a row of controls bound to it, and the panels stand in a panel stack under
// an optional toolbar. Only its height can be changed; closing it only hides it.
#pragma once

#include "controls/l_checkbox.h"
#include "controls/l_dialog_manager.h"
#include "controls/l_edit.h"
#include "controls/l_spin.h"
#include "controls/l_static_text.h"
#include "controls/l_window_object.h"
#include "foundation/strings/xa_string.h"
#include "params/value_handler_dialog_entry.h"

#include <cstdint>
#include <memory>
#include <vector>

class LAutoValueHandlerDialog : public LWindowObject
{
  public:
    static constexpr int32_t kPanelWidth = 310;
    static constexpr int32_t kRowHeight = 25;
    static constexpr int32_t kFirstRowY = 8;
    static constexpr int32_t kPanelBottomMargin = 4;
    static constexpr int32_t kMinimumHeight = 100;
    static constexpr int32_t kStackTopGap = 3;
    // The command of Enter.
    static constexpr int32_t kIdOk = 1;

    LAutoValueHandlerDialog() = default;
    ~LAutoValueHandlerDialog() override;

    // Takes copies of the entries up to the first of kind 0 (none for null). Refused while the
    // window exists.
    bool Setup(const ValueHandlerDialogEntry* entries, const XAString& title);
    // Makes the (hidden) window as the parent's child, its toolbar (0: none), the stack and the
    // panels. False, with nothing left behind, on any failure, and while the window exists.
    bool Create(ControlWindow* parent, int32_t toolbarId);
    // The same over a window of the host (null: over no window).
    bool Create(UiWindowId owner, int32_t toolbarId);
    // Tears down everything but the entries and the title.
    void Close();
    // Shows the window on top with the focus back on the control that had it last.
    bool BringToTop();
    void SetListener(LDialogManagerListener* listener);
    LDialogManager* GetDialogManager() const { return stack_.get(); }

    const std::vector<ValueHandlerDialogEntry>& Entries() const { return entries_; }
    int32_t CheckboxCount() const { return static_cast<int32_t>(checkboxes_.size()); }
    int32_t EditCount() const { return static_cast<int32_t>(edits_.size()); }
    int32_t SpinCount() const { return static_cast<int32_t>(spins_.size()); }
    int32_t LabelCount() const { return static_cast<int32_t>(labels_.size()); }
    ControlWindow* Separator() const { return separator_.Window(); }
    ControlWindow* Toolbar() const { return toolbar_ ? toolbar_->Window() : nullptr; }

    void OnSize() override;
    void OnCommand(int32_t id) override;
    void OnCloseRequest() override;
    void OnActivate(bool starting) override;
    bool OnKeyDown(int32_t key, bool ctrl) override;
    void OnWindowDestroyed() override;

  protected:
    // Enter: nothing, so that it never closes the dialog.
    virtual void OnOK() {}
    virtual bool CreatePanelStack();
    virtual bool BuildPanels();

  private:
    struct PanelUnderConstruction
    {
        std::shared_ptr<LDialog> panel;
        XAString title;
        bool expanded = false;
        int32_t y = 0;
    };

    bool CreateFrame(ControlWindow* parent, UiWindowId owner, int32_t toolbarId);
    bool FinishPanel(PanelUnderConstruction& current);
    bool AddCheckbox(ControlWindow* panel, const XAString& key, const std::string& label, int32_t y);
    bool AddLabel(ControlWindow* panel, const std::string& text, const RasterRect& rect);
    bool AddEdit(ControlWindow* panel, const XAString& key, const RasterRect& rect);
    bool AddEditWithSpin(ControlWindow* panel, const XAString& key, const RasterRect& cell);
    void Layout();

    LWindowObject separator_;
    XAString title_;
    std::vector<ValueHandlerDialogEntry> entries_;
    std::shared_ptr<LDialogManager> stack_;
    std::vector<std::shared_ptr<LCheckbox>> checkboxes_;
    std::vector<std::shared_ptr<LEditString>> edits_;
    std::vector<std::shared_ptr<LSpin>> spins_;
    std::vector<std::shared_ptr<LStaticText>> labels_;
    std::shared_ptr<LWindowObject> toolbar_;
};

// A row's label: the key after its first "." (the whole key without one).
std::string EntryLabel(const XAString& key);
