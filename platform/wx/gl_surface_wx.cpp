#include "platform/wx/gl_surface_wx.h"

#include "foundation/errors/c_error.h"
#include "platform/gl/generic_rendering.h"
#include "platform/gl/gl_offscreen.h"
#include "platform/wx/native_window_wx.h"

#include <GL/glx.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <wx/glcanvas.h>

#include <bit>
#include <string>
#include <vector>

namespace {

Display* X11Display()
{
    GdkDisplay* display = gdk_display_get_default();
    return display != nullptr && GDK_IS_X11_DISPLAY(display) ? gdk_x11_display_get_xdisplay(display) : nullptr;
}

int ConfigAttribute(Display* display, GLXFBConfig config, int attribute)
{
    int value = 0;
    glXGetFBConfigAttrib(display, config, attribute, &value);
    return value;
}

GlFormatCandidate Describe(Display* display, GLXFBConfig config)
{
    GlFormatCandidate c;
    c.drawToWindow = (ConfigAttribute(display, config, GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT) != 0 &&
                     ConfigAttribute(display, config, GLX_VISUAL_ID) != 0;
    c.openGl = true;
    c.rgba = (ConfigAttribute(display, config, GLX_RENDER_TYPE) & GLX_RGBA_BIT) != 0;
    c.doubleBuffer = ConfigAttribute(display, config, GLX_DOUBLEBUFFER) != 0;
    c.generic = ConfigAttribute(display, config, GLX_CONFIG_CAVEAT) == GLX_SLOW_CONFIG;
    c.colourBits = ConfigAttribute(display, config, GLX_BUFFER_SIZE);
    c.alphaBits = ConfigAttribute(display, config, GLX_ALPHA_SIZE);
    c.accumBits = ConfigAttribute(display, config, GLX_ACCUM_RED_SIZE) +
                  ConfigAttribute(display, config, GLX_ACCUM_GREEN_SIZE) +
                  ConfigAttribute(display, config, GLX_ACCUM_BLUE_SIZE) +
                  ConfigAttribute(display, config, GLX_ACCUM_ALPHA_SIZE);
    c.depthBits = ConfigAttribute(display, config, GLX_DEPTH_SIZE);
    c.stencilBits = ConfigAttribute(display, config, GLX_STENCIL_SIZE);
    return c;
}

class WindowGlSurface final : public GlSurface
{
  public:
    explicit WindowGlSurface(WxNativeWindow& window) : window_(window) {}
    ~WindowGlSurface() override { Release(); }

    bool Open(CError& error)
    {
        wxGLCanvas* canvas = window_.Canvas();
        // The context can be current only on a realised canvas, which a hidden window is not yet.
        gtk_widget_realize(canvas->GetHandle());
        context_ = std::make_unique<wxGLContext>(canvas);
        if (!context_->IsOK()) {
            error.SetError("The OpenGL context of the preview window cannot be created.", 0);
            context_.reset();
            return false;
        }
        return true;
    }

    bool MakeCurrent() override
    {
        if (!context_ || !window_.Exists())
            return false;
        wxGLCanvas* canvas = window_.Canvas();
        current_ = canvas->GetXWindow() != 0 && context_->SetCurrent(*canvas);
        return current_;
    }
    bool IsCurrent() const override { return context_ && current_ && glXGetCurrentContext() != nullptr; }
    bool Present() override { return window_.Exists() && window_.Canvas()->SwapBuffers(); }
    void Release() override
    {
        context_.reset();
        current_ = false;
    }
    UiSize Size() const override
    {
        const UiRect client = window_.ClientRect();
        return {std::max(client.Width(), 1), std::max(client.Height(), 1)};
    }
    std::string Describe() const override { return "window"; }
    GlProc GetProcAddress(const char* name) const override
    {
        return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name));
    }

  private:
    WxNativeWindow& window_;
    std::unique_ptr<wxGLContext> context_;
    bool current_ = false;
};

// Puts frames rendered elsewhere into the canvas's X window, converted to the window's visual.
class XWindowPresenter final : public GlFramePresenter
{
  public:
    explicit XWindowPresenter(WxNativeWindow& window) : window_(window), display_(X11Display()) {}
    ~XWindowPresenter() override
    {
        if (gc_ != nullptr)
            XFreeGC(display_, gc_);
    }

    UiSize TargetSize() const override { return window_.ClientRect().Size(); }
    bool PresentPixels(const uint8_t* pixels, UiSize size) override;

  private:
    // The window's pixel value of a blue, green, red byte triple; false for visuals that are not
    // true colour.
    bool LearnVisual(const XWindowAttributes& attributes);
    bool GcFor(Window window);

    WxNativeWindow& window_;
    Display* display_;
    GC gc_ = nullptr;
    Window gcWindow_ = 0;
    int redShift_ = 0;
    int greenShift_ = 0;
    int blueShift_ = 0;
    std::vector<uint32_t> converted_;
};

bool XWindowPresenter::LearnVisual(const XWindowAttributes& attributes)
{
    const Visual* visual = attributes.visual;
    if (visual == nullptr || visual->c_class != TrueColor || attributes.depth < 24)
        return false;
    // Eight bits a channel: a channel's byte sits at the top of its mask.
    const auto shiftOf = [](unsigned long mask) { return std::bit_width(mask) - 8; };
    redShift_ = shiftOf(visual->red_mask);
    greenShift_ = shiftOf(visual->green_mask);
    blueShift_ = shiftOf(visual->blue_mask);
    return redShift_ >= 0 && greenShift_ >= 0 && blueShift_ >= 0;
}

bool XWindowPresenter::GcFor(Window window)
{
    if (gc_ != nullptr && gcWindow_ == window)
        return true;
    if (gc_ != nullptr)
        XFreeGC(display_, gc_);
    gc_ = XCreateGC(display_, window, 0, nullptr);
    gcWindow_ = window;
    return gc_ != nullptr;
}

bool XWindowPresenter::PresentPixels(const uint8_t* pixels, UiSize size)
{
    if (display_ == nullptr || !window_.Exists())
        return false;
    const Window window = window_.Canvas()->GetXWindow();
    XWindowAttributes attributes;
    if (window == 0 || !XGetWindowAttributes(display_, window, &attributes) || !LearnVisual(attributes) ||
        !GcFor(window))
        return false;
    const size_t count = static_cast<size_t>(size.width) * static_cast<size_t>(size.height);
    converted_.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* bgra = pixels + i * 4;
        converted_[i] = (uint32_t{bgra[2]} << redShift_) | (uint32_t{bgra[1]} << greenShift_) |
                        (uint32_t{bgra[0]} << blueShift_);
    }
    XImage* image = XCreateImage(display_, attributes.visual, static_cast<unsigned>(attributes.depth), ZPixmap, 0,
                                 reinterpret_cast<char*>(converted_.data()), static_cast<unsigned>(size.width),
                                 static_cast<unsigned>(size.height), 32, size.width * 4);
    if (image == nullptr)
        return false;
    // The words are in this machine's order.
    image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    XPutImage(display_, window, gc_, image, 0, 0, 0, 0, static_cast<unsigned>(size.width),
              static_cast<unsigned>(size.height));
    image->data = nullptr; // ours, not Xlib's to free
    XDestroyImage(image);
    XFlush(display_);
    return true;
}

// The renderer of the current context.
std::string CurrentRenderer()
{
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return renderer != nullptr ? renderer : "";
}

} // namespace

bool ChooseWindowGlAttributes(const GlFormatRequest& request, wxGLAttributes& attributes, CError& error)
{
    Display* display = X11Display();
    if (display == nullptr) {
        error.SetError("OpenGL windows need an X11 display.", 0);
        return false;
    }
    // The display's own order of suitable configs stands for the driver's choice.
    const int wanted[] = {GLX_X_RENDERABLE, True, GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT, GLX_RENDER_TYPE, GLX_RGBA_BIT,
                          GLX_RED_SIZE, 1, GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE, 1, None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), wanted, &count);
    std::vector<GlFormatCandidate> candidates;
    for (int i = 0; i < count; ++i)
        candidates.push_back(Describe(display, configs[i]));
    const int32_t chosen = ChooseGlFormat(request, candidates);
    const int id = chosen >= 0 ? ConfigAttribute(display, configs[chosen], GLX_FBCONFIG_ID) : 0;
    if (configs != nullptr)
        XFree(configs);
    if (chosen < 0) {
        error.SetError("The display offers no OpenGL pixel format for the preview.", 0);
        return false;
    }
    attributes.AddAttribute(GLX_FBCONFIG_ID);
    attributes.AddAttribute(id);
    attributes.EndList();
    return true;
}

std::unique_ptr<GlSurface> CreateWindowGlSurface(WxNativeWindow& window, bool forceGeneric, CError& error)
{
    auto surface = std::make_unique<WindowGlSurface>(window);
    if (!surface->Open(error))
        return nullptr;
    if (!forceGeneric || !surface->MakeCurrent() || !RendersOffscreenForGeneric(true, CurrentRenderer()))
        return surface;
    surface->Release();
    CError softwareError;
    std::unique_ptr<GlSurface> software = CreatePresentingWindowGlSurface(window, softwareError);
    if (software)
        return software;
    // Without Mesa's software device the window's own driver still draws.
    return CreateWindowGlSurface(window, false, error);
}

std::unique_ptr<GlSurface> CreatePresentingWindowGlSurface(WxNativeWindow& window, CError& error)
{
    return CreatePresentingGlSurface(std::make_unique<XWindowPresenter>(window), error);
}
