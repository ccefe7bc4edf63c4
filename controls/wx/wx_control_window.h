// The wx windows behind the toolkit-free controls: one template that implements ControlWindow
// over any wx window class and turns its events into sink calls, and the window classes of each
// kind (owner-drawn, edit field, label, panel, panel stack with its own scroll bar, dialog).
//
// Ownership: wx owns the windows. A window tells its sink of its destruction from its destroy
// event, while it still exists, and never calls the sink after that.
#pragma once

#include "controls/control_window.h"
#include "controls/control_window_factory.h"

#include <wx/dialog.h>
#include <wx/font.h>
#include <wx/panel.h>
#include <wx/scrolbar.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/window.h>

#include <map>
#include <memory>
#include <string>

// Maps wx key codes onto the controls' key codes; -1 for keys they do not know.
int32_t ControlKeyFromWx(int wxKey);

// The dialog font for native widgets: the dialog font's face with an 11-pixel em.
wxFont DialogWxFont();

// What every kind shares: geometry, state, capture, focus, timers, and the events that reach
// the sink. It is the first base of each window class, so that it outlives the wx part, whose
// destructor sends the destroy event.
class WxControlWindowBase : public ControlWindow
{
  public:
    WxControlWindowBase(wxWindow& self, ControlWindow* parent, ControlWindowSink* sink);
    ~WxControlWindowBase() override;

    void SetSink(ControlWindowSink* sink) override { sink_ = sink; }
    ControlWindowSink* Sink() const override { return sink_; }
    ControlWindow* Parent() const override { return parent_; }
    void Destroy() override;
    RasterRect Rect() const override;
    RasterRect ClientRect() const override;
    RasterPoint ClientToScreen(int32_t x, int32_t y) const override;
    void Move(const RasterRect& rect, bool repaint) override;
    void Show(bool show) override;
    bool IsShown() const override;
    void Invalidate() override;
    void Update() override;
    void Enable(bool enable) override;
    bool IsEnabled() const override;
    void SetFocus() override;
    bool HasFocus() const override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    bool HasCapture() const override;
    std::string Text() const override;
    void SetText(const std::string& text) override;
    int32_t FontHeight() const override;
    void SetDragCursor(bool on) override;
    void MoveAfterInTabOrder(ControlWindow& previous) override;

    bool StartTimer(uint32_t id, uint32_t periodMs) override;
    void StopTimer(uint32_t id) override;

    wxWindow& Self() const { return self_; }
    static wxWindow* WxOf(ControlWindow* window);

  protected:
    // Binds the mouse, focus, capture, size, show and destroy events.
    void BindCommonEvents();
    // Binds the key events (kinds with keys of their own bind them differently).
    void BindKeyEvents();
    void OnMouse(wxMouseEvent& event);

  private:
    wxWindow& self_;
    ControlWindow* parent_;
    ControlWindowSink* sink_;
    std::map<uint32_t, std::unique_ptr<wxTimer>> timers_;
};

// An owner-drawn window: the sink paints the whole client area into a bitmap that is then shown.
class WxOwnerDrawnWindow : public WxControlWindowBase, public wxWindow
{
  public:
    WxOwnerDrawnWindow(wxWindow* parent, ControlWindow* parentWindow, const ControlWindowSpec& spec,
                       ControlWindowSink* sink);

    // Spin buttons take the focus only by a click.
    bool AcceptsFocusFromKeyboard() const override
    {
        return tabStop_ && wxWindow::AcceptsFocusFromKeyboard();
    }

  protected:
    void OnPaint(wxPaintEvent& event);

  private:
    bool tabStop_;
};

class WxEditWindow : public WxControlWindowBase, public wxTextCtrl
{
  public:
    WxEditWindow(wxWindow* parent, ControlWindow* parentWindow, const ControlWindowSpec& spec,
                 ControlWindowSink* sink);

    std::string Text() const override;
    void SetText(const std::string& text) override;
    void SelectAll() override;
    void ScrollCaret() override;
    void SetColours(bool custom, RgbColour text, RgbColour background) override;
    // The field has no window of its own under GTK: a capture would grab its parent's, and the
    // release would go there. GTK's own grab holds the pointer for the field from a press to its
    // release.
    void CaptureMouse() override {}
    void ReleaseMouse() override {}

  private:
    void OnTextEvent(wxCommandEvent& event);

    // GTK reports one replacement as a deletion and an insertion: one change is sent for both.
    bool changeQueued_ = false;
};

class WxLabelWindow : public WxControlWindowBase, public wxStaticText
{
  public:
    WxLabelWindow(wxWindow* parent, ControlWindow* parentWindow, const ControlWindowSpec& spec,
                  ControlWindowSink* sink);
};

// A panel, and the panel stack, which paints itself (its frames) and has its own scroll bar.
class WxPanelWindow : public WxControlWindowBase, public wxPanel
{
  public:
    WxPanelWindow(wxWindow* parent, ControlWindow* parentWindow, const ControlWindowSpec& spec,
                  ControlWindowSink* sink);

    RasterRect ClientRect() const override;
    void ScrollChildren(int32_t dy) override;
    void SetScrollBar(int32_t maximum, int32_t page, int32_t position) override;
    int32_t ScrollTrackPosition() const override { return trackPosition_; }
    int32_t ScrollBarWidth() const override;

  private:
    void PlaceScrollBar();
    void OnPaint(wxPaintEvent& event);
    void OnScrollEvent(wxScrollEvent& event);

    wxScrollBar* scrollBar_ = nullptr;
    int32_t trackPosition_ = 0;
};

class WxDialogWindow : public WxControlWindowBase, public wxDialog
{
  public:
    WxDialogWindow(wxWindow* parent, ControlWindow* parentWindow, const ControlWindowSpec& spec,
                   ControlWindowSink* sink);

    void SetSizeLimits(int32_t clientWidth, int32_t minHeight) override;
    void Restore() override;
    void Raise() override;

  private:
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnActivate(wxActivateEvent& event);

    std::unique_ptr<wxTimer> activationEnd_;
};
