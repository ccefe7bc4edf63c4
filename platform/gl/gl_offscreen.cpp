#include "platform/gl/gl_offscreen.h"

#include "foundation/errors/c_error.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The framebuffer-object entry points, which libGL does not promise to export.
struct FramebufferApi
{
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

    bool Load()
    {
        genFramebuffers = reinterpret_cast<PFNGLGENFRAMEBUFFERSPROC>(eglGetProcAddress("glGenFramebuffers"));
        deleteFramebuffers = reinterpret_cast<PFNGLDELETEFRAMEBUFFERSPROC>(eglGetProcAddress("glDeleteFramebuffers"));
        bindFramebuffer = reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(eglGetProcAddress("glBindFramebuffer"));
        genRenderbuffers = reinterpret_cast<PFNGLGENRENDERBUFFERSPROC>(eglGetProcAddress("glGenRenderbuffers"));
        deleteRenderbuffers =
            reinterpret_cast<PFNGLDELETERENDERBUFFERSPROC>(eglGetProcAddress("glDeleteRenderbuffers"));
        bindRenderbuffer = reinterpret_cast<PFNGLBINDRENDERBUFFERPROC>(eglGetProcAddress("glBindRenderbuffer"));
        renderbufferStorage =
            reinterpret_cast<PFNGLRENDERBUFFERSTORAGEPROC>(eglGetProcAddress("glRenderbufferStorage"));
        framebufferRenderbuffer =
            reinterpret_cast<PFNGLFRAMEBUFFERRENDERBUFFERPROC>(eglGetProcAddress("glFramebufferRenderbuffer"));
        checkFramebufferStatus =
            reinterpret_cast<PFNGLCHECKFRAMEBUFFERSTATUSPROC>(eglGetProcAddress("glCheckFramebufferStatus"));
        return genFramebuffers && deleteFramebuffers && bindFramebuffer && genRenderbuffers && deleteRenderbuffers &&
               bindRenderbuffer && renderbufferStorage && framebufferRenderbuffer && checkFramebufferStatus;
    }
};

bool HasExtension(const char* list, const char* name)
{
    if (list == nullptr)
        return false;
    const std::string all = std::string(" ") + list + " ";
    return all.find(std::string(" ") + name + " ") != std::string::npos;
}

std::string EglErrorText(const char* step)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(eglGetError()));
    return std::string(step) + " failed (EGL error " + code + ")";
}

// Mesa's software device, found among the EGL devices; EGL_NO_DISPLAY when there is none.
EGLDisplay SoftwareDisplay()
{
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!HasExtension(clientExtensions, "EGL_EXT_device_enumeration") ||
        !HasExtension(clientExtensions, "EGL_EXT_platform_device"))
        return EGL_NO_DISPLAY;
    auto queryDevices = reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
    auto queryDeviceString =
        reinterpret_cast<PFNEGLQUERYDEVICESTRINGEXTPROC>(eglGetProcAddress("eglQueryDeviceStringEXT"));
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!queryDevices || !queryDeviceString || !getPlatformDisplay)
        return EGL_NO_DISPLAY;
    EGLint count = 0;
    if (!queryDevices(0, nullptr, &count) || count <= 0)
        return EGL_NO_DISPLAY;
    std::vector<EGLDeviceEXT> devices(count);
    queryDevices(count, devices.data(), &count);
    for (EGLDeviceEXT device : devices) {
        if (HasExtension(queryDeviceString(device, EGL_EXTENSIONS), "EGL_MESA_device_software"))
            return getPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, device, nullptr);
    }
    return EGL_NO_DISPLAY;
}

EGLDisplay SurfacelessDisplay()
{
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay)
        return EGL_NO_DISPLAY;
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

UiSize AtLeastOnePixel(UiSize size)
{
    return {std::max(size.width, 1), std::max(size.height, 1)};
}

class OffscreenGlSurface final : public GlSurface
{
  public:
    OffscreenGlSurface(UiSize size, std::unique_ptr<GlFramePresenter> presenter)
        : size_(AtLeastOnePixel(size)), presenter_(std::move(presenter))
    {
    }
    ~OffscreenGlSurface() override { Release(); }

    bool Open(bool software, CError& error);

    bool MakeCurrent() override
    {
        if (context_ == EGL_NO_CONTEXT)
            return false;
        if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_))
            return false;
        api_.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        if (presenter_)
            FollowTargetSize();
        return true;
    }
    bool IsCurrent() const override { return context_ != EGL_NO_CONTEXT && eglGetCurrentContext() == context_; }
    bool Present() override;
    void Release() override;
    UiSize Size() const override { return size_; }
    std::string Describe() const override { return presenter_ ? "offscreen, presented into a window" : "offscreen"; }
    GlProc GetProcAddress(const char* name) const override { return eglGetProcAddress(name); }

  private:
    bool MakeFramebuffer(CError& error);
    void AllocateRenderbuffers();
    void FollowTargetSize();

    UiSize size_;
    std::unique_ptr<GlFramePresenter> presenter_;
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLContext context_ = EGL_NO_CONTEXT;
    FramebufferApi api_;
    GLuint framebuffer_ = 0;
    GLuint colour_ = 0;
    GLuint depth_ = 0;
    std::vector<uint8_t> frame_;
    std::vector<uint8_t> topRowFirst_;
};

bool OffscreenGlSurface::Present()
{
    if (!IsCurrent())
        return false;
    if (!presenter_) {
        glFinish();
        return true;
    }
    constexpr size_t kPixelBytes = 4;
    const size_t rowBytes = static_cast<size_t>(size_.width) * kPixelBytes;
    frame_.resize(rowBytes * static_cast<size_t>(size_.height));
    glPixelStorei(GL_PACK_ALIGNMENT, kPixelBytes);
    glReadPixels(0, 0, size_.width, size_.height, GL_BGRA, GL_UNSIGNED_BYTE, frame_.data());
    if (glGetError() != GL_NO_ERROR)
        return false;
    // OpenGL reads the bottom row first; windows want the top one first.
    topRowFirst_.resize(frame_.size());
    for (int32_t row = 0; row < size_.height; ++row)
        std::memcpy(topRowFirst_.data() + static_cast<size_t>(row) * rowBytes,
                    frame_.data() + static_cast<size_t>(size_.height - 1 - row) * rowBytes, rowBytes);
    return presenter_->PresentPixels(topRowFirst_.data(), size_);
}

bool OffscreenGlSurface::Open(bool software, CError& error)
{
    display_ = software ? SoftwareDisplay() : EGL_NO_DISPLAY;
    // Presenting stands in for a window's own driver only when it really renders in software.
    if (display_ == EGL_NO_DISPLAY && presenter_) {
        error.SetError("Mesa's software OpenGL device is not available.", 0);
        return false;
    }
    if (display_ == EGL_NO_DISPLAY)
        display_ = SurfacelessDisplay();
    if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, nullptr, nullptr)) {
        error.SetError(XAString(EglErrorText("Opening an EGL display").c_str()), 0);
        display_ = EGL_NO_DISPLAY;
        return false;
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        error.SetError(XAString(EglErrorText("Binding desktop OpenGL").c_str()), 0);
        return false;
    }
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configs = 0;
    if (!eglChooseConfig(display_, configAttributes, &config, 1, &configs) || configs < 1) {
        error.SetError(XAString(EglErrorText("Choosing an EGL config").c_str()), 0);
        return false;
    }
    // No version asked for: desktop OpenGL then gives a compatibility context.
    context_ = eglCreateContext(display_, config, EGL_NO_CONTEXT, nullptr);
    if (context_ == EGL_NO_CONTEXT) {
        error.SetError(XAString(EglErrorText("Creating an OpenGL context").c_str()), 0);
        return false;
    }
    if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_)) {
        error.SetError(XAString(EglErrorText("Making the surfaceless context current").c_str()), 0);
        return false;
    }
    return MakeFramebuffer(error);
}

bool OffscreenGlSurface::MakeFramebuffer(CError& error)
{
    if (!api_.Load()) {
        error.SetError("The OpenGL driver offers no framebuffer objects.", 0);
        return false;
    }
    api_.genFramebuffers(1, &framebuffer_);
    api_.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    api_.genRenderbuffers(1, &colour_);
    api_.genRenderbuffers(1, &depth_);
    AllocateRenderbuffers();
    api_.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    api_.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth_);
    if (api_.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        error.SetError("The offscreen framebuffer is incomplete.", 0);
        return false;
    }
    glViewport(0, 0, size_.width, size_.height);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    return true;
}

void OffscreenGlSurface::AllocateRenderbuffers()
{
    api_.bindRenderbuffer(GL_RENDERBUFFER, colour_);
    api_.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, size_.width, size_.height);
    api_.bindRenderbuffer(GL_RENDERBUFFER, depth_);
    api_.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, size_.width, size_.height);
}

// The picture is as large as the window it is presented into.
void OffscreenGlSurface::FollowTargetSize()
{
    const UiSize target = AtLeastOnePixel(presenter_->TargetSize());
    if (target == size_)
        return;
    size_ = target;
    AllocateRenderbuffers();
}

void OffscreenGlSurface::Release()
{
    if (display_ == EGL_NO_DISPLAY)
        return;
    if (context_ != EGL_NO_CONTEXT) {
        if (framebuffer_ != 0 && eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_)) {
            api_.deleteFramebuffers(1, &framebuffer_);
            api_.deleteRenderbuffers(1, &colour_);
            api_.deleteRenderbuffers(1, &depth_);
        }
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display_, context_);
        context_ = EGL_NO_CONTEXT;
    }
    // The display stays initialised: EGL counts nothing, and other surfaces may use it.
    display_ = EGL_NO_DISPLAY;
}

} // namespace

std::unique_ptr<GlSurface> CreateOffscreenGlSurface(const OffscreenGlOptions& options, CError& error)
{
    auto surface = std::make_unique<OffscreenGlSurface>(UiSize{options.width, options.height}, nullptr);
    if (!surface->Open(options.software, error))
        return nullptr;
    return surface;
}

std::unique_ptr<GlSurface> CreatePresentingGlSurface(std::unique_ptr<GlFramePresenter> presenter, CError& error)
{
    const UiSize size = presenter->TargetSize();
    auto surface = std::make_unique<OffscreenGlSurface>(size, std::move(presenter));
    if (!surface->Open(true, error))
        return nullptr;
    return surface;
}
