// The playback commands of the playback bar, carried out by the preview.
#include "preview/l_beamvista.h"

bool LBeamvista::Backward()
{
    return Navigate(LShowPlayback::kNavigateBackward);
}

bool LBeamvista::Forward()
{
    return Navigate(LShowPlayback::kNavigateForward);
}

bool LBeamvista::PreviousFile()
{
    OpenEntry(CurrentIndex() - 1, false, true, nullptr, true);
    return Play();
}

bool LBeamvista::NextFile()
{
    OpenEntry(CurrentIndex() + 1, false, true, nullptr, true);
    return Play();
}

bool LBeamvista::ToggleMute()
{
    return SetMute(!IsMuted());
}
