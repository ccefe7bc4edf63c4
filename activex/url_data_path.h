// The control's data path over a real download, and the maker that gives every control one.
#pragma once

#include "activex/control_data_path.h"
#include "activex/control_download.h"
#include "platform/net/url_download.h"

#include <memory>

class UrlDataPath final : public ControlDataPath
{
  public:
    void Open(const XAString& url, const XAString& base, UrlDownloadListener& listener) override
    {
        download_.Open(url, base, listener);
    }
    void Close() override { download_.Close(); }
    const XAString& Location() const override { return download_.Location(); }
    UrlDownloadBytes Take() override { return download_.Take(); }
    void ReleaseData() override { download_.ReleaseData(); }
    // The transfer itself: its limits, its timer.
    UrlDownload& Download() { return download_; }

  private:
    UrlDownload download_;
};

// The feeding of a control over a UrlDownload: the download every control gets unless another
// maker is installed.
std::unique_ptr<ControlDownload> MakeUrlControlDownload(ControlDownloadHost& host);
