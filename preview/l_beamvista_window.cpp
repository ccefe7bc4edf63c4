// The preview's own window: its three placements (child, popup, full screen), re-creation in the
// same place, the size presets, the caption/frame and topmost toggles, and its teardown. Every
// change of placement destroys the window and makes a new one with a new GL context.
#include "preview/l_beamvista.h"

#include "foundation/tasks/l_mutex.h"
#include "platform/gl/gl_format.h"
#include "platform/gl/gl_surface.h"

#include <memory>

namespace {

constexpr const char* kWindowCaption = "Beam Vista";
constexpr int32_t kPreviewIconId = 2199;

} // namespace

bool LBeamvista::HasWindow() const
{
    return window_ != nullptr && window_->Exists();
}

UiWindowId LBeamvista::WindowId() const
{
    return HasWindow() ? window_->Id() : UiWindowId();
}

UiWindowId LBeamvista::SharedWindow() const
{
    LMutexLocker lock(GlobalMutex);
    return sharedWindow_;
}

void LBeamvista::SetSharedWindow(UiWindowId window)
{
    LMutexLocker lock(GlobalMutex);
    sharedWindow_ = window;
}

int32_t LBeamvista::MonitorOfWindow() const
{
    UiEnvironment& environment = CurrentUiEnvironment();
    if (!HasWindow())
        return 0;
    return MonitorNearest(environment.Monitors(), environment.ScreenRectOf(window_->Id()));
}

bool LBeamvista::CreatePreviewWindow(NativeWindowKind kind, UiWindowId parent, const UiRect& requested)
{
    BindParameters();
    monitor_ = MonitorOfWindow();
    CloseWindow(true);
    window_.reset();

    UiEnvironment& environment = CurrentUiEnvironment();
    UiRect rect = requested;
    if (kind == NativeWindowKind::FullScreen) {
        rect = FullScreenRect(requested.Width(), requested.Height());
    } else {
        savedRect_ = requested;
        fullScreen_ = false;
        savedParent_ = kind == NativeWindowKind::Child ? parent : UiWindowId();
    }

    NativeWindowSpec spec;
    spec.kind = kind;
    spec.parent = parent;
    spec.rect = rect;
    spec.title = kWindowCaption;
    spec.iconId = kPreviewIconId;
    spec.acceptDrops = true;
    spec.gl.forceGeneric = livePars_.o_force_generic_opengl != 0;
    CError error;
    window_ = environment.CreateNativeWindow(spec, *this, error);
    if (!window_)
        return false;
    SetSharedWindow(window_->Id());

    creatingContext_ = true;
    const bool made = CreateGLContext();
    creatingContext_ = false;
    if (!made) {
        CloseWindow(true);
        return false;
    }
    UpdateTitle();
    window_->Show(true);
    if (recreateDeferred_) {
        // The driver defaults changed the rendering switch while the context was made: one new
        // window with the final value.
        recreateDeferred_ = false;
        return Recreate();
    }
    return true;
}

UiRect LBeamvista::FullScreenRect(int32_t width, int32_t height)
{
    const std::vector<UiMonitor> monitors = CurrentUiEnvironment().Monitors();
    const UiRect screen = monitors.empty() ? UiRect{} : monitors[std::min<size_t>(monitor_, monitors.size() - 1)].rect;
    UiRect rect = screen;
    if (width > 0 && height > 0 && (width != screen.Width() || height != screen.Height()) &&
        ChangeDisplayMode(width, height, 0))
        rect = UiRect::FromSize(screen.left, screen.top, width, height);
    fullScreenWidth_ = width;
    fullScreenHeight_ = height;
    fullScreen_ = true;
    return rect;
}

bool LBeamvista::CreateAsPopup(UiWindowId parent, const UiRect* rect)
{
    if (rect == nullptr && HasWindow() && !fullScreen_ && window_->Kind() == NativeWindowKind::Popup &&
        window_->Parent() == parent) {
        window_->Raise();
        return true;
    }
    return CreatePreviewWindow(NativeWindowKind::Popup, parent, rect != nullptr ? *rect : kDefaultPopupRect);
}

bool LBeamvista::CreateAsChild(UiWindowId parent, const UiRect* rect)
{
    if (!parent)
        return false;
    if (rect == nullptr && HasWindow() && !fullScreen_ && window_->Kind() == NativeWindowKind::Child &&
        window_->Parent() == parent) {
        window_->Raise();
        return true;
    }
    const UiRect whole = CurrentUiEnvironment().ClientRectOf(parent);
    return CreatePreviewWindow(NativeWindowKind::Child, parent, rect != nullptr ? *rect : whole);
}

bool LBeamvista::CreateFullScreen(UiWindowId parent, int32_t width, int32_t height)
{
    if (HasWindow() && fullScreen_ && window_->Parent() == parent && fullScreenWidth_ == width &&
        fullScreenHeight_ == height) {
        window_->Raise();
        return true;
    }
    return CreatePreviewWindow(NativeWindowKind::FullScreen, parent, UiRect{0, 0, width, height});
}

bool LBeamvista::CurrentPlacement(bool fullScreen, WindowPlacement& placement)
{
    if (!HasWindow())
        return false;
    placement.parent = window_->Parent();
    if (fullScreen) {
        placement.kind = NativeWindowKind::FullScreen;
        placement.rect = UiRect{0, 0, fullScreenWidth_, fullScreenHeight_};
        return true;
    }
    placement.kind = window_->Kind();
    placement.rect = window_->RectInParent();
    if (placement.kind == NativeWindowKind::Child) {
        if (!window_->IsMinimised() && !window_->IsMaximised())
            savedRect_ = placement.rect;
        placement.rect = savedRect_;
    }
    return true;
}

bool LBeamvista::RecreateWindow(bool fullScreen)
{
    WindowPlacement placement;
    if (!CurrentPlacement(fullScreen, placement))
        return false;
    return CreatePreviewWindow(placement.kind, placement.parent, placement.rect);
}

bool LBeamvista::Recreate()
{
    return RecreateWindow(fullScreen_);
}

bool LBeamvista::SetFullScreen(bool on)
{
    const UiWindowId parent = HasWindow() ? window_->Parent() : UiWindowId();
    if (on)
        return fullScreen_ || CreateFullScreen(parent, fullScreenWidth_, fullScreenHeight_);
    if (!fullScreen_)
        return true;
    if (savedParent_)
        return CreateAsChild(savedParent_, &savedRect_);
    return CreateAsPopup(parent, &savedRect_);
}

bool LBeamvista::ToggleFullScreen()
{
    return SetFullScreen(!fullScreen_);
}

bool LBeamvista::SetClientSize(int32_t width, int32_t height)
{
    if (!HasWindow())
        return false;
    UiEnvironment& environment = CurrentUiEnvironment();
    const UiWindowId topLevel = environment.TopLevelOf(window_->Id());
    const UiSize outer = environment.WindowSizeOf(topLevel);
    const UiRect client = window_->ClientRect();
    return environment.ResizeWindow(topLevel, {outer.width + width - client.Width(),
                                               outer.height + height - client.Height()});
}

bool LBeamvista::IsTopMost()
{
    if (!HasWindow())
        return false;
    UiEnvironment& environment = CurrentUiEnvironment();
    return environment.IsTopMost(environment.TopLevelOf(window_->Id()));
}

bool LBeamvista::ToggleTopMost()
{
    if (!HasWindow())
        return false;
    UiEnvironment& environment = CurrentUiEnvironment();
    const UiWindowId topLevel = environment.TopLevelOf(window_->Id());
    if (!topLevel)
        return false;
    return environment.SetTopMost(topLevel, !environment.IsTopMost(topLevel));
}

void LBeamvista::ToggleCaptionFrame()
{
    if (!HasWindow() || window_->Kind() == NativeWindowKind::Child)
        return;
    if (window_->HasCaption())
        window_->SetDecorations(false, window_->HasFrame());
    else if (window_->HasFrame())
        window_->SetDecorations(false, false);
    else
        window_->SetDecorations(true, true);
    Redraw();
}

bool LBeamvista::CloseWindow(bool destroy)
{
    if (!HasWindow())
        return false;
    if (destroy)
        window_->Destroy();
    else
        window_->Show(false);
    return true;
}

void LBeamvista::RememberPlacement()
{
    if (!HasWindow() || fullScreen_ || window_->IsMinimised() || window_->IsMaximised())
        return;
    savedRect_ = window_->RectInParent();
}

void LBeamvista::OnSize(int32_t width, int32_t height)
{
    SetViewport(width, height);
    RememberPlacement();
}

void LBeamvista::OnMove()
{
    RememberPlacement();
}

void LBeamvista::OnCloseRequest()
{
    CloseWindow(false);
}

void LBeamvista::OnShow(bool shown)
{
    if (shown || !fullScreen_)
        return;
    // Leaving full screen makes a new window; the hidden one is still inside its own hiding.
    const std::weak_ptr<const void> alive = lifetime_;
    CurrentUiEnvironment().PostAfterCurrentEvent([this, alive] {
        if (!alive.expired() && fullScreen_ && HasWindow() && !window_->IsShown())
            SetFullScreen(false);
    });
}

void LBeamvista::OnDestroyed()
{
    NotifyFocusLost();
    WakeCursor();
    RestoreDisplayMode();
    ReleaseGLContext();
    SetSharedWindow({});
}

bool LBeamvista::ChangeDisplayMode(int32_t width, int32_t height, int32_t)
{
    CError error;
    if (!CurrentUiEnvironment().ChangeDisplayMode(monitor_, {width, height}, error))
        return false;
    displayModeChanged_ = true;
    return true;
}

bool LBeamvista::RestoreDisplayMode()
{
    if (!displayModeChanged_)
        return false;
    displayModeChanged_ = false;
    return CurrentUiEnvironment().RestoreDisplayMode(monitor_);
}
