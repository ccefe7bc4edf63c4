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

// Nothing in this system fills the frame sequence yet: there is nothing to empty or step.
void LBeamvista::EmptyFrameSequence() {}

void LBeamvista::StepFrameSequence(int32_t) {}
