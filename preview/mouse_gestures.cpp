#include "preview/mouse_gestures.h"

#include "params/beamvista_pars.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr uint32_t kCapturedButtons = kUiLeftButton | kUiMiddleButton;
constexpr int32_t kWakeDistanceHidden = 32;
constexpr int32_t kWakeDistanceShown = 2;
constexpr int32_t kCursorRefLifeCs = 25;
constexpr double kFineFactor = 0.1;
constexpr double kNotchFactor = 1.1;
constexpr double kSmallSizeStep = 0.001;
constexpr double kSmallSize = 0.01;
constexpr double kTinySize = 0.000001;

double ModifierFactor(uint32_t modifiers)
{
    double factor = 1;
    if ((modifiers & kUiShift) != 0)
        factor *= kFineFactor;
    if ((modifiers & kUiCtrl) != 0)
        factor *= kFineFactor;
    return factor;
}

LBeamvistaPars LiveParameters()
{
    LBeamvistaPars pars;
    pars.ReadFromParameters();
    return pars;
}

// One side stepped: a small size moves by a fixed amount, a larger one by the factor, a negative
// one shrinking in magnitude as a positive one grows.
float StepSide(float side, double add, double factor)
{
    double stepped;
    if (std::fabs(side) < kSmallSize)
        stepped = side + add;
    else
        stepped = side >= 0 ? side * factor : side / factor;
    if (std::fabs(stepped) < kTinySize)
        stepped = kTinySize;
    return static_cast<float>(stepped);
}

} // namespace

void ZoomGraphics(LBeamvistaPars& pars, double notches)
{
    const double add = notches * kSmallSizeStep;
    const double factor = std::pow(kNotchFactor, notches);
    float& x = pars.o_graphics_size_x;
    float& y = pars.o_graphics_size_y;
    if (std::fabs(x) > std::fabs(y)) {
        const double ratio = static_cast<double>(y) / x;
        x = StepSide(x, add, factor);
        y = static_cast<float>(ratio * x);
    } else if (std::fabs(y) > kTinySize) {
        const double ratio = static_cast<double>(x) / y;
        y = StepSide(y, add, factor);
        x = static_cast<float>(ratio * y);
    } else {
        x = y = static_cast<float>(x + add);
    }
}

void LMouseGestures::OnButtonDown(uint32_t button, const UiMouseEvent& event)
{
    if (buttons_ == 0) {
        dragStartX_ = event.at.x;
        dragStartY_ = event.at.y;
        dragStartTime_ = event.timeMs;
        dragging_ = false;
    }
    if ((button & kCapturedButtons) != 0 && (buttons_ & kCapturedButtons) == 0)
        preview_.CaptureMouse(true);
    buttons_ |= button;
}

void LMouseGestures::OnButtonUp(uint32_t button, const UiMouseEvent&)
{
    if ((buttons_ & kCapturedButtons) != 0 && (buttons_ & ~button & kCapturedButtons) == 0)
        preview_.CaptureMouse(false);
    if (button == kUiRightButton && (buttons_ & kUiRightButton) != 0) {
        if (dragging_)
            preview_.Play();
        else
            preview_.ShowContextMenu();
    }
    buttons_ &= ~button;
}

void LMouseGestures::OnDoubleClick(uint32_t button, const UiMouseEvent& event)
{
    if (button == kUiLeftButton || button == kUiMiddleButton) {
        LBeamvistaPars pars = LiveParameters();
        const LBeamvistaPars& current = BeamvistaDefaultPars();
        if (button == kUiLeftButton) {
            pars.o_graphics_size_x = current.o_graphics_size_x;
            pars.o_graphics_size_y = current.o_graphics_size_y;
            pars.o_graphics_pos_x = current.o_graphics_pos_x;
            pars.o_graphics_pos_y = current.o_graphics_pos_y;
        } else {
            pars.o_scanner_pos_x = current.o_scanner_pos_x;
            pars.o_scanner_pos_y = current.o_scanner_pos_y;
        }
        pars.ApplyToParameters(kBeamvistaAllGroups);
    } else if (button == kUiRightButton) {
        preview_.EmptySequence();
    }
    OnButtonDown(button, event);
}

void LMouseGestures::OnCaptureLost()
{
    buttons_ &= ~kCapturedButtons;
}

void LMouseGestures::DropReleasedButtons(uint32_t held)
{
    const uint32_t released = buttons_ & ~held;
    if (released == 0)
        return;
    buttons_ &= ~released;
    if ((released & kCapturedButtons) != 0 && (buttons_ & kCapturedButtons) == 0)
        preview_.CaptureMouse(false);
    if ((released & kUiRightButton) != 0 && dragging_)
        preview_.Play();
}

void LMouseGestures::WakeCursorOnMove(UiPoint at)
{
    const int32_t dx = at.x - cursorRefX_;
    const int32_t dy = at.y - cursorRefY_;
    if (preview_.CursorHidden()) {
        const int32_t now = preview_.NowCs();
        if (cursorRefTime_ == 0)
            cursorRefTime_ = now;
        if (std::abs(dx) > kWakeDistanceHidden || std::abs(dy) > kWakeDistanceHidden) {
            preview_.WakeCursor();
            cursorRefX_ = at.x;
            cursorRefY_ = at.y;
            cursorRefTime_ = now;
        } else if (std::abs(static_cast<int64_t>(now) - cursorRefTime_) > kCursorRefLifeCs) {
            cursorRefX_ = at.x;
            cursorRefY_ = at.y;
            cursorRefTime_ = now;
        }
        return;
    }
    if (std::abs(dx) > kWakeDistanceShown || std::abs(dy) > kWakeDistanceShown)
        preview_.WakeCursor();
    cursorRefX_ = at.x;
    cursorRefY_ = at.y;
    cursorRefTime_ = 0;
}

void LMouseGestures::OnMove(const UiMouseEvent& event)
{
    WakeCursorOnMove(event.at);
    DropReleasedButtons(event.buttons);
    if (buttons_ == 0)
        return;
    const int32_t dx = event.at.x - dragStartX_;
    const int32_t dy = event.at.y - dragStartY_;
    if (!dragging_) {
        // The clock wraps around: the time since the press is a difference modulo 2^32.
        const uint32_t held = event.timeMs - dragStartTime_;
        if (std::abs(dx) < kDragStartPixels && std::abs(dy) < kDragStartPixels && held <= kDragStartMs)
            return;
        dragging_ = true;
    }
    DragStep(event.at, event.modifiers, dx, dy);
}

void LMouseGestures::DragStep(UiPoint at, uint32_t modifiers, int32_t dx, int32_t dy)
{
    dragStartX_ = at.x;
    dragStartY_ = at.y;
    LBeamvistaPars pars = LiveParameters();
    const double factor = ModifierFactor(modifiers);
    const UiSize client = preview_.ClientSize();
    const double width = client.width > 0 ? client.width : 1;
    const double height = client.height > 0 ? client.height : 1;
    const auto moveX = [&](float& x) { x = static_cast<float>(x + 2 * dx * factor / width); };
    const auto moveY = [&](float& y) { y = static_cast<float>(y - 2 * dy * factor / height); };
    if ((buttons_ & kUiLeftButton) != 0) {
        preview_.MarkSizeShown();
        moveX(pars.o_graphics_pos_x);
        moveY(pars.o_graphics_pos_y);
    } else if ((buttons_ & kUiMiddleButton) != 0) {
        preview_.MarkSizeShown();
        moveX(pars.o_scanner_pos_x);
        moveY(pars.o_scanner_pos_y);
    } else if ((buttons_ & kUiRightButton) != 0) {
        ScrubStep(dx);
    }
    pars.ApplyToParameters(kBeamvistaAllGroups);
}

void LMouseGestures::ScrubStep(int32_t dx)
{
    preview_.Pause();
    preview_.SeekBy(static_cast<int64_t>(dx) * kScrubMicrosecondsPerPixel);
    if (!preview_.HasSequenceFrames())
        return;
    const int32_t items = dx / kSequencePixelsPerItem;
    // The pixels short of a whole item carry into the next move.
    dragStartX_ -= dx - kSequencePixelsPerItem * items;
    if (items != 0)
        preview_.StepSequence(items);
}

bool LMouseGestures::OnWheel(int32_t rotation, uint32_t modifiers, UiPoint at)
{
    const UiSize client = preview_.ClientSize();
    if (!UiRect{0, 0, client.width, client.height}.Contains(at))
        return false;
    LBeamvistaPars pars = LiveParameters();
    ZoomGraphics(pars, static_cast<double>(rotation) / kWheelNotch * ModifierFactor(modifiers));
    preview_.MarkSizeShown();
    pars.ApplyToParameters(kBeamvistaAllGroups);
    return true;
}
