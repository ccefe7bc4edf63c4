// LWindowObject: the object behind one control window: it makes the window (or takes one made
// elsewhere), hears its events as its sink, forgets it when the toolkit destroys it, and
// destroys it when it goes first.
#pragma once

#include "controls/control_window.h"
#include "controls/control_window_factory.h"
#include "controls/control_window_sink.h"

#include <memory>
#include <string>

class LDialog;

class LWindowObject : public ControlWindowSink
{
  public:
    LWindowObject() = default;
    ~LWindowObject() override;
    LWindowObject(const LWindowObject&) = delete;
    LWindowObject& operator=(const LWindowObject&) = delete;

    ControlWindow* Window() const { return window_; }
    // Expires when the object goes, so that others may remember it without owning it.
    std::weak_ptr<const void> Lifetime() const { return lifetime_; }
    // Takes a window made elsewhere (an item of a panel's template) as its own.
    void Attach(ControlWindow* window);
    // Destroys the window if it still exists; OnWindowDestroyed follows, as when the toolkit
    // destroys it.
    void DestroyWindow();
    // The panel holding the window: the parent window's object when that is an LDialog.
    LDialog* ParentDialog() const;
    // The window's client area in screen pixels; empty without a window.
    RasterRect ScreenRect() const;

    // Derived objects let go of what hangs on the window (timers, capture) first, then call this.
    void OnWindowDestroyed() override { window_ = nullptr; }
    // The wheel scrolls the panel stack over any control: handed to the panel.
    void OnMouseWheel(int32_t rotation) override;

  protected:
    bool CreateWindow(ControlWindow* parent, const ControlWindowSpec& spec);
    // A window that the object paints, with a caption.
    bool CreateOwnerDrawn(const std::string& caption, const RasterRect& rect, ControlWindow* parent,
                          bool tabStop);
    // The window's text as 16-bit text for drawing.
    std::u16string WindowText16() const;

  private:
    ControlWindow* window_ = nullptr;
    std::shared_ptr<const void> lifetime_ = std::make_shared<char>();
};
