#include "activex/test_support/fake_control_ports.h"

namespace {

FakeControlDownload* lastDownload = nullptr;

} // namespace

FakeControlDownload* LastFakeControlDownload()
{
    return lastDownload;
}

std::unique_ptr<ControlDownload> MakeFakeControlDownload(ControlDownloadHost&)
{
    auto download = std::make_unique<FakeControlDownload>();
    lastDownload = download.get();
    return download;
}
