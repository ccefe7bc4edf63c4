// Status reports to the host and the playback bar: changes are collected as bits and delivered
// after each tick, when the timer stops, or at once while no timer runs.
#include "preview/l_beamvista.h"

void LBeamvista::SetStatusCallback(LBeamvistaStatusCallback* callback)
{
    status_.SetCallback(callback, HasWindow(), TimerRunning());
}

void LBeamvista::NotifyStatus(uint32_t bits)
{
    status_.Notify(bits, TimerRunning());
}

void LBeamvista::DeliverStatus()
{
    status_.Deliver();
}

bool LBeamvista::ShowPlaybackBar()
{
    return false;
}
