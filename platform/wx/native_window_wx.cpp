#include "platform/wx/native_window_wx.h"

#include "foundation/errors/c_error.h"
#include "platform/virtual_keys.h"
#include "platform/wx/gl_surface_wx.h"
#include "platform/wx/icon_resource_wx.h"
#include "platform/wx/top_level_frame_gtk.h"
#include "platform/wx/virtual_keys_wx.h"

#include <gtk/gtk.h>
#include <wx/dcclient.h>
#include <wx/cursor.h>
#include <wx/dnd.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>
#include <wx/icon.h>

// The drawing area. It outlives its owner only while the toolkit finishes destroying it, so every
// handler asks whether the owner is still there.
class WxPreviewCanvas final : public wxGLCanvas
{
  public:
    WxPreviewCanvas(wxWindow* parent, const wxGLAttributes& attributes, const wxPoint& position,
                    const wxSize& size, bool takesFocus, WxNativeWindow* owner)
        : wxGLCanvas(parent, attributes, wxID_ANY, position, size, wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS),
          owner_(owner), takesFocus_(takesFocus)
    {
        Bind(wxEVT_PAINT, &WxPreviewCanvas::OnPaint, this);
        Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
        Bind(wxEVT_SIZE, &WxPreviewCanvas::OnSize, this);
        Bind(wxEVT_DESTROY, &WxPreviewCanvas::OnDestroy, this);
        Bind(wxEVT_KEY_DOWN, &WxPreviewCanvas::OnKeyDown, this);
        Bind(wxEVT_CHAR, &WxPreviewCanvas::OnChar, this);
        Bind(wxEVT_MOTION, [this](wxMouseEvent& e) {
            if (owner_)
                owner_->Sink().OnMouseMove(MouseEventFromWx(e));
            e.Skip();
        });
        Bind(wxEVT_MOUSEWHEEL, [this](wxMouseEvent& e) {
            const bool vertical = e.GetWheelAxis() == wxMOUSE_WHEEL_VERTICAL;
            if (!owner_ || !vertical ||
                !owner_->Sink().OnMouseWheel(e.GetWheelRotation(), MouseEventFromWx(e)))
                e.Skip();
        });
        for (const auto& [type, button, down, twice] : kButtonEvents) {
            Bind(type, [this, button = button, down = down, twice = twice](wxMouseEvent& e) {
                if (owner_)
                    owner_->Sink().OnMouseButton(button, down, twice, MouseEventFromWx(e));
                e.Skip();
            });
        }
        Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
            if (owner_)
                owner_->Sink().OnCaptureLost();
        });
        Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) {
            if (owner_)
                owner_->Sink().OnFocus(true);
            e.Skip();
        });
        Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
            if (owner_)
                owner_->Sink().OnFocus(false);
            e.Skip();
        });
        Bind(wxEVT_SHOW, [this](wxShowEvent& e) {
            if (owner_)
                owner_->OnToolkitShow(e.GetEventObject(), e.IsShown());
            e.Skip();
        });
    }

    bool AcceptsFocus() const override { return takesFocus_; }
    void Detach() { owner_ = nullptr; }
    WxNativeWindow* Owner() const { return owner_; }

  private:
    struct ButtonEvent
    {
        wxEventTypeTag<wxMouseEvent> type;
        uint32_t button;
        bool down;
        bool twice;
    };
    inline static const std::array<ButtonEvent, 9> kButtonEvents{{
        {wxEVT_LEFT_DOWN, kUiLeftButton, true, false},
        {wxEVT_LEFT_UP, kUiLeftButton, false, false},
        {wxEVT_LEFT_DCLICK, kUiLeftButton, true, true},
        {wxEVT_RIGHT_DOWN, kUiRightButton, true, false},
        {wxEVT_RIGHT_UP, kUiRightButton, false, false},
        {wxEVT_RIGHT_DCLICK, kUiRightButton, true, true},
        {wxEVT_MIDDLE_DOWN, kUiMiddleButton, true, false},
        {wxEVT_MIDDLE_UP, kUiMiddleButton, false, false},
        {wxEVT_MIDDLE_DCLICK, kUiMiddleButton, true, true},
    }};

    void OnPaint(wxPaintEvent&)
    {
        wxPaintDC dc(this);
        if (owner_)
            owner_->Sink().OnPaint();
    }
    void OnSize(wxSizeEvent& e)
    {
        if (owner_) {
            const wxSize size = GetClientSize();
            owner_->Sink().OnSize(size.x, size.y);
        }
        e.Skip();
    }
    void OnDestroy(wxWindowDestroyEvent& e)
    {
        // A window must not go while it holds the mouse (a drag when the preview is re-created).
        if (e.GetEventObject() == this && HasCapture())
            ReleaseMouse();
        if (e.GetEventObject() == this && owner_)
            owner_->OnCanvasDestroyed();
        e.Skip();
    }
    void OnKeyDown(wxKeyEvent& e)
    {
        const UiKeyEvent key = KeyEventFromWx(e);
        if (owner_ && key.virtualKey != 0 && owner_->Sink().OnKeyDown(key))
            return;
        // A top-level preview closes on Alt+F4 as any window does when the key is not its own.
        if (owner_ && takesFocus_ && key.virtualKey == vk::kF4 && key.modifiers == kUiAlt) {
            wxGetTopLevelParent(this)->Close();
            return;
        }
        e.Skip();
    }
    void OnChar(wxKeyEvent& e)
    {
        if (!owner_ || !owner_->Sink().OnChar(static_cast<int32_t>(e.GetUnicodeKey()), e.AltDown()))
            e.Skip();
    }

    WxNativeWindow* owner_;
    bool takesFocus_;
};

// The top-level window around a popup or full-screen canvas. Closing it by the window manager only
// tells the owner. Without a caption its sizing frame is a band of its own round the canvas, where a
// left press sizes or, as the owner decides, moves the window.
class WxPreviewFrame final : public wxFrame
{
  public:
    WxPreviewFrame(wxWindow* parent, const wxString& title, long style, WxNativeWindow* owner)
        : wxFrame(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, style), owner_(owner)
    {
        Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
            if (owner_ && e.CanVeto()) {
                e.Veto();
                owner_->Sink().OnCloseRequest();
                return;
            }
            e.Skip();
        });
        Bind(wxEVT_MOVE, [this](wxMoveEvent& e) {
            if (owner_)
                owner_->Sink().OnMove();
            e.Skip();
        });
        // Not skipped: the frame's own layout would give its only child the whole client area.
        Bind(wxEVT_SIZE, [this](wxSizeEvent&) { LayoutCanvas(); });
        Bind(wxEVT_LEFT_DOWN, &WxPreviewFrame::OnBandPress, this);
        Bind(wxEVT_LEFT_DCLICK, &WxPreviewFrame::OnBandPress, this);
        // The pointer may come onto the band straight from outside the window.
        Bind(wxEVT_ENTER_WINDOW, &WxPreviewFrame::OnBandMotion, this);
        Bind(wxEVT_MOTION, &WxPreviewFrame::OnBandMotion, this);
        Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent& e) {
            pointedPart_ = FrameHit::kClient;
            e.Skip();
        });
        Bind(wxEVT_SHOW, [this](wxShowEvent& e) {
            if (owner_)
                owner_->OnToolkitShow(e.GetEventObject(), e.IsShown());
            e.Skip();
        });
    }
    void Detach() { owner_ = nullptr; }

    void SetCanvasSize(int32_t width, int32_t height)
    {
        SetClientSize(width + 2 * band_, height + 2 * band_);
    }
    // Puts the band round the canvas, or takes it away, keeping the canvas's size.
    void SetBand(int32_t band)
    {
        if (band == band_)
            return;
        const wxSize canvas = CanvasSize();
        band_ = band;
        pointedPart_ = FrameHit::kClient;
        SetCanvasSize(canvas.x, canvas.y);
        LayoutCanvas();
    }

  private:
    wxWindow* Canvas() const { return GetChildren().empty() ? nullptr : GetChildren().front(); }
    wxSize CanvasSize() const
    {
        const wxWindow* canvas = Canvas();
        return canvas != nullptr ? canvas->GetSize() : GetClientSize();
    }
    void LayoutCanvas()
    {
        wxWindow* canvas = Canvas();
        if (canvas == nullptr)
            return;
        const wxSize client = GetClientSize();
        canvas->SetSize(band_, band_, std::max(client.x - 2 * band_, 1), std::max(client.y - 2 * band_, 1));
    }
    // The part of the band under the pointer; kClient off the band or without one.
    FrameHit BandPart(const wxMouseEvent& e) const
    {
        if (owner_ == nullptr || band_ == 0)
            return FrameHit::kClient;
        const wxSize client = GetClientSize();
        return FrameBandHit(client.x, client.y, e.GetX(), e.GetY(), band_);
    }
    // What the owner makes of a part of the band. It is asked once while the pointer stays on that
    // part: the shape shown there and the press that follows must agree.
    FrameHit BandAction(FrameHit part)
    {
        if (part != pointedPart_) {
            pointedPart_ = part;
            pointedAction_ = owner_->Sink().OnFrameHitTest(part);
        }
        return pointedAction_;
    }
    // The pointer tells before the press what the band does there: a double arrow where it sizes,
    // the arrow where it moves the window.
    void OnBandMotion(wxMouseEvent& e)
    {
        e.Skip();
        const FrameHit part = BandPart(e);
        if (part == FrameHit::kClient) {
            pointedPart_ = FrameHit::kClient;
            SetFrameHitCursor(*this, FrameHit::kClient);
            return;
        }
        SetFrameHitCursor(*this, BandAction(part));
    }
    void OnBandPress(wxMouseEvent& e)
    {
        const FrameHit part = BandPart(e);
        if (part == FrameHit::kClient) {
            e.Skip();
            return;
        }
        const FrameHit hit = BandAction(part);
        const wxPoint screen = ClientToScreen(e.GetPosition());
        BeginWindowFrameDrag(*this, hit, kGdkLeftButton, screen.x, screen.y,
                             static_cast<uint32_t>(e.GetTimestamp()));
    }

    static constexpr int32_t kGdkLeftButton = 1;
    WxNativeWindow* owner_;
    int32_t band_ = 0;
    FrameHit pointedPart_ = FrameHit::kClient;
    FrameHit pointedAction_ = FrameHit::kClient;
};

namespace {

class PathDropTarget final : public wxFileDropTarget
{
  public:
    explicit PathDropTarget(WxPreviewCanvas& canvas) : canvas_(canvas) {}
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) override
    {
        WxNativeWindow* owner = canvas_.Owner();
        if (owner == nullptr)
            return false;
        std::vector<std::string> paths;
        for (const wxString& name : names)
            paths.emplace_back(name.utf8_string());
        owner->Sink().OnDropFiles(paths);
        return true;
    }

  private:
    WxPreviewCanvas& canvas_;
};

// The width of the sizing band a captionless window draws itself.
constexpr int32_t kOwnFrameBand = 4;

wxWindow* ParentWindow(UiWindowId id)
{
    return static_cast<wxWindow*>(const_cast<void*>(id.Handle()));
}


} // namespace

std::unique_ptr<WxNativeWindow> WxNativeWindow::Create(const NativeWindowSpec& spec, NativeWindowSink& sink,
                                                       CError& error)
{
    std::unique_ptr<WxNativeWindow> window(new WxNativeWindow(spec, sink));
    if (!window->Build(error))
        return nullptr;
    return window;
}

bool WxNativeWindow::Build(CError& error)
{
    wxGLAttributes attributes;
    if (!ChooseWindowGlAttributes(spec_.gl, attributes, error))
        return false;
    wxWindow* parent = ParentWindow(spec_.parent);
    const wxSize size(std::max(spec_.rect.Width(), 1), std::max(spec_.rect.Height(), 1));
    if (spec_.kind == NativeWindowKind::Child) {
        if (parent == nullptr) {
            error.SetError("A child window needs a parent.", 0);
            return false;
        }
        canvas_ = new WxPreviewCanvas(parent, attributes, wxPoint(spec_.rect.left, spec_.rect.top), size, false, this);
    } else {
        wxWindow* owner = parent != nullptr ? wxGetTopLevelParent(parent) : nullptr;
        const bool fullScreen = spec_.kind == NativeWindowKind::FullScreen;
        const long style = fullScreen ? (wxBORDER_NONE | wxFRAME_NO_TASKBAR) : wxDEFAULT_FRAME_STYLE;
        frame_ = new WxPreviewFrame(owner, wxString::FromUTF8(spec_.title), style, this);
        frame_->SetPosition(wxPoint(spec_.rect.left, spec_.rect.top));
        frame_->SetClientSize(size);
        canvas_ = new WxPreviewCanvas(frame_, attributes, wxDefaultPosition, size, true, this);
        // A window without a cursor of its own shows its parent's: the band's sizing arrows would
        // stay over the picture.
        canvas_->SetCursor(wxCursor(wxCURSOR_ARROW));
        caption_ = sizingFrame_ = !fullScreen;
        SetIcon(spec_.iconId);
    }
    if (canvas_->GetXVisualInfo() == nullptr) {
        error.SetError("The display offers no OpenGL visual for the preview.", 0);
        Destroy();
        return false;
    }
    title_ = spec_.title;
    if (spec_.acceptDrops)
        canvas_->SetDropTarget(new PathDropTarget(*canvas_));
    return true;
}

WxNativeWindow::~WxNativeWindow()
{
    Destroy();
}

UiWindowId WxNativeWindow::Id() const
{
    return UiWindowId(static_cast<wxWindow*>(canvas_));
}

wxGLCanvas* WxNativeWindow::Canvas() const
{
    return canvas_;
}

wxWindow* WxNativeWindow::Outer() const
{
    return frame_ != nullptr ? static_cast<wxWindow*>(frame_) : static_cast<wxWindow*>(canvas_);
}

void WxNativeWindow::OnCanvasDestroyed()
{
    if (canvas_ == nullptr)
        return;
    canvas_->Detach();
    canvas_ = nullptr;
    if (frame_ != nullptr) {
        frame_->Detach();
        frame_->Hide();
        frame_->Destroy();
        frame_ = nullptr;
    }
    sink_.OnDestroyed();
}

void WxNativeWindow::OnToolkitShow(const wxObject* window, bool shown)
{
    // The canvas inside a top-level frame is never shown or hidden on its own; what counts is the
    // window that moves and sizes.
    if (canvas_ != nullptr && window == Outer())
        sink_.OnShow(shown);
}

void WxNativeWindow::Destroy()
{
    if (canvas_ == nullptr)
        return;
    WxPreviewCanvas* canvas = canvas_;
    WxPreviewFrame* frame = frame_;
    // The owner hears of it first, while the canvas can still be named; then the toolkit's windows
    // go without reporting to anybody.
    OnCanvasDestroyed();
    if (frame == nullptr)
        canvas->Destroy();
}

void WxNativeWindow::Show(bool show)
{
    if (canvas_ == nullptr)
        return;
    if (frame_ == nullptr) {
        canvas_->Show(show);
        return;
    }
    frame_->Show(show);
    if (show && spec_.kind == NativeWindowKind::FullScreen)
        frame_->ShowFullScreen(true, wxFULLSCREEN_ALL);
}

bool WxNativeWindow::IsShown() const
{
    return canvas_ != nullptr && Outer()->IsShown();
}

bool WxNativeWindow::IsOnScreen() const
{
    if (canvas_ == nullptr || !canvas_->IsShownOnScreen())
        return false;
    if (frame_ != nullptr && frame_->IsIconized())
        return false;
    return gtk_widget_get_mapped(canvas_->GetHandle());
}

bool WxNativeWindow::IsMinimised() const
{
    if (canvas_ == nullptr)
        return false;
    auto* top = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(canvas_));
    return top != nullptr && top->IsIconized();
}

bool WxNativeWindow::IsMaximised() const
{
    if (canvas_ == nullptr)
        return false;
    auto* top = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(canvas_));
    return top != nullptr && top->IsMaximized();
}

void WxNativeWindow::Raise()
{
    if (canvas_ == nullptr)
        return;
    Show(true);
    Outer()->Raise();
}

UiRect WxNativeWindow::ClientRect() const
{
    if (canvas_ == nullptr)
        return {};
    const wxSize size = canvas_->GetClientSize();
    return {0, 0, size.x, size.y};
}

UiRect WxNativeWindow::RectInParent() const
{
    if (canvas_ == nullptr)
        return {};
    const wxPoint position = Outer()->GetPosition();
    const wxSize size = canvas_->GetClientSize();
    return UiRect::FromSize(position.x, position.y, size.x, size.y);
}

void WxNativeWindow::SetRectInParent(const UiRect& rect)
{
    if (canvas_ == nullptr)
        return;
    if (frame_ == nullptr) {
        canvas_->SetSize(rect.left, rect.top, rect.Width(), rect.Height());
        sink_.OnMove();
        return;
    }
    frame_->SetPosition(wxPoint(rect.left, rect.top));
    frame_->SetCanvasSize(rect.Width(), rect.Height());
}

void WxNativeWindow::SetTitle(const std::string& title)
{
    title_ = title;
    if (frame_ != nullptr)
        frame_->SetTitle(wxString::FromUTF8(title));
}

std::string WxNativeWindow::Title() const
{
    return title_;
}

void WxNativeWindow::SetIcon(int32_t iconId)
{
    if (frame_ == nullptr || iconId == 0)
        return;
    const wxIcon icon = IconFromResource(iconId);
    if (icon.IsOk())
        frame_->SetIcon(icon);
}

bool WxNativeWindow::HasCaption() const
{
    return frame_ != nullptr && caption_;
}

bool WxNativeWindow::HasFrame() const
{
    return frame_ != nullptr && sizingFrame_;
}

void WxNativeWindow::SetDecorations(bool caption, bool frame)
{
    if (frame_ == nullptr)
        return;
    caption_ = caption;
    sizingFrame_ = frame;
    // A window manager's frame without a title bar sizes by its top edge too, and may not be
    // drawn at all; the band of our own answers as the window's frame should.
    frame_->SetBand(frame && !caption ? kOwnFrameBand : 0);
    GdkWindow* window = gtk_widget_get_window(frame_->GetHandle());
    if (window == nullptr)
        return;
    int decorations = 0;
    if (caption && frame)
        decorations = GDK_DECOR_ALL;
    else if (caption)
        decorations = GDK_DECOR_TITLE | GDK_DECOR_BORDER | GDK_DECOR_MENU;
    gdk_window_set_decorations(window, static_cast<GdkWMDecoration>(decorations));
}

bool WxNativeWindow::PaintNow()
{
    if (!IsOnScreen())
        return false;
    sink_.OnPaint();
    return true;
}

std::unique_ptr<GlSurface> WxNativeWindow::CreateGlSurface(CError& error)
{
    if (canvas_ == nullptr) {
        error.SetError("The window is gone.", 0);
        return nullptr;
    }
    return CreateWindowGlSurface(*this, spec_.gl.forceGeneric, error);
}
