// A data path the test moves by hand: it tells the feeding what a transfer of `body` would, one
// notification per call, and lets a test see what the feeding asked of it.
#pragma once

#include "activex/control_data_path.h"
#include "activex/control_download.h"

#include <string>
#include <vector>

class FakeDataPath final : public ControlDataPath
{
  public:
    void Open(const XAString& url, const XAString& base, UrlDownloadListener& listener) override;
    void Close() override { listener_ = nullptr; }
    const XAString& Location() const override { return location_; }
    UrlDownloadBytes Take() override { return {block_, size_}; }
    void ReleaseData() override;

    bool IsOpen() const { return listener_ != nullptr; }
    int32_t Size() const { return size_; }
    // The response declares its length (OnDownloadProgress).
    void Announce(int64_t maximum);
    // n more bytes of the body arrived; the last ones carry the last-data flag.
    void Arrive(int32_t n);
    // The body up to its end, then the stop.
    void Finish();
    // The transfer stops: cut (with an error) or done.
    void Stop(const CError& result = CError());

    // What the transfer would deliver.
    std::string body;
    // "url from base" for every Open.
    std::vector<std::string> opens;

  private:
    UrlDownloadListener* listener_ = nullptr;
    XAString location_;
    XAString block_;
    int32_t size_ = 0;
    bool complete_ = false;
};

// The last path made by MakeFakeDataPathFeeding.
FakeDataPath* LastFakeDataPath();
// The control's real feeding over a FakeDataPath.
std::unique_ptr<ControlDownload> MakeFakeDataPathFeeding(ControlDownloadHost& host);
