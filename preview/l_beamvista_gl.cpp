// The preview's OpenGL context: making and releasing it, the viewport and projection, the GL
// state that follows the parameters, and what InitGL learns of the driver.
#include "preview/l_beamvista.h"

#include "foundation/errors/c_error.h"
#include "platform/gl/gl_format.h"
#include "platform/gl/gl_surface.h"
#include "preview/gl_info_lines.h"
#include "preview/preview_projection.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

XAString GlString(GLenum name)
{
    const auto* text = reinterpret_cast<const char*>(glGetString(name));
    return XAString(text != nullptr ? text : "");
}

void EnableIf(GLenum capability, bool on)
{
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

GLenum Quality(bool nicest)
{
    return nicest ? GL_NICEST : GL_FASTEST;
}

} // namespace

bool LBeamvista::CreateGLContext()
{
    ReleaseGLContext();
    if (!HasWindow())
        return false;
    CError error;
    surface_ = window_->CreateGlSurface(error);
    if (!surface_ || !surface_->MakeCurrent()) {
        ReleaseGLContext();
        return false;
    }
    const UiRect client = window_->ClientRect();
    SetViewport(client.Width(), client.Height());
    if (!InitGL()) {
        ReleaseGLContext();
        return false;
    }
    return true;
}

void LBeamvista::ReleaseGLContext()
{
    StopTimer();
    if (!surface_)
        return;
    if (surface_->MakeCurrent()) {
        BeforeGLContextRelease();
        DeleteTextures();
    }
    glReady_ = false;
    textures_.fill(TextureSlot{});
    surface_->Release();
    surface_.reset();
}

bool LBeamvista::MakeCurrent()
{
    if (!surface_ || !surface_->MakeCurrent())
        return false;
    if (rebuildPending_ && glReady_)
        RunPendingRebuild();
    return true;
}

void LBeamvista::SetViewport(int32_t width, int32_t height)
{
    if (!MakeCurrent())
        return;
    // A minimised window reports no area; the projection still needs one pixel.
    width = std::max(width, 1);
    height = std::max(height, 1);
    sizeShownAt_ = NowCs();
    viewportWidth_ = width;
    viewportHeight_ = height;
    glViewport(0, 0, width, height);
    const PreviewProjection projection = ComputePreviewProjection(width, height);
    LoadPreviewProjection(projection);
    aspectX_ = projection.aspectX;
    aspectY_ = projection.aspectY;
    pixelSize_ = projection.pixelSize;
    halfPixelX_ = width % 2 != 0 ? pixelSize_ / 2 : 0;
    halfPixelY_ = height % 2 != 0 ? pixelSize_ / 2 : 0;
}

void LBeamvista::ApplyGLState()
{
    const LBeamvistaPars& p = livePars_;
    glClearColor(0, 0, 0, 0.5f);
    glClearDepth(10);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, p.o_no_blending ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);
    glLineWidth(p.o_line_width);
    EnableIf(GL_POINT_SMOOTH, p.p0x10099 != 0);
    EnableIf(GL_LINE_SMOOTH, p.p0x10098 != 0);
    EnableIf(GL_POLYGON_SMOOTH, p.o_polygon_smooth != 0);
    if (p.p0x10100) {
        glHint(GL_POINT_SMOOTH_HINT, Quality(p.p0x10110 != 0));
        glHint(GL_LINE_SMOOTH_HINT, Quality(p.p0x10120 != 0));
        glHint(GL_POLYGON_SMOOTH_HINT, Quality(p.p0x10130 != 0));
        glHint(GL_PERSPECTIVE_CORRECTION_HINT, Quality(p.p0x10140 != 0));
    }
}

bool LBeamvista::InitGL()
{
    glVendor_ = GlString(GL_VENDOR);
    glRenderer_ = GlString(GL_RENDERER);
    glVersion_ = GlString(GL_VERSION);
    glExtensions_ = GlString(GL_EXTENSIONS);
    glInfoLine1_ = glVendor_ + " " + glRenderer_ + " " + glVersion_;
    glInfoLine2_ = PackExtensionLines(glExtensions_.CStr());
    if (!driverDefaultsDone_) {
        // Set before they run, so the re-creation they may cause does not run them again.
        driverDefaultsDone_ = true;
        RunStartupDriverDefaults();
    }
    ApplyGLState();
    glReady_ = true;
    BuildAllTextures();
    return true;
}

void LBeamvista::RunStartupDriverDefaults()
{
    ApplyDriverDefaults();
    LoadOpenGlDefaults(false);
}
