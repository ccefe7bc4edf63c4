// "Generic" OpenGL is Mesa's software rasteriser. A window whose own driver is one already renders
// generically when generic rendering is forced; a window on any other driver then gives its
// drawing to an offscreen software context that presents each frame into the window, since a
// display's hardware driver offers no software formats of its own.
#pragma once

#include <string_view>

// The renderer names (GL_RENDERER) of Mesa's software rasterisers, in any case.
bool IsSoftwareRenderer(std::string_view renderer);

// Whether a window must render offscreen in software: generic rendering is forced and the
// window's renderer, when it could be read, is not a software one.
bool RendersOffscreenForGeneric(bool forceGeneric, std::string_view windowRenderer);
