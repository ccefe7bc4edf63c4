// Makes the windows of the toolkit-free controls. The deliverable puts the toolkit's factory in
// place at start-up; tests put a fake one. Each kind is the window one control class needs.
#pragma once

#include "controls/control_window.h"
#include "platform/raster_bitmap.h"
#include "platform/ui_window_id.h"

#include <cstdint>
#include <string>

enum class ControlWindowKind : int32_t {
    kOwnerDrawn, // a button-like window that the object paints
    kEdit,       // a one-line text field
    kLabel,      // static text, vertically centred; at least as wide as its text
    kPanel,      // a child dialog that holds controls
    kPanelStack, // a child dialog with its own vertical scroll bar
    kDialog,     // a modeless top-level dialog, transient for its parent, centred, hidden at first
    kToolbar,    // a flat toolbar along the top of a dialog, from a toolbar resource
    kSeparator,  // an etched horizontal line
};

struct ControlWindowSpec
{
    ControlWindowKind kind = ControlWindowKind::kOwnerDrawn;
    RasterRect rect;  // in the parent's client pixels
    std::string text; // UTF-8: caption, label or title
    bool tabStop = false;
    bool visible = true;
    bool readOnly = false;  // kEdit: no typing
    int32_t resourceId = 0; // the toolbar resource of kToolbar
    UiWindowId owner;       // kDialog without a parent: the window it stands over (null: none)
};

class ControlWindowFactory
{
  public:
    virtual ~ControlWindowFactory() = default;
    // A new window owned by the toolkit (by `parent` when given); null on failure. The sink is
    // set before the window sends anything.
    virtual ControlWindow* Create(ControlWindow* parent, const ControlWindowSpec& spec,
                                  ControlWindowSink* sink) = 0;
};

// The factory in place; null when none is (every creation then fails).
ControlWindowFactory* CurrentControlWindowFactory();
// Puts `factory` in place and returns the one before; the caller keeps it alive meanwhile.
ControlWindowFactory* SetControlWindowFactory(ControlWindowFactory* factory);

class ScopedControlWindowFactory
{
  public:
    explicit ScopedControlWindowFactory(ControlWindowFactory& factory)
        : previous_(SetControlWindowFactory(&factory))
    {
    }
    ~ScopedControlWindowFactory() { SetControlWindowFactory(previous_); }
    ScopedControlWindowFactory(const ScopedControlWindowFactory&) = delete;
    ScopedControlWindowFactory& operator=(const ScopedControlWindowFactory&) = delete;

  private:
    ControlWindowFactory* previous_;
};

// Creates through the factory in place; null without one.
ControlWindow* CreateControlWindow(ControlWindow* parent, const ControlWindowSpec& spec,
                                   ControlWindowSink* sink);
