#include "platform/wx/gl_surface_wx.h"

#include "foundation/errors/c_error.h"
#include "platform/wx/native_window_wx.h"

#include <GL/glx.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <wx/glcanvas.h>

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

std::unique_ptr<GlSurface> CreateWindowGlSurface(WxNativeWindow& window, CError& error)
{
    auto surface = std::make_unique<WindowGlSurface>(window);
    if (!surface->Open(error))
        return nullptr;
    return surface;
}
