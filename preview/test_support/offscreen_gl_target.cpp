#include "preview/test_support/offscreen_gl_target.h"

#include "foundation/errors/c_error.h"
#include "platform/gl/gl_offscreen.h"
#include "preview/preview_projection.h"

#include <GL/gl.h>

OffscreenGlTarget::OffscreenGlTarget(int32_t width, int32_t height)
{
    CError error;
    surface_ = CreateOffscreenGlSurface({width, height, true}, error);
    if (surface_ && !surface_->MakeCurrent())
        surface_.reset();
    if (!surface_)
        return;
    const PreviewProjection projection = ComputePreviewProjection(width, height);
    LoadPreviewProjection(projection);
    view_ = SceneView{projection.aspectX, projection.aspectY, projection.pixelSize};
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
}

OffscreenGlTarget::~OffscreenGlTarget() = default;

void OffscreenGlTarget::Clear() const
{
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -1.0f);
}

Rgb8 OffscreenGlTarget::Pixel(int32_t x, int32_t y) const
{
    uint8_t rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

void OffscreenGlTarget::Finish() const
{
    glFinish();
}
