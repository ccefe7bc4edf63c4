// A control window without a display, and the factory that makes them: rectangles, state,
// focus and capture (one of each for all fake windows), text, scroll bar and colours are kept as
// values a test can read; paints go into a bitmap the test asks for; events are delivered by
// calling the sink as the toolkit would, with focus and capture changes reported to both sides.
#pragma once

#include "controls/control_window.h"
#include "controls/control_window_factory.h"
#include "platform/raster_bitmap.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class FakeControlWindowFactory;

class FakeControlWindow final : public ControlWindow
{
  public:
    FakeControlWindow(FakeControlWindowFactory& factory, FakeControlWindow* parent,
                      const ControlWindowSpec& spec);
    ~FakeControlWindow() override;

    void SetSink(ControlWindowSink* sink) override { sink_ = sink; }
    ControlWindowSink* Sink() const override { return sink_; }
    ControlWindow* Parent() const override { return parent_; }
    void Destroy() override;
    RasterRect Rect() const override { return rect_; }
    RasterRect ClientRect() const override;
    RasterPoint ClientToScreen(int32_t x, int32_t y) const override;
    void Move(const RasterRect& rect, bool repaint) override;
    void Show(bool show) override;
    bool IsShown() const override { return shown_; }
    void Invalidate() override { ++invalidations; }
    void Update() override { ++updates; }
    void Enable(bool enable) override { enabled_ = enable; }
    bool IsEnabled() const override { return enabled_; }
    void SetFocus() override;
    bool HasFocus() const override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    bool HasCapture() const override;
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }
    int32_t FontHeight() const override { return fontHeight; }
    void SetDragCursor(bool on) override { dragCursor = on; }
    void MoveAfterInTabOrder(ControlWindow& previous) override;
    void SelectAll() override { ++selectAlls; }
    void ScrollCaret() override {}
    void SetColours(bool custom, RgbColour text, RgbColour background) override;
    void ScrollChildren(int32_t dy) override;
    void SetScrollBar(int32_t maximum, int32_t page, int32_t position) override;
    int32_t ScrollTrackPosition() const override { return trackPosition; }
    int32_t ScrollBarWidth() const override
    {
        return kind_ == ControlWindowKind::kPanelStack ? kScrollBarWidth : 0;
    }
    void SetSizeLimits(int32_t clientWidth, int32_t minHeight) override;
    void Restore() override { minimised = false; }
    void Raise() override { ++raises; }

    // The toolkit destroys the window (with its parent or owner): its sink hears of it first.
    void DestroyByToolkit();
    // What the user does: typing replaces the text and reports one change.
    void Type(const std::string& text);
    // The client area painted by the sink, as the toolkit would show it.
    std::unique_ptr<RasterBitmap> Paint();

    ControlWindowKind Kind() const { return kind_; }
    int32_t ResourceId() const { return resourceId_; }
    const std::vector<FakeControlWindow*>& Children() const { return children_; }
    // The child after which Tab reaches this one (null: creation order).
    FakeControlWindow* TabPredecessor() const { return tabAfter_; }

    static constexpr int32_t kScrollBarWidth = 17;

    int32_t invalidations = 0;
    int32_t updates = 0;
    int32_t selectAlls = 0;
    int32_t raises = 0;
    int32_t fontHeight = -11;
    int32_t trackPosition = 0;
    bool dragCursor = false;
    bool minimised = false;
    bool customColours = false;
    RgbColour textColour = 0;
    RgbColour backColour = 0;
    int32_t scrollMaximum = 0;
    int32_t scrollPage = 0;
    int32_t scrollPosition = 0;
    bool scrollBarEnabled = false;
    int32_t limitClientWidth = 0;
    int32_t limitMinHeight = 0;

  private:
    friend class FakeControlWindowFactory;
    void DestroyChildren();
    void Forget(FakeControlWindow* child);

    FakeControlWindowFactory& factory_;
    FakeControlWindow* parent_;
    ControlWindowSink* sink_ = nullptr;
    ControlWindowKind kind_;
    RasterRect rect_;
    std::string text_;
    bool shown_ = true;
    bool enabled_ = true;
    int32_t resourceId_ = 0;
    std::vector<FakeControlWindow*> children_;
    FakeControlWindow* tabAfter_ = nullptr;
};

class FakeControlWindowFactory final : public ControlWindowFactory
{
  public:
    FakeControlWindowFactory();
    ~FakeControlWindowFactory() override;

    ControlWindow* Create(ControlWindow* parent, const ControlWindowSpec& spec,
                          ControlWindowSink* sink) override;

    // A top-level window at (x, y) on the screen, owned by the factory, for tests to parent to.
    FakeControlWindow* CreateTopLevel(const RasterRect& rect);
    // Makes creations of that kind fail from the n-th on (0: the next one).
    void FailKind(ControlWindowKind kind, int32_t after = 0);
    int32_t LiveWindows() const { return static_cast<int32_t>(windows_.size()); }
    // The windows made of a kind, in creation order.
    std::vector<FakeControlWindow*> WindowsOfKind(ControlWindowKind kind) const;

    FakeControlWindow* focus = nullptr;
    FakeControlWindow* capture = nullptr;

  private:
    friend class FakeControlWindow;
    void Erase(FakeControlWindow* window);

    ScopedControlWindowFactory scope_;
    std::vector<std::unique_ptr<FakeControlWindow>> windows_;
    bool failing_ = false;
    ControlWindowKind failKind_ = ControlWindowKind::kOwnerDrawn;
    int32_t failAfter_ = 0;
};
