#include "activex/control_download.h"

namespace {

// Fetches nothing: a control without a download side keeps its Url and shows no show.
class NoDownload final : public ControlDownload
{
  public:
    void Reset() override {}
    void Start(const XAString&) override {}
    void Close() override {}
    void StopLoading() override {}
    void OnTimer() override {}
    uint32_t BytesReleased() const override { return 0; }
    uint32_t BytesTotal() const override { return 0; }
    const XAString& ShowName() const override { return showName_; }

  private:
    XAString showName_;
};

std::unique_ptr<ControlDownload> MakeNoDownload(ControlDownloadHost&)
{
    return std::make_unique<NoDownload>();
}

ControlDownloadMaker currentMaker = nullptr;

} // namespace

ControlDownloadMaker CurrentControlDownloadMaker()
{
    return currentMaker != nullptr ? currentMaker : &MakeNoDownload;
}

ControlDownloadMaker SetControlDownloadMaker(ControlDownloadMaker maker)
{
    ControlDownloadMaker previous = currentMaker;
    currentMaker = maker;
    return previous;
}
