// The window surfaces on the test's display, where Mesa renders in software: forced generic
// rendering keeps the window's own context there, and the software surface that stands in for a
// hardware driver puts its frames into the window the right way up.
#include "platform/wx/gl_surface_wx.h"

#include "foundation/errors/c_error.h"
#include "platform/wx/native_window_wx.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>

#include <array>
#include <bit>
#include <chrono>
#include <thread>

// Last: Xlib's macros (None, Bool) clash with names of the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

constexpr int32_t kWidth = 160;
constexpr int32_t kHeight = 120;
constexpr int32_t kTopRows = 10;

// Red, green and blue of the window's pixel at (x, y), as another client reads it from the server.
std::array<int, 3> WindowPixel(Window window, int x, int y)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return {-1, -1, -1};
    std::array<int, 3> rgb{-1, -1, -1};
    if (XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap)) {
        const unsigned long pixel = XGetPixel(image, 0, 0);
        const auto channel = [pixel](unsigned long mask) {
            return static_cast<int>((pixel & mask) >> (std::bit_width(mask) - 8));
        };
        rgb = {channel(image->red_mask), channel(image->green_mask), channel(image->blue_mask)};
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return rgb;
}

class GlSurfaceWxTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        if (wxTheApp == nullptr)
            GTEST_SKIP() << "no display";
        frame_ = new wxFrame(nullptr, wxID_ANY, "surfaces", wxDefaultPosition, wxSize(kWidth + 40, kHeight + 40));
        frame_->Show();
        NativeWindowSpec spec;
        spec.kind = NativeWindowKind::Child;
        spec.parent = UiWindowId(static_cast<wxWindow*>(frame_));
        spec.rect = {0, 0, kWidth, kHeight};
        spec.gl.forceGeneric = true;
        CError error;
        window_ = WxNativeWindow::Create(spec, sink_, error);
        ASSERT_TRUE(window_) << error.Message().CStr();
        window_->Show(true);
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!window_->IsOnScreen() && std::chrono::steady_clock::now() < limit) {
            wxTheApp->Yield(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_TRUE(window_->IsOnScreen());
        wxTheApp->Yield(true);
    }
    void TearDown() override
    {
        window_.reset();
        if (frame_ != nullptr)
            frame_->Destroy();
        if (wxTheApp != nullptr)
            wxTheApp->Yield(true);
    }

    NativeWindowSink sink_;
    wxFrame* frame_ = nullptr;
    std::unique_ptr<WxNativeWindow> window_;
};

TEST_F(GlSurfaceWxTest, ForcedGenericKeepsTheWindowsOwnContextOnASoftwareDriver)
{
    CError error;
    std::unique_ptr<GlSurface> surface = CreateWindowGlSurface(*window_, true, error);
    ASSERT_TRUE(surface);
    EXPECT_EQ(surface->Describe(), "window");
}

TEST_F(GlSurfaceWxTest, TheSoftwareSurfacePresentsIntoTheWindowTopRowFirstAndFollowsItsSize)
{
    CError error;
    std::unique_ptr<GlSurface> surface = CreatePresentingWindowGlSurface(*window_, error);
    ASSERT_TRUE(surface) << error.Message().CStr();
    ASSERT_TRUE(surface->MakeCurrent());
    EXPECT_EQ(surface->Size(), (UiSize{kWidth, kHeight}));
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, kHeight - kTopRows, kWidth, kTopRows);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    ASSERT_TRUE(surface->Present());
    const Window x = window_->Canvas()->GetXWindow();
    EXPECT_EQ(WindowPixel(x, kWidth / 2, kTopRows / 2), (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(WindowPixel(x, kWidth / 2, kHeight / 2), (std::array<int, 3>{255, 0, 0}));

    window_->SetRectInParent({0, 0, kWidth / 2, kHeight / 2});
    wxTheApp->Yield(true);
    ASSERT_TRUE(surface->MakeCurrent());
    EXPECT_EQ(surface->Size(), (UiSize{kWidth / 2, kHeight / 2}));
}

} // namespace
