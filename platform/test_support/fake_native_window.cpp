#include "platform/test_support/fake_native_window.h"

#include "foundation/errors/c_error.h"
#include "platform/test_support/fake_ui_environment.h"

FakeNativeWindow::FakeNativeWindow(FakeUiEnvironment& environment, const NativeWindowSpec& spec,
                                   NativeWindowSink& sink)
    : environment_(environment), spec_(spec), sink_(sink), rect_(spec.rect), title_(spec.title),
      iconId_(spec.iconId), caption_(spec.kind == NativeWindowKind::Popup), frame_(caption_)
{
}

FakeNativeWindow::~FakeNativeWindow()
{
    if (exists_) {
        shown_ = false;
        Destroy();
    }
    if (surface_ != nullptr)
        surface_->Track(nullptr);
    environment_.Forget(this);
}

void FakeNativeWindow::Destroy()
{
    if (!exists_)
        return;
    shown_ = false;
    exists_ = false;
    sink_.OnDestroyed();
}

void FakeNativeWindow::Show(bool show)
{
    if (!exists_ || shown_ == show)
        return;
    shown_ = show;
    sink_.OnShow(show);
}

void FakeNativeWindow::Raise()
{
    if (!exists_)
        return;
    ++raises;
    Show(true);
}

UiRect FakeNativeWindow::ClientRect() const
{
    return exists_ ? UiRect{0, 0, rect_.Width(), rect_.Height()} : UiRect{};
}

void FakeNativeWindow::SetRectInParent(const UiRect& rect)
{
    if (!exists_)
        return;
    const bool resized = rect.Size() != rect_.Size();
    rect_ = rect;
    if (resized)
        sink_.OnSize(rect.Width(), rect.Height());
    sink_.OnMove();
}

void FakeNativeWindow::UserResize(UiRect rect)
{
    SetRectInParent(rect);
}

void FakeNativeWindow::SetDecorations(bool caption, bool frame)
{
    caption_ = caption;
    frame_ = frame;
}

bool FakeNativeWindow::PaintNow()
{
    if (!IsOnScreen())
        return false;
    ++paints;
    sink_.OnPaint();
    return true;
}

std::unique_ptr<GlSurface> FakeNativeWindow::CreateGlSurface(CError& error)
{
    if (!exists_ || failGlSurface || (environment_.refuseGl && environment_.refuseGl(spec_))) {
        error.SetError("The fake window refuses a GL surface.", 0);
        return nullptr;
    }
    if (environment_.surfaceMaker)
        return environment_.surfaceMaker(*this);
    auto surface = std::make_unique<FakeGlSurface>(rect_.Size());
    if (surface_ != nullptr)
        surface_->Track(nullptr);
    surface_ = surface.get();
    surface_->Track(&surface_);
    return surface;
}
