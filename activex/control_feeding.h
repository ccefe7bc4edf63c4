// ControlFeeding: the control's download side. It fetches the Url through its data path, keeps
// what arrived (shared with the path, never copied), holds bytes back to the BitsPerSecond rate
// while throttling, and hands the player the growing show: the first bytes open it, later ones
// continue it once as many bytes arrived as the player asked for, and the end of the download
// (or "Stop Loading") gives it the final feed. Progress goes to the control's status text.
//
// Contract: GUI thread only. The data path's notifications reach the feeding only while the
// control has a window. No notification is handled inside another: a timer tick that comes while
// one runs (a player that pumps messages) is dropped, the next one releases its bytes.
#pragma once

#include "activex/control_data_path.h"
#include "activex/control_download.h"
#include "foundation/errors/c_error.h"

#include <cstdint>
#include <memory>

class ControlFeeding final : public ControlDownload, private UrlDownloadListener
{
  public:
    // The period of timer 1, which releases bytes the throttle held back after the download ended.
    static constexpr uint32_t kReleaseTimerMs = 100;

    ControlFeeding(ControlDownloadHost& host, std::unique_ptr<ControlDataPath> path);
    ~ControlFeeding() override;
    ControlFeeding(const ControlFeeding&) = delete;
    ControlFeeding& operator=(const ControlFeeding&) = delete;

    // ControlDownload.
    void Reset() override;
    void Start(const XAString& url) override;
    void Close() override;
    void Abandon() override;
    void StopLoading() override;
    void OnTimer() override;
    uint32_t BytesReleased() const override { return released_; }
    uint32_t BytesTotal() const override { return total_; }
    const XAString& ShowName() const override { return showName_; }

  private:
    // UrlDownloadListener: the data path's notifications.
    void OnDownloadData(int64_t size, uint32_t flags) override;
    void OnDownloadProgress(int64_t progress, int64_t maximum) override;
    void OnDownloadStopped(const CError& result) override;

    // Notifications that came while another was handled, told once it ends.
    struct Deferred
    {
        bool data = false;
        int64_t size = 0;
        uint32_t flags = 0;
        bool stopped = false;
        CError result;
    };

    void Drain();
    void OnTransferStopped(const CError& result);
    // size: every byte the download delivered so far; readNow: take them from the data path.
    void OnDataArrived(int64_t size, uint32_t flags, bool readNow);
    void BeginData(bool readNow);
    // Cuts size to what the line allows; true when this call completes the load.
    bool Throttle(int64_t& size, uint32_t flags);
    void Feed(int64_t size, bool first, bool last);
    void ShowProgress(int64_t size);
    void OnLoadComplete();
    void StartReleaseTimer();
    void KillReleaseTimer();
    void ReleaseBuffer();

    ControlDownloadHost& host_;
    std::unique_ptr<ControlDataPath> path_;
    // What arrived: the data path's block, shared with the player.
    UrlDownloadBytes buffer_;
    uint32_t released_ = 0;
    uint32_t total_ = 0;
    // The largest length the running transfer declared.
    int64_t announced_ = 0;
    int32_t nextThreshold_ = 0;
    int32_t fed_ = 0;
    XAString showName_;
    // Why the transfer failed; shown once the load completes.
    XAString failure_;
    Deferred deferred_;
    // Counts the loads begun and ended from outside, so that a notification whose player call let
    // a script set another Url touches nothing of the new load.
    uint32_t generation_ = 0;
    bool transferOpen_ = false;
    bool timerRunning_ = false;
    bool handling_ = false;
};
