// Keyboard and mouse of the preview. Until the key table is built no key is taken.
#include "preview/l_beamvista.h"

bool LBeamvista::HandleKeyDown(int32_t)
{
    return false;
}

bool LBeamvista::HandleSysKeyDown(int32_t)
{
    return false;
}

bool LBeamvista::HandleMouseWheel(int32_t)
{
    return false;
}
