// WxChildView: the toolkit's window of the frame's client view. It keeps the focus (the child
// preview never takes it), paints black while no preview covers it, and hands its events to the
// toolkit-free CChildView.
#pragma once

#include "shell/c_child_view.h"

#include <wx/window.h>

#include <functional>

class WxChildView final : public wxWindow
{
  public:
    WxChildView(wxWindow* parent, const std::string& applicationName);

    // Makes the preview and opens the start-up paths; once, after the frame exists.
    void Bootstrap(const std::vector<std::string>& startupPaths);
    CChildView& View() { return view_; }
    // Key handling that runs before the view's own: the frame's keys.
    void SetKeyFilter(std::function<bool(const UiKeyEvent& key)> filter) { keyFilter_ = std::move(filter); }

  private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnMouseWheel(wxMouseEvent& event);
    void OnDestroy(wxWindowDestroyEvent& event);

    CChildView view_;
    std::function<bool(const UiKeyEvent&)> keyFilter_;
};
