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

void LBeamvista::BindTexture(int32_t kind)
{
    const bool ready = kind >= 0 && kind < kTextureCount && textureReady_[static_cast<size_t>(kind)];
    glBindTexture(GL_TEXTURE_2D, ready ? textureNames_[static_cast<size_t>(kind)] : 0);
}

bool LBeamvista::FogTextureIs2d() const
{
    return true;
}
