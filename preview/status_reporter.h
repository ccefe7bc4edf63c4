#pragma once
// The preview's status for its host and its playback bar: changes are collected as pending bits
// and delivered in batches (after a timer tick, when the timer stops, at once while none runs),
// so a tick that moves the position a hundred times reports once.

#include "preview/l_beamvista_status_callback.h"
#include "foundation/strings/xa_string.h"

#include <cstdint>
#include <functional>

// What a delivery reports, read when it happens.
struct LStatusState
{
    XAString title;
    bool muted = false;
    int32_t playState = kPlayStateNoShow;
    bool moreThanOneShow = false;
    bool opened = false;
    float progress = 0.0f;
    float loaded = 0.0f;
};

class LStatusReporter
{
  public:
    using StateSource = std::function<LStatusState()>;

    explicit LStatusReporter(StateSource source) : source_(std::move(source)) {}

    // The host's callback (not owned). With a window, the whole status goes to it.
    void SetCallback(LBeamvistaStatusCallback* callback, bool windowExists, bool timerRunning);
    LBeamvistaStatusCallback* Callback() const { return callback_; }
    // The playback bar, while it has a window (not owned here); null when there is none.
    void SetBar(LBeamvistaStatusCallback* bar) { bar_ = bar; }

    // Adds bits; delivers at once while no timer runs.
    void Notify(uint32_t bits, bool timerRunning);
    void Deliver();
    uint32_t Pending() const { return pending_; }

    // Offers a command to the bar, then to the host; true when one of them took it.
    bool OfferCommand(uint32_t id, int32_t code, void* extra, void* handlerInfo);

  private:
    template <typename Send> void SendToBoth(Send send);

    StateSource source_;
    LBeamvistaStatusCallback* callback_ = nullptr;
    LBeamvistaStatusCallback* bar_ = nullptr;
    uint32_t pending_ = 0;
};
