// Status reports to the host: changes are collected as bits and delivered after each tick.
#include "preview/l_beamvista.h"

void LBeamvista::MarkStatus(uint32_t bits)
{
    pendingStatus_ |= bits;
}

void LBeamvista::DeliverStatus()
{
    pendingStatus_ = 0;
}

bool LBeamvista::ShowPlaybackBar()
{
    return false;
}

bool LBeamvista::OnCmdMsg(int32_t, UiCommandCode, UiCommandUpdate*)
{
    return false;
}
