// The window backend of GlSurface: a compatibility wxGLContext on a preview window's wxGLCanvas,
// made current only once GTK has realised the canvas. The pixel format is chosen among the GLX
// configs of the display by ChooseGlFormat. With generic rendering forced on a window whose driver
// is not a software one, the window's picture is rendered by Mesa's software device offscreen and
// put into the window's X window at each Present.
#pragma once

#include "platform/gl/gl_format.h"
#include "platform/gl/gl_surface.h"

#include <memory>

class CError;
class wxGLAttributes;
class WxNativeWindow;

// The attributes that make a canvas use the chosen GLX config; false, with the reason, when the
// display offers none.
bool ChooseWindowGlAttributes(const GlFormatRequest& request, wxGLAttributes& attributes, CError& error);
std::unique_ptr<GlSurface> CreateWindowGlSurface(WxNativeWindow& window, bool forceGeneric, CError& error);
// The software surface that presents into the window, whatever the window's driver.
std::unique_ptr<GlSurface> CreatePresentingWindowGlSurface(WxNativeWindow& window, CError& error);
