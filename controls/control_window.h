// ControlWindow: the window behind a toolkit-free control, panel or dialog: its rectangle, its
// state (shown, enabled, focus, capture), its text, painting and, for the kinds that have them,
// an edit field's selection, a panel stack's scroll bar, a dialog's size limits. The toolkit's
// backend implements it with its own windows; tests use a fake.
//
// Ownership: the toolkit owns windows, and a parent destroys its children with it. The object
// behind a window (its sink) hears OnWindowDestroyed and forgets the window; an object that
// goes first destroys its window, having taken itself off as the sink.
//
// GUI thread only.
#pragma once

#include "controls/control_window_sink.h"
#include "controls/raster_point.h"
#include "platform/raster_bitmap.h"

#include <cstdint>
#include <string>

class ControlWindow
{
  public:
    virtual ~ControlWindow() = default;

    virtual void SetSink(ControlWindowSink* sink) = 0;
    virtual ControlWindowSink* Sink() const = 0;
    virtual ControlWindow* Parent() const = 0;
    // Destroys the window and its children (whose sinks hear of it); the own sink does not.
    virtual void Destroy() = 0;

    // The rectangle in the parent's client pixels (on the screen for a top-level window).
    virtual RasterRect Rect() const = 0;
    // The client area's size, from (0, 0).
    virtual RasterRect ClientRect() const = 0;
    // A client point in screen pixels.
    virtual RasterPoint ClientToScreen(int32_t x, int32_t y) const = 0;
    virtual void Move(const RasterRect& rect, bool repaint) = 0;
    virtual void Show(bool show) = 0;
    virtual bool IsShown() const = 0;
    virtual void Invalidate() = 0;
    // Paints at once what was invalidated.
    virtual void Update() = 0;
    virtual void Enable(bool enable) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void SetFocus() = 0;
    virtual bool HasFocus() const = 0;
    // Captures only when not held, so that nested captures never pile up.
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    virtual bool HasCapture() const = 0;
    // UTF-8. For an edit field SetText is the program's own write: OnTextChanged does not follow.
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    // The height of the window's font as the desktop's font records give it (negative: the
    // character height).
    virtual int32_t FontHeight() const = 0;
    // The drag cursor (the grabbing hand) over this window while on, the usual arrow after.
    virtual void SetDragCursor(bool on) = 0;
    // Tab reaches this window right after `previous`.
    virtual void MoveAfterInTabOrder(ControlWindow& previous) = 0;
    // A periodic timer whose ticks reach the sink as OnTimer(id); setting an id again restarts
    // it. Timers go with the window. False when it cannot be set.
    virtual bool StartTimer(uint32_t id, uint32_t periodMs) { return false; }
    virtual void StopTimer(uint32_t id) {}

    // Edit fields: select the whole text; scroll the caret into view; text and background
    // colours (off: the toolkit's own).
    virtual void SelectAll() {}
    virtual void ScrollCaret() {}
    virtual void SetColours(bool custom, RgbColour text, RgbColour background) {}

    // Panel stacks: move every child down by dy pixels (negative: up); the vertical scroll bar
    // with its range 0..maximum, page and position, shown disabled when nothing scrolls; the
    // position the user is dragging the thumb to.
    virtual void ScrollChildren(int32_t dy) {}
    virtual void SetScrollBar(int32_t maximum, int32_t page, int32_t position) {}
    virtual int32_t ScrollTrackPosition() const { return 0; }
    // The scroll bar's width and the frame's, which a stack's preferred width includes.
    virtual int32_t ScrollBarWidth() const { return 0; }

    // Dialogs: the client area keeps this width; the window is at least minHeight high.
    virtual void SetSizeLimits(int32_t clientWidth, int32_t minHeight) {}
    // Puts a minimised window back before it is hidden, so that it reappears normal.
    virtual void Restore() {}
    // Shows the window on top of its siblings.
    virtual void Raise() {}
};
