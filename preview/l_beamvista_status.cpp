// Status reports to the host and the playback bar: changes are collected as bits and delivered
// after each tick, when the timer stops, or at once while no timer runs.
#include "preview/l_beamvista.h"

#include "preview/c_beamvista_playback_dlg.h"

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
    if (!HasWindow())
        return false;
    // A bar whose window went with its parent is made anew.
    if (!playbackBar_ || !playbackBar_->HasWindow()) {
        status_.SetBar(nullptr);
        playbackBar_.reset();
        playbackBar_ = CBeamvistaPlaybackDlg::Create(window_->Parent());
        if (!playbackBar_)
            return false;
        playbackBar_->SetPlayback(this);
        status_.SetBar(playbackBar_.get());
        NotifyStatus(kStatusAll);
    }
    playbackBar_->ShowOnTop();
    return true;
}
