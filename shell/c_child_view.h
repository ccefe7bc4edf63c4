// CChildView: the main frame's client view. Its creation starts the preview engine once per
// process, makes the one preview as a child window filling the view and opens the start-up paths;
// it turns the main menu's commands into calls on the preview. The toolkit's view window
// (shell/wx) owns it and hands it its events.
#pragma once

#include "foundation/strings/xa_block.h"
#include "platform/ui_command.h"
#include "platform/ui_input.h"
#include "platform/ui_window_id.h"

#include <string>
#include <vector>

class LBeamvista;

class CChildView : public UiCommandTarget
{
  public:
    // Makes the preview in a counted block; null when it cannot be allocated.
    using PreviewMaker = LBeamvista* (*)(XABlock& block);
    static LBeamvista* MakePreview(XABlock& block);

    explicit CChildView(std::string applicationName, PreviewMaker makePreview = &MakePreview);
    ~CChildView() override;
    CChildView(const CChildView&) = delete;
    CChildView& operator=(const CChildView&) = delete;

    // After the view's window `self` exists. Always true: a view without a preview paints black and
    // ignores commands, and the program goes on.
    bool Create(UiWindowId self, const std::vector<std::string>& startupPaths);
    // The view's window is going: the preview goes with the view's reference.
    void OnDestroy();

    // The preview, when it exists.
    LBeamvista* Preview() const;
    // The preview while its window is a child of the view (not in its own full screen).
    LBeamvista* ChildPreview() const;

    // The view's client area has a new size: the child preview fills it.
    void OnSize(int32_t width, int32_t height);
    // Keys the frame did not take; true when the preview took them.
    bool OnKeyDown(const UiKeyEvent& key);
    // Rotation 120 a notch, at a point on the screen.
    bool OnMouseWheel(int32_t rotation, uint32_t modifiers, UiPoint screenPoint);
    // Alt+Enter's character gets no default handling.
    bool SwallowsSystemChar(int32_t character) const { return character == kEnter; }

    bool IsFullScreen() const;
    bool SetFullScreen(bool on);

    bool OnCmdMsg(int32_t id, UiCommandCode code, UiCommandUpdate* update) override;

  private:
    static constexpr int32_t kEnter = 13;

    std::string applicationName_;
    PreviewMaker makePreview_;
    XABlock preview_;
};
