// The audio pump and the playback clock: the preview's thin side over its show playback.
#include "preview/l_beamvista.h"

void LBeamvista::StepPlayback()
{
    // Boxes raised inside the step wait until the paint that runs it has ended.
    const bool outer = !steppingPlayback_;
    steppingPlayback_ = true;
    playback_.StepPlayback();
    if (outer)
        steppingPlayback_ = false;
}

bool LBeamvista::RestartSound(int32_t flags)
{
    return playback_.Sound().Seek(-1, true, flags != 0);
}

bool LBeamvista::SetMute(bool on)
{
    playback_.SetMute(on);
    return true;
}

bool LBeamvista::IsMuted() const
{
    return playback_.IsMuted();
}
