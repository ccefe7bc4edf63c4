#include "preview/status_reporter.h"

void LStatusReporter::SetCallback(LBeamvistaStatusCallback* callback, bool windowExists, bool timerRunning)
{
    callback_ = callback;
    if (callback != nullptr && windowExists)
        Notify(kStatusAll, timerRunning);
}

void LStatusReporter::Notify(uint32_t bits, bool timerRunning)
{
    pending_ |= bits;
    if (pending_ != 0 && !timerRunning)
        Deliver();
}

template <typename Send> void LStatusReporter::SendToBoth(Send send)
{
    if (bar_ != nullptr)
        send(*bar_);
    if (callback_ != nullptr)
        send(*callback_);
}

void LStatusReporter::Deliver()
{
    if (pending_ == 0)
        return;
    // Cleared first: a callback that changes the status again starts a new batch.
    const uint32_t bits = pending_;
    pending_ = 0;
    const LStatusState state = source_();
    if (bits & kStatusTitle)
        SendToBoth([&](LBeamvistaStatusCallback& to) { to.SetFileName(state.title.CStr()); });
    if (bits & kStatusMute)
        SendToBoth([&](LBeamvistaStatusCallback& to) { to.SetMute(state.muted); });
    if (bits & kStatusPlay) {
        SendToBoth([&](LBeamvistaStatusCallback& to) {
            if (state.playState == kPlayStateNoShow) {
                to.SetPlayState(kPlayStateNoShow, state.moreThanOneShow, false);
                return;
            }
            to.SetPlayState(state.playState, state.moreThanOneShow, state.opened);
            to.SetPosition(state.progress, state.loaded);
        });
    }
}

bool LStatusReporter::OfferCommand(uint32_t id, int32_t code, void* extra, void* handlerInfo)
{
    if (bar_ != nullptr && bar_->OnPreviewCommand(id, code, extra, handlerInfo) != 0)
        return true;
    return callback_ != nullptr && callback_->OnPreviewCommand(id, code, extra, handlerInfo) != 0;
}
