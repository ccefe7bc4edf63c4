#include "activex/test_support/fake_data_path.h"

#include "activex/control_feeding.h"

#include <algorithm>
#include <utility>

namespace {

FakeDataPath* lastPath = nullptr;

} // namespace

void FakeDataPath::Open(const XAString& url, const XAString& base, UrlDownloadListener& listener)
{
    ReleaseData();
    opens.push_back(std::string(url.View()) + " from " + std::string(base.View()));
    location_ = url;
    listener_ = &listener;
    complete_ = false;
}

void FakeDataPath::ReleaseData()
{
    block_ = XAString();
    size_ = 0;
}

void FakeDataPath::Announce(int64_t maximum)
{
    if (listener_ != nullptr) {
        listener_->OnDownloadProgress(size_, maximum);
    }
}

void FakeDataPath::Arrive(int32_t n)
{
    // After the last bytes a transfer tells only its stop.
    if (listener_ == nullptr || complete_) {
        return;
    }
    // The whole body is the block, as a download's block has room beyond what arrived.
    if (block_.IsEmpty()) {
        block_ = XAString(std::string_view(body));
    }
    const bool first = size_ == 0;
    const int32_t size = std::min<int32_t>(size_ + std::max(n, 0), static_cast<int32_t>(body.size()));
    // A transfer tells of new bytes only.
    if (size == size_) {
        return;
    }
    size_ = size;
    uint32_t flags = first ? UrlDownloadListener::kFirstData : 0;
    if (size_ == static_cast<int32_t>(body.size())) {
        flags |= UrlDownloadListener::kLastData;
        complete_ = true;
    }
    listener_->OnDownloadData(size_, flags);
}

void FakeDataPath::Finish()
{
    Arrive(static_cast<int32_t>(body.size()) - size_);
    Stop();
}

void FakeDataPath::Stop(const CError& result)
{
    if (UrlDownloadListener* listener = std::exchange(listener_, nullptr)) {
        listener->OnDownloadStopped(result);
    }
}

FakeDataPath* LastFakeDataPath()
{
    return lastPath;
}

std::unique_ptr<ControlDownload> MakeFakeDataPathFeeding(ControlDownloadHost& host)
{
    auto path = std::make_unique<FakeDataPath>();
    lastPath = path.get();
    return std::make_unique<ControlFeeding>(host, std::move(path));
}
