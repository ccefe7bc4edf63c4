#define GL_GLEXT_PROTOTYPES
#include "preview/gl_picture_source.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr int kFramebufferMajorVersion = 3;
// Errors left by earlier drawing are dropped before a read; a lost context repeats its error
// forever, hence the bound.
constexpr int kStaleErrorLimit = 16;

bool HasFramebufferObjects()
{
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version != nullptr && std::atoi(version) >= kFramebufferMajorVersion)
        return true;
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions != nullptr && std::strstr(extensions, "GL_ARB_framebuffer_object") != nullptr;
}

void DropStaleErrors()
{
    for (int i = 0; i < kStaleErrorLimit && glGetError() != GL_NO_ERROR; ++i) {
    }
}

} // namespace

GlPictureSource::GlPictureSource(int32_t width, int32_t height, std::function<void()> draw)
    : draw_(std::move(draw))
{
    if (HasFramebufferObjects())
        MakeFramebuffer(width, height);
}

GlPictureSource::~GlPictureSource()
{
    if (framebuffer_ == 0)
        return;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFramebuffer_));
    glDeleteRenderbuffers(1, &depth_);
    glDeleteRenderbuffers(1, &colour_);
    glDeleteFramebuffers(1, &framebuffer_);
}

void GlPictureSource::MakeFramebuffer(int32_t width, int32_t height)
{
    DropStaleErrors();
    GLint previous = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    previousFramebuffer_ = previous;
    glGenFramebuffers(1, &framebuffer_);
    glGenRenderbuffers(1, &colour_);
    glGenRenderbuffers(1, &depth_);
    glBindRenderbuffer(GL_RENDERBUFFER, colour_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFramebuffer_));
    if (!complete || glGetError() != GL_NO_ERROR) {
        glDeleteRenderbuffers(1, &depth_);
        glDeleteRenderbuffers(1, &colour_);
        glDeleteFramebuffers(1, &framebuffer_);
        framebuffer_ = colour_ = depth_ = 0;
    }
}

void GlPictureSource::BindTarget()
{
    if (framebuffer_ != 0) {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
    } else if (previousFramebuffer_ == 0) {
        glReadBuffer(GL_BACK);
    }
}

void GlPictureSource::Render()
{
    BindTarget();
    draw_();
}

bool GlPictureSource::ReadRows(int32_t firstRow, int32_t width, int32_t rows, uint8_t* target)
{
    DropStaleErrors();
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, firstRow, width, rows, GL_BGRA, GL_UNSIGNED_BYTE, target);
    return glGetError() == GL_NO_ERROR;
}
