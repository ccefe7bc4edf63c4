#include "controls/test_support/control_window_fake.h"

#include "controls/control_painter.h"
#include "platform/dialog_units.h"

#include <algorithm>
#include <utility>

FakeControlWindow::FakeControlWindow(FakeControlWindowFactory& factory, FakeControlWindow* parent,
                                     const ControlWindowSpec& spec)
    : factory_(factory), parent_(parent), kind_(spec.kind), rect_(spec.rect), text_(spec.text),
      shown_(spec.visible), resourceId_(spec.resourceId)
{
    if (kind_ == ControlWindowKind::kToolbar)
        rect_ = {0, 0, 0, 22};
    if (parent_)
        parent_->children_.push_back(this);
}

FakeControlWindow::~FakeControlWindow() = default;

void FakeControlWindow::Destroy()
{
    DestroyChildren();
    if (factory_.focus == this)
        factory_.focus = nullptr;
    if (factory_.capture == this)
        factory_.capture = nullptr;
    if (parent_)
        parent_->Forget(this);
    factory_.Erase(this);
}

void FakeControlWindow::DestroyByToolkit()
{
    ControlWindowSink* sink = std::exchange(sink_, nullptr);
    if (sink)
        sink->OnWindowDestroyed();
    Destroy();
}

void FakeControlWindow::DestroyChildren()
{
    while (!children_.empty())
        children_.back()->DestroyByToolkit();
}

void FakeControlWindow::Forget(FakeControlWindow* child)
{
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
    for (FakeControlWindow* other : children_)
        if (other->tabAfter_ == child)
            other->tabAfter_ = nullptr;
}

RasterRect FakeControlWindow::ClientRect() const
{
    const int32_t scrollBar = ScrollBarWidth();
    return {0, 0, std::max(rect_.right - rect_.left - scrollBar, 0), rect_.bottom - rect_.top};
}

RasterPoint FakeControlWindow::ClientToScreen(int32_t x, int32_t y) const
{
    RasterPoint point{x + rect_.left, y + rect_.top};
    for (const FakeControlWindow* up = parent_; up; up = up->parent_) {
        point.x += up->rect_.left;
        point.y += up->rect_.top;
    }
    return point;
}

void FakeControlWindow::Move(const RasterRect& rect, bool repaint)
{
    const bool resized = rect.right - rect.left != rect_.right - rect_.left ||
                         rect.bottom - rect.top != rect_.bottom - rect_.top;
    rect_ = rect;
    if (repaint)
        Invalidate();
    if (resized && sink_)
        sink_->OnSize();
}

void FakeControlWindow::Show(bool show)
{
    if (show == shown_)
        return;
    shown_ = show;
    if (sink_)
        sink_->OnShow(show);
}

void FakeControlWindow::SetFocus()
{
    FakeControlWindow* previous = factory_.focus;
    if (previous == this)
        return;
    factory_.focus = this;
    if (previous && previous->sink_)
        previous->sink_->OnKillFocus();
    if (factory_.focus == this && sink_)
        sink_->OnSetFocus();
}

bool FakeControlWindow::HasFocus() const
{
    return factory_.focus == this;
}

void FakeControlWindow::CaptureMouse()
{
    FakeControlWindow* previous = factory_.capture;
    if (previous == this)
        return;
    factory_.capture = this;
    if (previous && previous->sink_)
        previous->sink_->OnCaptureLost();
}

void FakeControlWindow::ReleaseMouse()
{
    if (factory_.capture == this)
        factory_.capture = nullptr;
}

bool FakeControlWindow::HasCapture() const
{
    return factory_.capture == this;
}

void FakeControlWindow::MoveAfterInTabOrder(ControlWindow& previous)
{
    tabAfter_ = static_cast<FakeControlWindow*>(&previous);
}

void FakeControlWindow::SetColours(bool custom, RgbColour text, RgbColour background)
{
    customColours = custom;
    textColour = text;
    backColour = background;
}

void FakeControlWindow::ScrollChildren(int32_t dy)
{
    for (FakeControlWindow* child : children_) {
        child->rect_.top += dy;
        child->rect_.bottom += dy;
    }
}

void FakeControlWindow::SetScrollBar(int32_t maximum, int32_t page, int32_t position)
{
    scrollMaximum = maximum;
    scrollPage = page;
    scrollPosition = position;
    scrollBarEnabled = maximum + 1 > page;
}

void FakeControlWindow::SetSizeLimits(int32_t clientWidth, int32_t minHeight)
{
    limitClientWidth = clientWidth;
    limitMinHeight = minHeight;
    Move({rect_.left, rect_.top, rect_.left + clientWidth,
          rect_.top + std::max(rect_.bottom - rect_.top, minHeight)},
         true);
}

void FakeControlWindow::Type(const std::string& text)
{
    text_ = text;
    if (sink_)
        sink_->OnTextChanged();
}

std::unique_ptr<RasterBitmap> FakeControlWindow::Paint()
{
    const RasterRect client = ClientRect();
    std::unique_ptr<RasterBitmap> bitmap =
        RasterBitmap::Create(std::max(client.right, 1), std::max(client.bottom, 1));
    if (bitmap && sink_) {
        ControlPainter painter(*bitmap, DialogFont());
        sink_->OnPaint(painter);
    }
    return bitmap;
}

FakeControlWindowFactory::FakeControlWindowFactory() : scope_(*this)
{
}

FakeControlWindowFactory::~FakeControlWindowFactory()
{
    // Top-level windows go as the toolkit's would at exit: children first, sinks told.
    while (!windows_.empty()) {
        FakeControlWindow* top = nullptr;
        for (const auto& window : windows_)
            if (!window->parent_)
                top = window.get();
        if (!top)
            break;
        ControlWindowSink* sink = top->sink_;
        top->sink_ = nullptr;
        if (sink)
            sink->OnWindowDestroyed();
        top->Destroy();
    }
}

ControlWindow* FakeControlWindowFactory::Create(ControlWindow* parent, const ControlWindowSpec& spec,
                                                ControlWindowSink* sink)
{
    if (failing_ && spec.kind == failKind_) {
        if (failAfter_ == 0)
            return nullptr;
        --failAfter_;
    }
    windows_.push_back(
        std::make_unique<FakeControlWindow>(*this, static_cast<FakeControlWindow*>(parent), spec));
    FakeControlWindow* window = windows_.back().get();
    window->SetSink(sink);
    return window;
}

FakeControlWindow* FakeControlWindowFactory::CreateTopLevel(const RasterRect& rect)
{
    ControlWindowSpec spec;
    spec.kind = ControlWindowKind::kDialog;
    spec.rect = rect;
    return static_cast<FakeControlWindow*>(Create(nullptr, spec, nullptr));
}

void FakeControlWindowFactory::FailKind(ControlWindowKind kind, int32_t after)
{
    failing_ = true;
    failKind_ = kind;
    failAfter_ = after;
}

std::vector<FakeControlWindow*> FakeControlWindowFactory::WindowsOfKind(ControlWindowKind kind) const
{
    std::vector<FakeControlWindow*> found;
    for (const auto& window : windows_)
        if (window->kind_ == kind)
            found.push_back(window.get());
    return found;
}

void FakeControlWindowFactory::Erase(FakeControlWindow* window)
{
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [window](const std::unique_ptr<FakeControlWindow>& held) {
                                      return held.get() == window;
                                  }),
                   windows_.end());
}
