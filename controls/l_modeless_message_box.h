// LModelessMessageBox: a message box that does not block. The caller shows it, goes on working
// on the GUI thread, pumps the box's messages now and then and polls which button was pressed.
// The object outlives its window and keeps the answer; Escape and the close box act as the
// button whose label says "Cancel" or "Abort" (or a lone "OK"), and do nothing without one.
#pragma once

#include "controls/modeless_box_window.h"

#include <cstdint>
#include <string>

class LModelessMessageBox : public ModelessBoxSink
{
  public:
    static constexpr int32_t kNoResult = -1;

    LModelessMessageBox() = default;
    // Closes a window still up, which enables its owner again.
    virtual ~LModelessMessageBox();
    LModelessMessageBox(const LModelessMessageBox&) = delete;
    LModelessMessageBox& operator=(const LModelessMessageBox&) = delete;

    // False while a window is up, for a gap in the labels, and when no window can be made.
    bool Show(const std::string& title, const std::string& text, const std::string& label1,
              const std::string& label2, const std::string& label3, int32_t iconId);
    // The pressed button (0..2), or -1 while none was.
    int32_t GetResult() const { return result_; }
    // False once the application was asked to end; true without a window.
    bool PumpMessages(bool allWindows);
    // false disables the owner while the box is up; true enables it again.
    void EnableOwner(bool enable);

    bool HasWindow() const { return window_ != nullptr; }
    int32_t CancelIndex() const { return cancelIndex_; }

  protected:
    // After the box closed through button 1, 2 or 3: the hooks of derived boxes.
    virtual void OnButton1Done() {}
    virtual void OnButton2Done() {}
    virtual void OnButton3Done() {}

  private:
    void OnBoxButton(int32_t index) override;
    void OnBoxWindowGone() override;
    void DestroyWindow();

    ModelessBoxWindow* window_ = nullptr;
    std::string title_;
    std::string text_;
    ModelessBoxLabels labels_;
    int32_t iconId_ = 0;
    int32_t cancelIndex_ = -1;
    int32_t result_ = kNoResult;
    bool ownerDisabled_ = false;
};
