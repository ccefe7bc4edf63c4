// The OpenGL switches chosen for the graphics driver. Until detection is built nothing changes.
#include "preview/l_beamvista.h"

void LBeamvista::ApplyDriverDefaults() {}

bool LBeamvista::LoadOpenGlDefaults(bool)
{
    return false;
}

bool LBeamvista::SaveOpenGlDefaults()
{
    return false;
}
