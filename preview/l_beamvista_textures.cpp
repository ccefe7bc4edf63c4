// Textures of the preview. Until they are built no texture exists.
#include "preview/l_beamvista.h"

#include <GL/gl.h>

void LBeamvista::BuildAllTextures() {}

void LBeamvista::BuildTexture(int32_t) {}

void LBeamvista::ReloadAllBitmapTextures() {}

void LBeamvista::DeleteTextures()
{
    for (uint32_t& name : textureNames_) {
        if (name != 0)
            glDeleteTextures(1, &name);
        name = 0;
    }
    textureReady_.fill(false);
}

bool LBeamvista::FogTextureIs2d() const
{
    return true;
}
