// What a control window tells the object behind it: paints, mouse and keys, focus and capture,
// timers, scroll bar moves, edits of its text, and its own destruction. Every event has a
// default that does nothing, so each object overrides only what it handles.
#pragma once

#include <cstdint>

class ControlPainter;

enum class MouseButton : int32_t { kNone, kLeft, kMiddle, kRight };

struct MouseEvent
{
    MouseButton button = MouseButton::kNone; // the button pressed or released; kNone for moves
    int32_t x = 0;                           // client pixels
    int32_t y = 0;
    bool doubleClick = false; // a press that completes a double click
    bool ctrl = false;        // Ctrl as the event found it
    uint32_t timeMs = 0;      // the event's time stamp
};

// Key codes as the controls compare them; letters are their upper-case character.
enum ControlKey : int32_t {
    kKeyReturn = 13,
    kKeyEscape = 27,
    kKeySpace = 32,
    kKeyPageUp = 33,
    kKeyPageDown = 34,
    kKeyTab = 9,
};

enum class ScrollCode : int32_t {
    kLineUp,
    kLineDown,
    kPageUp,
    kPageDown,
    kThumbPosition,
    kThumbTrack,
    kTop,
    kBottom,
    kEndScroll,
};

class ControlWindowSink
{
  public:
    virtual ~ControlWindowSink() = default;

    // Draws the whole client area; the painter starts out with undefined pixels.
    virtual void OnPaint(ControlPainter& painter) {}
    // Mouse events answer true when taken: the window then does nothing more with them (an edit
    // field places its caret and selects text only with those it is left).
    virtual bool OnMouseDown(const MouseEvent& event) { return false; }
    virtual bool OnMouseUp(const MouseEvent& event) { return false; }
    virtual bool OnMouseMove(const MouseEvent& event) { return false; }
    // Rotation in the desktop's units (120 a notch, upwards positive).
    virtual void OnMouseWheel(int32_t rotation) {}
    // True when the key was taken; the window then does nothing more with it.
    virtual bool OnKeyDown(int32_t key, bool ctrl) { return false; }
    virtual void OnSetFocus() {}
    virtual void OnKillFocus() {}
    // The capture went to another window or was taken away.
    virtual void OnCaptureLost() {}
    virtual void OnTimer(uint32_t id) {}
    virtual void OnSize() {}
    virtual void OnShow(bool shown) {}
    // The user changed an edit field's text (its own writes do not count).
    virtual void OnTextChanged() {}
    virtual void OnScroll(ScrollCode code) {}
    // A command of the window's own: a tool of its toolbar.
    virtual void OnCommand(int32_t id) {}
    // A top-level window was asked to close by its close box or Escape.
    virtual void OnCloseRequest() {}
    // A top-level window was activated: true before the toolkit moves the focus into it, false
    // once that is over (late focus events included).
    virtual void OnActivate(bool starting) {}
    // The window is being destroyed: it still exists during this call, never after it.
    virtual void OnWindowDestroyed() {}
};
