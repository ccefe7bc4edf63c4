// The laser frame renderer. Until it is built the preview draws an empty (black) scene.
#include "preview/l_beamvista.h"

void LBeamvista::ResetChannelDefaults() {}

bool LBeamvista::HasSequenceFrames() const
{
    return false;
}

void LBeamvista::DrawUserPictures() {}

void LBeamvista::DrawTestPatterns() {}

void LBeamvista::DrawShowFrames() {}

bool LBeamvista::DrawSequenceFrame()
{
    return false;
}

void LBeamvista::DrawPostedFrame() {}

void LBeamvista::DrawGlowMarks() {}
