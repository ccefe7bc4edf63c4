// The control's download of its Url and the feeding of what arrives to the player, seen from the
// control object. The download side implements ControlDownload; the control implements
// ControlDownloadHost for it.
//
// Contract:
// - All calls run on the GUI thread. No call of ControlDownload calls back into the control
//   before it returns, except through ControlDownloadHost.
// - The control calls Reset when its Url changes (and before it goes), Start when a load is due,
//   Close for the StopLoad property, StopLoading for the "Stop Loading" command, Abandon when its
//   window goes and OnTimer when its window's timer 1 fires.
// - The download side asks the host for the player each time it needs it (the player may come
//   and go), and reports progress through SetStatusText.
#pragma once

#include "activex/bandwidth_limit.h"
#include "foundation/strings/xa_string.h"
#include "platform/scoped_service.h"

#include <cstdint>
#include <memory>
#include <string>

class ControlPlayer;

class ControlDownloadHost
{
  public:
    virtual ~ControlDownloadHost() = default;

    // Null while the player does not exist.
    virtual ControlPlayer* Player() = 0;
    // Notifications of a transfer reach the control only while it has a window.
    virtual bool HasWindow() const = 0;
    // The control window's timer 1 (any earlier one is replaced), and its end.
    virtual void StartTimer(uint32_t milliseconds) = 0;
    virtual void KillTimer() = 0;
    // The second line of the status display; shown by the player when it exists.
    virtual void SetStatusText(const XAString& text) = 0;
    virtual int32_t ReadyState() const = 0;
    virtual BandwidthLimit& Bandwidth() = 0;
    // The page's own address, against which a relative Url is resolved; empty when unknown.
    virtual std::string PageUrl() const = 0;
    // The centisecond clock the bandwidth limit counts in.
    virtual int32_t NowCs() const = 0;
    // The show opened from the first bytes: PARAMs that wait for a show (Stop, Playing) apply.
    virtual void OnShowOpened() = 0;
};

class ControlDownload
{
  public:
    virtual ~ControlDownload() = default;

    // The running transfer is closed without a notification; the buffer, the byte counts and the
    // show name are emptied and timer 1 is killed.
    virtual void Reset() = 0;
    // Starts fetching url; an empty url fetches nothing.
    virtual void Start(const XAString& url) = 0;
    // Closes the transfer (the StopLoad property); the load completes with what arrived, as when
    // the transfer had stopped by itself.
    virtual void Close() = 0;
    // Closes the transfer and completes nothing: the window, and the player with it, go.
    virtual void Abandon() = 0;
    // Closes the transfer and completes the load with what arrived ("Stop Loading").
    virtual void StopLoading() = 0;
    virtual void OnTimer() = 0;

    // Bytes released to the player so far, and the total announced.
    virtual uint32_t BytesReleased() const = 0;
    virtual uint32_t BytesTotal() const = 0;
    // The first line of the status display: the downloaded file's name.
    virtual const XAString& ShowName() const = 0;
};

// Makes the download of one control; the host outlives it.
using ControlDownloadMaker = std::unique_ptr<ControlDownload> (*)(ControlDownloadHost& host);

// Controls made without a maker of their own get the current one: the feeding over a UrlDownload
// (MakeUrlControlDownload) unless another was installed; null puts that one back.
ControlDownloadMaker CurrentControlDownloadMaker();
ControlDownloadMaker SetControlDownloadMaker(ControlDownloadMaker maker);

using ScopedControlDownloadMaker =
    ScopedService<std::unique_ptr<ControlDownload>(ControlDownloadHost&), &SetControlDownloadMaker>;
