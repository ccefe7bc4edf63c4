// Text on the picture. Until the font atlas exists no text is drawn.
#include "preview/l_beamvista.h"

void LBeamvista::ResetTextCursor() {}

void LBeamvista::DrawText(TextAnchor, const XAString&, int32_t, int32_t, uint32_t) {}

int32_t LBeamvista::LineHeight() const
{
    return 0;
}
