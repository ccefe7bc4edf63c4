// NativeWindow: a window of the toolkit that toolkit-free code (the preview) owns as an object
// while the toolkit owns the window itself. It is made as a child of another window, as a popup
// (a top-level window transient for its parent) or as a full-screen window, and reports what
// happens to it through its NativeWindowSink.
//
// Contract:
// - GUI thread only, for the window and for every call of its sink.
// - The toolkit may destroy the window at any time (its parent went): the sink then gets
//   OnDestroyed once, and from then on the object answers as a window that does not exist
//   (Exists() false, every operation does nothing and reports failure). Destroy() also ends in
//   OnDestroyed, synchronously. Destroying the object destroys a window that still exists; a
//   top-level window is hidden at once, whatever the toolkit does later.
// - Closing a top-level window by its frame (window manager) reaches the sink as OnCloseRequest
//   and does nothing else.
// - PaintNow() paints synchronously (the sink's OnPaint runs inside it) when the window is on
//   screen and answers false otherwise, without calling the sink.
// - Shown means asked to be visible (minimised windows are shown); on screen means mapped and
//   drawable now.
// - Rectangles: ClientRect is (0, 0, width, height); RectInParent is the window's outer rectangle in
//   its parent's client coordinates for a child, on the screen for a top-level window.
#pragma once

#include "platform/frame_hit.h"
#include "platform/ui_geometry.h"
#include "platform/ui_input.h"
#include "platform/ui_window_id.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gl/gl_format.h"

class CError;
class GlSurface;

enum class NativeWindowKind { Child, Popup, FullScreen };

// What a window reports to the object that uses it. Every operation has an empty default.
class NativeWindowSink
{
  public:
    virtual ~NativeWindowSink() = default;

    // The window needs a picture now.
    virtual void OnPaint() {}
    // The client area has this size now.
    virtual void OnSize(int32_t width, int32_t height) {}
    virtual void OnMove() {}
    // The user asked to close the (top-level) window.
    virtual void OnCloseRequest() {}
    // The window is gone; it must not be touched again.
    virtual void OnDestroyed() {}
    // The window was shown or hidden, by Show() or by the toolkit; told only of a change, and not
    // when the window goes.
    virtual void OnShow(bool shown) {}
    virtual void OnFocus(bool gained) {}

    // Input (platform/ui_input.h). Keys come as virtual-key codes with the modifiers of the
    // event. Buttons are one of the button bits; a double click comes between the press and the
    // release of its second click. A wheel rotation of 120 is one notch (smooth scrolling gives
    // less); only the vertical wheel is reported. True where the window took the input.
    virtual bool OnKeyDown(const UiKeyEvent& key) { return false; }
    virtual bool OnChar(int32_t character, bool system) { return false; }
    virtual void OnMouseButton(uint32_t button, bool down, bool doubleClick, const UiMouseEvent& event) {}
    virtual void OnMouseMove(const UiMouseEvent& event) {}
    virtual bool OnMouseWheel(int32_t rotation, const UiMouseEvent& event) { return false; }
    // The window lost the mouse capture it had (another window or the system took it).
    virtual void OnCaptureLost() {}
    // Files dropped on the window (UTF-8 paths).
    virtual void OnDropFiles(const std::vector<std::string>& paths) {}
    // A left press on the sizing frame of a top-level window without caption (the window draws
    // that frame itself): `standard` is the frame's own meaning of the point, an edge or corner
    // that sizes; the answer is what the press does.
    virtual FrameHit OnFrameHitTest(FrameHit standard) { return standard; }
};

struct NativeWindowSpec
{
    NativeWindowKind kind = NativeWindowKind::Child;
    UiWindowId parent;
    // The outer rectangle: in the parent's client coordinates for a child, on the screen for the
    // other kinds.
    UiRect rect;
    std::string title;
    // The icon resource both window icons come from; 0 for none.
    int32_t iconId = 0;
    bool acceptDrops = false;
    // The pixel format of its OpenGL surface, chosen when the window is made.
    GlFormatRequest gl;
};

class NativeWindow
{
  public:
    virtual ~NativeWindow() = default;

    virtual bool Exists() const = 0;
    virtual UiWindowId Id() const = 0;
    virtual NativeWindowKind Kind() const = 0;
    virtual UiWindowId Parent() const = 0;
    // Destroys the window now; the sink's OnDestroyed runs before this returns.
    virtual void Destroy() = 0;

    virtual void Show(bool show) = 0;
    virtual bool IsShown() const = 0;
    virtual bool IsOnScreen() const = 0;
    virtual bool IsMinimised() const = 0;
    virtual bool IsMaximised() const = 0;
    // Brings the window to the top of its siblings and shows it.
    virtual void Raise() = 0;

    virtual UiRect ClientRect() const = 0;
    virtual UiRect RectInParent() const = 0;
    virtual void SetRectInParent(const UiRect& rect) = 0;

    virtual void SetTitle(const std::string& title) = 0;
    virtual std::string Title() const = 0;
    virtual void SetIcon(int32_t iconId) = 0;

    // Decorations of a top-level window: the title bar (caption) and the sizing frame. A sizing
    // frame without caption is the window's own band round the client, which keeps its size.
    virtual bool HasCaption() const = 0;
    virtual bool HasFrame() const = 0;
    virtual void SetDecorations(bool caption, bool frame) = 0;

    // Paints synchronously when on screen; false otherwise.
    virtual bool PaintNow() = 0;

    // The OpenGL surface of this window: a context in the format of its spec, made once the
    // toolkit realised the window. Null, with the reason in error, when none can be made.
    virtual std::unique_ptr<GlSurface> CreateGlSurface(CError& error) = 0;
};
