// UrlDownload: one asynchronous download of a URL into memory, as the control reads its show.
//
// Contract:
// - GUI thread only, every operation and every notification. Nothing runs on another thread:
//   the transfer advances in the ticks of a 10 ms timer of the current UiEnvironment, which runs
//   only while a transfer is open. Without a window system (the headless environment) timers
//   never fire, so nothing arrives.
// - Each tick delivers at most one notification to the listener, in this order: the progress
//   maximum once the response's length is known, new data (the size so far, kFirstData on the
//   first, kLastData once the whole body is there), then the stop with its result. A tick never
//   runs inside another (not re-entrant).
// - Close ends the transfer and drops what was still to be told: it never notifies. Inside a
//   notification the listener may Close, Open another URL, or destroy the download.
// - Schemes: http, https and file. A text without a scheme names a file relative to the base
//   (the page). Redirects are followed between http and https only, at most 10. A final answer
//   other than 200 is an error and none of its body is kept; no range is ever asked for.
// - Time-outs (settable before Open): 30 s to connect, 60 s without a byte (a stall). A transfer
//   paused for its reader does not stall.
// - The buffer grows by the bytes that arrived, never by what a response promises, up to the cap
//   (the largest show, 2^31 - 2 bytes): a declared length above the cap stops the transfer at the
//   headers, a body that grows past it stops there; both are errors. At most 1 MiB that the
//   reader has not taken waits in it: beyond that the transfer pauses until the next Take. A file
//   cannot pause: it is read whole in one tick.
// - A failure's CError text names the URL and carries the backend's own reason.
#pragma once

#include "foundation/errors/c_error.h"
#include "foundation/strings/xa_string.h"
#include "platform/ui_environment.h"

#include <cstdint>
#include <memory>

// The bytes of a download without a copy: the first `length` bytes of `block`'s text. The block
// may be longer (room for what is still to come); bytes before `length` never change while the
// block is held, so an archive reads them in place (LArchiveXString::OpenRead(block, length)).
struct UrlDownloadBytes
{
    XAString block;
    int32_t length = 0;
};

class UrlDownloadListener
{
  public:
    // The flags of OnDownloadData.
    static constexpr uint32_t kFirstData = 1;
    static constexpr uint32_t kLastData = 4;

    // size: every byte that has arrived so far.
    virtual void OnDownloadData(int64_t size, uint32_t flags) = 0;
    // maximum: the response's declared length (0 when it declares none).
    virtual void OnDownloadProgress(int64_t progress, int64_t maximum) = 0;
    // The transfer ended: ok once the whole body is there, else why not.
    virtual void OnDownloadStopped(const CError& result) = 0;

  protected:
    ~UrlDownloadListener() = default;
};

struct UrlDownloadLimits
{
    static constexpr int64_t kLargestShow = 2147483646;

    int32_t connectTimeoutMs = 30000;
    int32_t stallTimeoutMs = 60000;
    int64_t maxBytes = kLargestShow;
    int32_t maxUnread = 1 << 20;
};

class UrlDownload final : public UiTimerTarget
{
  public:
    static constexpr uint32_t kPumpTimerId = 1;
    static constexpr int32_t kPumpPeriodMs = 10;

    UrlDownload();
    ~UrlDownload() override;
    UrlDownload(const UrlDownload&) = delete;
    UrlDownload& operator=(const UrlDownload&) = delete;

    // Takes effect at the next Open.
    void SetLimits(const UrlDownloadLimits& limits) { limits_ = limits; }
    const UrlDownloadLimits& Limits() const { return limits_; }

    // Closes any transfer, empties the buffer and starts fetching url (relative to base, the
    // page's address or path; empty: the working folder). Every failure, also of the start,
    // reaches the listener (not owned) as the stop notification.
    void Open(const XAString& url, const XAString& base, UrlDownloadListener& listener);
    // Ends the transfer without a notification; the bytes that arrived stay readable.
    void Close();
    bool IsOpen() const;
    // The address actually fetched (after resolving against the base).
    const XAString& Location() const { return location_; }

    int64_t Size() const { return size_; }
    // The response's declared length, 0 while none is known.
    int64_t Maximum() const { return maximum_; }
    // Every byte so far, shared; the reader has now taken them all.
    UrlDownloadBytes Take();
    // The same without counting them as taken.
    UrlDownloadBytes Peek() const;
    // Drops the buffer (holders of its block keep their bytes).
    void ReleaseData();

    void OnTimer(uint32_t id) override;

  private:
    struct Transfer;

    void Tick();
    // One notification, if any is due; false when nothing was told.
    bool NotifyOne();
    void StopTimer();

    UrlDownloadLimits limits_;
    UrlDownloadListener* listener_ = nullptr;
    std::unique_ptr<Transfer> transfer_;
    XAString location_;
    XAString buffer_;
    int64_t size_ = 0;
    int64_t taken_ = 0;
    int64_t maximum_ = 0;
    bool timerRunning_ = false;
    bool ticking_ = false;
    // Set by the destructor for a notification that is running, which then touches nothing.
    bool* destroyed_ = nullptr;
};
