// The control as the feeding alone sees it: a window that always exists, timer 1 as its period
// (0: killed), the status line passed on to the player as the control does, and a centisecond
// clock the test sets.
#pragma once

#include "activex/c_zyl_player_active_x_ctrl.h"
#include "activex/control_download.h"
#include "activex/control_player.h"

class FakeDownloadHost final : public ControlDownloadHost
{
  public:
    ControlPlayer* Player() override { return player; }
    bool HasWindow() const override { return true; }
    void StartTimer(uint32_t milliseconds) override { timerMs = milliseconds; }
    void KillTimer() override { timerMs = 0; }
    void SetStatusText(const XAString& text) override
    {
        if (text == statusText) {
            return;
        }
        statusText = text;
        if (player != nullptr) {
            player->SetStatusText(text);
        }
    }
    int32_t ReadyState() const override { return CZylPlayerActiveXCtrl::kReadyStateComplete; }
    BandwidthLimit& Bandwidth() override { return bandwidth; }
    std::string PageUrl() const override { return {}; }
    int32_t NowCs() const override { return nowCs; }
    void OnShowOpened() override { ++showsOpened; }

    ControlPlayer* player = nullptr;
    BandwidthLimit bandwidth;
    uint32_t timerMs = 0;
    XAString statusText;
    int32_t nowCs = 0;
    int32_t showsOpened = 0;
};
