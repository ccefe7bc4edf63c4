// The preview's mouse: left drags move the projected graphics, middle drags the scanner, right
// drags pause and scrub the show (and step the frame sequence), double clicks put positions back,
// a right click opens the context menu, the wheel zooms the graphics, and moves wake a hidden
// cursor. A gesture starts with the first press and ends when no button is held.
#pragma once

#include "platform/ui_input.h"
#include "preview/beamvista_operations.h"

#include <cstdint>

class LBeamvistaPars;

inline constexpr int32_t kDragStartPixels = 16;
inline constexpr uint32_t kDragStartMs = 333;
inline constexpr int64_t kScrubMicrosecondsPerPixel = 10000;
inline constexpr int32_t kSequencePixelsPerItem = 8;
inline constexpr int32_t kWheelNotch = 120;

class LMouseGestures
{
  public:
    explicit LMouseGestures(LBeamvistaOperations& preview) : preview_(preview) {}

    void OnButtonDown(uint32_t button, const UiMouseEvent& event);
    void OnButtonUp(uint32_t button, const UiMouseEvent& event);
    void OnDoubleClick(uint32_t button, const UiMouseEvent& event);
    void OnMove(const UiMouseEvent& event);
    // Another window took the capture: its releases will not come.
    void OnCaptureLost();
    // Rotation 120 a notch, at a point in client coordinates; false outside the client area.
    bool OnWheel(int32_t rotation, uint32_t modifiers, UiPoint at);

    uint32_t Buttons() const { return buttons_; }
    bool Dragging() const { return dragging_; }

  private:
    void WakeCursorOnMove(UiPoint at);
    // Buttons held here but reported up by the event were released where we could not see it.
    void DropReleasedButtons(uint32_t held);
    void DragStep(UiPoint at, uint32_t modifiers, int32_t dx, int32_t dy);
    void ScrubStep(int32_t dx);

    LBeamvistaOperations& preview_;
    uint32_t buttons_ = 0;
    bool dragging_ = false;
    int32_t dragStartX_ = 0;
    int32_t dragStartY_ = 0;
    uint32_t dragStartTime_ = 0;
    int32_t cursorRefX_ = 0;
    int32_t cursorRefY_ = 0;
    int32_t cursorRefTime_ = 0;
};

// The graphics size after a wheel turn of `notches` (1 a notch, fractions for smooth scrolling
// and fine steps): the larger side changes by 1.1 a notch and the other keeps the ratio.
void ZoomGraphics(LBeamvistaPars& pars, double notches);
