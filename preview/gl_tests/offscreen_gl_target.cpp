#define GL_GLEXT_PROTOTYPES
#include "preview/gl_tests/offscreen_gl_target.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <cmath>
#include <numbers>

OffscreenGlTarget::OffscreenGlTarget(int width, int height) : width_(width), height_(height)
{
    auto getDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getDisplay)
        return;
    EGLDisplay display = getDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor) || !eglBindAPI(EGL_OPENGL_API))
        return;
    display_ = display;
    const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_SURFACE_TYPE, 0, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configs = 0;
    eglChooseConfig(display, configAttributes, &config, 1, &configs);
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context =
        eglCreateContext(display, configs ? config : EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT || !eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context))
        return;
    context_ = context;

    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glGenRenderbuffers(1, &colour_);
    glBindRenderbuffer(GL_RENDERBUFFER, colour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        return;

    glViewport(0, 0, width, height);
    double fieldOfView = 90.0;
    if (width < height) {
        halfWidth_ = float(width) / float(height);
    } else {
        halfHeight_ = float(height) / float(width);
        fieldOfView = 2.0 * std::atan(double(height) / double(width)) * 180.0 / std::numbers::pi;
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, halfWidth_ / halfHeight_, 0.001, 10.0);
    glMatrixMode(GL_MODELVIEW);
    // The preview's state with nothing that blurs: additive blending, no smoothing, 1-pixel lines.
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glDisable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_POINT_SMOOTH);
    glDisable(GL_POLYGON_SMOOTH);
    glLineWidth(1.0f);
    ready_ = true;
}

OffscreenGlTarget::~OffscreenGlTarget()
{
    if (!display_)
        return;
    if (context_) {
        glDeleteRenderbuffers(1, &colour_);
        glDeleteFramebuffers(1, &framebuffer_);
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display_, context_);
    }
    // The display stays initialised: terminating it unloads the driver, whose allocations would
    // then show as leaks of an unknown module.
}

void OffscreenGlTarget::Clear()
{
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -1.0f);
}

Rgb8 OffscreenGlTarget::Pixel(int x, int y) const
{
    uint8_t rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

void OffscreenGlTarget::Finish() const
{
    glFinish();
}
