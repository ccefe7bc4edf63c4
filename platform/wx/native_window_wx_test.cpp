// The preview's window made of the toolkit's windows, on the test's display: a popup without caption
// but with its sizing frame, driven by real pointer input from xdotool (a press on the band it draws
// round its canvas asks its sink what the press does, and the window then moves or sizes by the
// drag, and the pointer shows beforehand what a press there would do), and what each kind of window
// tells of its showing and hiding.
#include "platform/wx/native_window_wx.h"

#include "foundation/errors/c_error.h"
#include "platform/wx/test_support/pointer_shape.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr int32_t kWidth = 320;
constexpr int32_t kHeight = 240;
constexpr int32_t kBand = 4;
const UiRect kPlace = UiRect::FromSize(100, 100, kWidth, kHeight);

// Answers as a captionless preview does: the top border moves the window.
class FrameSink final : public NativeWindowSink
{
  public:
    FrameHit OnFrameHitTest(FrameHit standard) override
    {
        asked.push_back(standard);
        return standard == FrameHit::kTop ? FrameHit::kCaption : standard;
    }
    std::vector<FrameHit> asked;
};

// Pumps the toolkit until `ready` or the limit.
bool PumpUntil(const std::function<bool()>& ready, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class NativeWindowWxTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        if (wxTheApp == nullptr)
            GTEST_SKIP() << "no display";
        NativeWindowSpec spec;
        spec.kind = NativeWindowKind::Popup;
        spec.rect = kPlace;
        spec.title = "frame band";
        spec.gl.forceGeneric = true;
        CError error;
        window_ = WxNativeWindow::Create(spec, sink_, error);
        ASSERT_TRUE(window_) << error.Message().CStr();
        window_->Show(true);
        ASSERT_TRUE(PumpUntil([this] { return window_->IsOnScreen(); }, 10s));
        window_->SetDecorations(false, true);
        ASSERT_TRUE(PumpUntil(
            [this] {
                return window_->ClientRect() == UiRect{0, 0, kWidth, kHeight};
            },
            10s));
    }
    void TearDown() override
    {
        window_.reset();
        if (wxTheApp != nullptr)
            wxTheApp->Yield(true);
    }

    // A left drag by (dx, dy) from a point of the window's frame (its outer top-left is the
    // origin), in steps as a hand moves, with the toolkit pumped meanwhile.
    void Drag(int32_t x, int32_t y, int32_t dx, int32_t dy)
    {
        const UiRect outer = window_->RectInParent();
        const int32_t fromX = outer.left + x;
        const int32_t fromY = outer.top + y;
        std::string command = "xdotool mousemove --sync " + std::to_string(fromX) + " " +
                              std::to_string(fromY) + " sleep 0.2 mousedown 1 sleep 0.2";
        constexpr int kSteps = 4;
        for (int step = 1; step <= kSteps; ++step) {
            command += " mousemove " + std::to_string(fromX + dx * step / kSteps) + " " +
                       std::to_string(fromY + dy * step / kSteps) + " sleep 0.1";
        }
        command += " sleep 0.2 mouseup 1";
        SendInput(command);
    }
    // Puts the pointer on a point of the window's frame, as Drag counts it.
    void PointAt(int32_t x, int32_t y)
    {
        const UiRect outer = window_->RectInParent();
        SendInput("xdotool mousemove --sync " + std::to_string(outer.left + x) + " " +
                  std::to_string(outer.top + y) + " sleep 0.2");
    }
    // Runs an xdotool command line while the toolkit is pumped, so the window sees the input.
    void SendInput(const std::string& command)
    {
        std::atomic<bool> done = false;
        std::thread input([&] {
            EXPECT_EQ(std::system(command.c_str()), 0) << command;
            done = true;
        });
        PumpUntil([&] { return done.load(); }, 20s);
        input.join();
    }

    FrameSink sink_;
    std::unique_ptr<WxNativeWindow> window_;
};

TEST_F(NativeWindowWxTest, TopBandMovesTheWindowAndTheRightBandSizesIt)
{
    const UiRect start = window_->RectInParent();
    Drag(kBand + kWidth / 2, 1, 40, 30);
    UiRect moved;
    EXPECT_TRUE(PumpUntil(
        [&] {
            moved = window_->RectInParent();
            return moved.left == start.left + 40 && moved.top == start.top + 30;
        },
        10s))
        << moved.left << "," << moved.top << " from " << start.left << "," << start.top;
    EXPECT_EQ(window_->ClientRect(), (UiRect{0, 0, kWidth, kHeight}));

    Drag(kWidth + 2 * kBand - 2, kHeight / 2, 30, 0);
    EXPECT_TRUE(PumpUntil(
        [&] {
            return window_->ClientRect() == UiRect{0, 0, kWidth + 30, kHeight};
        },
        10s))
        << window_->ClientRect().Width() << " x " << window_->ClientRect().Height();
    EXPECT_EQ(window_->RectInParent().left, moved.left);

    // A drag on the canvas is the client's own, not the frame's.
    Drag(kBand + kWidth / 2, kBand + kHeight / 2, 20, 20);
    EXPECT_EQ(window_->RectInParent().left, moved.left);
    EXPECT_EQ(sink_.asked, (std::vector<FrameHit>{FrameHit::kTop, FrameHit::kRight}));
}

// Before a press, the pointer already shows what the band does where it is: a double arrow along
// an edge that sizes, the window system's corner where a corner sizes, the arrow on the top edge
// that moves the captionless window and over the picture. The owner is asked once for each part
// the pointer comes to.
TEST_F(NativeWindowWxTest, ThePointerShowsWhatEachPartOfTheBandDoes)
{
    constexpr int32_t kOuterWidth = kWidth + 2 * kBand;
    constexpr int32_t kOuterHeight = kHeight + 2 * kBand;
    const std::string display = std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "";
    const struct
    {
        int32_t x;
        int32_t y;
        const char* shape;
    } cases[] = {
        {1, kOuterHeight / 2, "sb_h_double_arrow"},
        {kOuterWidth / 2, 1, "left_ptr"},
        {kOuterWidth / 2, kOuterHeight - 2, "sb_v_double_arrow"},
        {kOuterWidth / 2, kOuterHeight / 2, "left_ptr"},
        {kOuterWidth - 2, kOuterHeight - 2, "bottom_right_corner"},
        {kOuterWidth - 2, kOuterHeight / 2, "sb_h_double_arrow"},
        {kOuterWidth / 2, kOuterHeight / 2, "left_ptr"},
        {1, 1, "top_left_corner"},
        {kOuterWidth - 2, 1, "top_right_corner"},
        {1, kOuterHeight - 2, "bottom_left_corner"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        PointAt(c.x, c.y);
        std::string shape;
        EXPECT_TRUE(PumpUntil([&] { return (shape = PointerShapeName(display)) == c.shape; }, 10s)) << shape;
    }
    EXPECT_EQ(sink_.asked, (std::vector<FrameHit>{FrameHit::kLeft, FrameHit::kTop, FrameHit::kBottom,
                                                  FrameHit::kBottomRight, FrameHit::kRight, FrameHit::kTopLeft,
                                                  FrameHit::kTopRight, FrameHit::kBottomLeft}));
}

// Records what a window tells of its visibility.
class ShowSink final : public NativeWindowSink
{
  public:
    void OnShow(bool shown) override { shows.push_back(shown); }
    void OnDestroyed() override { destroyed = true; }
    std::vector<bool> shows;
    bool destroyed = false;
};

TEST(NativeWindowWxShowTest, EachKindTellsOfItsHidingAndShowingOnceButNotOfItsEnd)
{
    if (wxTheApp == nullptr)
        GTEST_SKIP() << "no display";
    auto* parent = new wxFrame(nullptr, wxID_ANY, "parent", wxPoint(0, 0), wxSize(kWidth, kHeight));
    parent->Show();
    for (const NativeWindowKind kind :
         {NativeWindowKind::Child, NativeWindowKind::Popup, NativeWindowKind::FullScreen}) {
        SCOPED_TRACE(static_cast<int>(kind));
        ShowSink sink;
        NativeWindowSpec spec;
        spec.kind = kind;
        spec.parent = UiWindowId(static_cast<wxWindow*>(parent));
        spec.rect = kind == NativeWindowKind::Child ? UiRect{0, 0, kWidth, kHeight} : kPlace;
        spec.gl.forceGeneric = true;
        CError error;
        std::unique_ptr<WxNativeWindow> window = WxNativeWindow::Create(spec, sink, error);
        ASSERT_TRUE(window) << error.Message().CStr();
        window->Show(true);
        ASSERT_TRUE(PumpUntil([&] { return window->IsOnScreen(); }, 10s));
        sink.shows.clear();

        window->Show(false);
        window->Show(false);
        EXPECT_FALSE(window->IsShown());
        window->Show(true);
        wxTheApp->Yield(true);
        EXPECT_EQ(sink.shows, (std::vector<bool>{false, true}));

        window.reset();
        wxTheApp->Yield(true);
        EXPECT_TRUE(sink.destroyed);
        EXPECT_EQ(sink.shows.size(), 2u) << "a window that goes is not hidden first";
    }
    parent->Destroy();
    wxTheApp->Yield(true);
}

} // namespace
