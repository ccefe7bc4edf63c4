// GlSurface: one OpenGL context with the drawable it renders into: a window (wxGLCanvas) or an
// offscreen framebuffer (EGL surfaceless). Every context is a compatibility context, since the
// preview draws in immediate mode.
//
// Contract:
// - GUI thread only (the thread that made it).
// - MakeCurrent makes the context current with its drawable; false when it cannot (the window is
//   not realised yet, the context is lost or was released). Present shows what was drawn (a buffer
//   swap, or a copy of the framebuffer into the window it presents into).
// - Release deletes the context; afterwards MakeCurrent answers false. The destructor releases.
// - Size is the drawable's size in pixels; a side of 0 is reported as 1.
// - GetProcAddress finds an OpenGL function beyond version 1.1 by name for this context's
//   driver; null when the driver lacks it (or the backend cannot look functions up).
#pragma once

#include "platform/ui_geometry.h"

#include <string>

// An OpenGL function as looked up; the caller casts it to the function's own type.
using GlProc = void (*)();

class GlSurface
{
  public:
    virtual ~GlSurface() = default;

    virtual bool MakeCurrent() = 0;
    virtual bool IsCurrent() const = 0;
    virtual bool Present() = 0;
    virtual void Release() = 0;
    virtual UiSize Size() const = 0;
    // What backs the surface ("window", "offscreen"), for the reports.
    virtual std::string Describe() const = 0;
    virtual GlProc GetProcAddress(const char* name) const { return nullptr; }
};
