// The audio pump and the playback clock. Without shows nothing plays yet.
#include "preview/l_beamvista.h"

void LBeamvista::StepPlayback() {}

void LBeamvista::RestartSound(int32_t) {}

void LBeamvista::SetMute(bool) {}

bool LBeamvista::IsMuted() const
{
    return false;
}
