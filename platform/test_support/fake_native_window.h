// A native window for tests without a display. It keeps the state a real window would, calls its
// sink as the toolkit would (size on creation and resize, paint in PaintNow while on screen,
// destroyed once), and gives out FakeGlSurfaces unless the test asks for failure or hands it
// another surface maker.
#pragma once

#include "platform/test_support/fake_gl_surface.h"
#include "platform/gl/gl_format.h"
#include "platform/native_window.h"

#include <functional>

class FakeUiEnvironment;

class FakeNativeWindow final : public NativeWindow
{
  public:
    FakeNativeWindow(FakeUiEnvironment& environment, const NativeWindowSpec& spec, NativeWindowSink& sink);
    ~FakeNativeWindow() override;

    bool Exists() const override { return exists_; }
    UiWindowId Id() const override { return UiWindowId(this); }
    NativeWindowKind Kind() const override { return spec_.kind; }
    UiWindowId Parent() const override { return spec_.parent; }
    void Destroy() override;

    void Show(bool show) override;
    bool IsShown() const override { return exists_ && shown_; }
    bool IsOnScreen() const override { return IsShown() && !minimised && !covered; }
    bool IsMinimised() const override { return exists_ && minimised; }
    bool IsMaximised() const override { return exists_ && maximised; }
    void Raise() override;

    UiRect ClientRect() const override;
    UiRect RectInParent() const override { return exists_ ? rect_ : UiRect{}; }
    void SetRectInParent(const UiRect& rect) override;

    void SetTitle(const std::string& title) override { title_ = title; }
    std::string Title() const override { return title_; }
    void SetIcon(int32_t iconId) override { iconId_ = iconId; }
    int32_t IconId() const { return iconId_; }

    bool HasCaption() const override { return caption_; }
    bool HasFrame() const override { return frame_; }
    void SetDecorations(bool caption, bool frame) override;

    bool PaintNow() override;
    std::unique_ptr<GlSurface> CreateGlSurface(CError& error) override;

    // The user resizes the window: the sink hears of the new client size.
    void UserResize(UiRect rect);
    // The parent destroys the window behind the owner's back.
    void DestroyByParent() { Destroy(); }
    // The frame's close button.
    void UserClose() { sink_.OnCloseRequest(); }

    const NativeWindowSpec& Spec() const { return spec_; }
    // The last surface handed out, while its owner keeps it.
    FakeGlSurface* Surface() const { return surface_; }

    bool minimised = false;
    bool maximised = false;
    bool covered = false;
    int raises = 0;
    int paints = 0;
    // Leaves the window without a GL surface (the pixel format or context failed).
    bool failGlSurface = false;

  private:
    FakeUiEnvironment& environment_;
    NativeWindowSpec spec_;
    NativeWindowSink& sink_;
    UiRect rect_;
    std::string title_;
    int32_t iconId_ = 0;
    bool exists_ = true;
    bool shown_ = false;
    // Only a popup starts with caption and sizing frame, as a real one does.
    bool caption_;
    bool frame_;
    FakeGlSurface* surface_ = nullptr;
};
