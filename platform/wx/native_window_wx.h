// WxNativeWindow: a NativeWindow made of wxWidgets windows. Its drawing area is always a
// wxGLCanvas: for a child directly inside the parent, for a popup or full-screen window inside a
// top-level frame of its own (transient for the parent's top-level window). The canvas is what the
// window's id names, so focus and hit tests find it.
#pragma once

#include "platform/native_window.h"

class wxFrame;
class wxGLCanvas;
class wxObject;
class wxWindow;
class WxPreviewCanvas;
class WxPreviewFrame;

class WxNativeWindow final : public NativeWindow
{
  public:
    // Null, with the reason in error, when the toolkit cannot make the window.
    static std::unique_ptr<WxNativeWindow> Create(const NativeWindowSpec& spec, NativeWindowSink& sink,
                                                  CError& error);
    ~WxNativeWindow() override;

    bool Exists() const override { return canvas_ != nullptr; }
    UiWindowId Id() const override;
    NativeWindowKind Kind() const override { return spec_.kind; }
    UiWindowId Parent() const override { return spec_.parent; }
    void Destroy() override;

    void Show(bool show) override;
    bool IsShown() const override;
    bool IsOnScreen() const override;
    bool IsMinimised() const override;
    bool IsMaximised() const override;
    void Raise() override;

    UiRect ClientRect() const override;
    UiRect RectInParent() const override;
    void SetRectInParent(const UiRect& rect) override;

    void SetTitle(const std::string& title) override;
    std::string Title() const override;
    void SetIcon(int32_t iconId) override;

    bool HasCaption() const override;
    bool HasFrame() const override;
    void SetDecorations(bool caption, bool frame) override;

    bool PaintNow() override;
    std::unique_ptr<GlSurface> CreateGlSurface(CError& error) override;

    wxGLCanvas* Canvas() const;
    NativeWindowSink& Sink() const { return sink_; }
    // The toolkit destroyed the canvas (or its parent did).
    void OnCanvasDestroyed();
    // The toolkit showed or hid one of the window's own windows.
    void OnToolkitShow(const wxObject* window, bool shown);

  private:
    WxNativeWindow(const NativeWindowSpec& spec, NativeWindowSink& sink) : spec_(spec), sink_(sink) {}
    bool Build(CError& error);
    // The window that moves and sizes: the frame of a top-level window, else the canvas.
    wxWindow* Outer() const;

    NativeWindowSpec spec_;
    NativeWindowSink& sink_;
    WxPreviewFrame* frame_ = nullptr;
    WxPreviewCanvas* canvas_ = nullptr;
    std::string title_;
    bool caption_ = true;
    bool sizingFrame_ = true;
};
