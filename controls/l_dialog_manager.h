// LDialogManager: the scrolling panel stack. Panels stand one under the other, each under a
// header button that collapses and expands it; an etched frame surrounds every expanded panel;
// the stack scrolls by its scroll bar, the wheel, dragging and requests to bring a control into
// view.
#pragma once

#include "controls/l_caption_button.h"
#include "controls/l_dialog.h"
#include "controls/l_dialog_manager_listener.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class LDialogManager : public LDialog
{
  public:
    static constexpr int32_t kInitialCaptionHeight = 18;
    static constexpr int32_t kWheelNotch = 120;
    static constexpr int32_t kWheelNotchPixels = 32;
    static constexpr int32_t kLinePixels = 8;
    // The desktop's dialog frame width beside the scroll bar.
    static constexpr int32_t kDialogFrameWidth = 3;

    LDialogManager() = default;
    ~LDialogManager() override;

    // Appends a panel under a new header. A template id of 0 or more creates the panel's window
    // from that template; -1 takes the panel's existing window. False on any failure, with what
    // this call made released and the earlier panels kept.
    bool AddDialog(const std::shared_ptr<LDialog>& panel, int32_t templateId, const std::string& title,
                   bool expanded);
    void UpdateLayout();
    void ScrollBy(int32_t dy) override;
    void UpdateScrollBar();
    int32_t GetPreferredWidth() const;
    void SetListener(LDialogManagerListener* listener) { listener_ = listener; }
    void NotifyOpened();
    void NotifyClosed();
    void OnControlFocus(int32_t code, ControlWindow* control) override;
    void OnControlKillFocus(int32_t code) override;
    void EnsureVisible(const RasterRect& screenRect) override;
    // Gives the focus back to the control that had it last, without scrolling.
    void RestoreFocus();
    // The control RestoreFocus gives the focus to, until another reports the focus.
    void SetFocusedChild(LWindowObject* control);
    void SetAutoScroll(bool enabled) { autoScroll_ = enabled; }

    int32_t ScrollPosition() const { return scrollPosition_; }
    int32_t ContentHeight() const { return contentHeight_; }
    int32_t CaptionHeight() const { return captionHeight_; }
    int32_t PanelCount() const { return static_cast<int32_t>(entries_.size()); }
    LDialog* PanelAt(int32_t index) const { return entries_[index].panel.get(); }
    LCaptionButton* HeaderAt(int32_t index) const { return entries_[index].header.get(); }

    void OnPaint(ControlPainter& painter) override;
    void OnMouseWheel(int32_t rotation) override;
    void OnScroll(ScrollCode code) override;
    void OnSize() override;
    void OnActivate(bool starting) override;
    void OnWindowDestroyed() override;

  private:
    struct Entry
    {
        std::shared_ptr<LDialog> panel;
        std::shared_ptr<LCaptionButton> header;
    };

    int32_t ClientHeight() const;
    // The header goes before the panel, as the desktop releases a pair.
    void ReleaseEntries();
    void MoveContent(int32_t oldPosition, int32_t newPosition);

    int32_t widestPanelWidth_ = 0;
    int32_t contentHeight_ = 0;
    int32_t captionHeight_ = kInitialCaptionHeight;
    int32_t scrollPosition_ = 0;
    bool autoScroll_ = true;
    LDialogManagerListener* listener_ = nullptr;
    bool opened_ = false;
    std::vector<Entry> entries_;
    // The control that reported the focus last, as long as it lives.
    LWindowObject* focusedChild_ = nullptr;
    std::weak_ptr<const void> focusedChildLifetime_;
    bool restoringFocus_ = false;
    // Wheel rotation not yet making a whole notch (touchpads send small amounts).
    int32_t wheelRemainder_ = 0;
};
