// The preview's picture read back from OpenGL, for the clipboard and the picture export.
#include "preview/gl_picture_source.h"
#include "preview/l_beamvista.h"

HImageRef LBeamvista::RenderToImage(bool topRowFirst)
{
    if (!MakeCurrent())
        return HImageRef();
    GlPictureSource source(viewportWidth_, viewportHeight_, [this] { DrawScene(); });
    return ReadBackPicture(source, viewportWidth_, viewportHeight_, topRowFirst);
}
