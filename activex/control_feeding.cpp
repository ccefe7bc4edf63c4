#include "activex/control_feeding.h"

#include "activex/control_player.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace {

constexpr int64_t kBytesPerK = 1024;
constexpr double kBytesPerM = 1024.0 * 1024.0;
constexpr double kFullPercent = 100;
// The buffered time is shown in tenths of a second.
constexpr int64_t kUsPerTenth = 100000;
constexpr double kSecondsPerTenth = 0.1;
// Integer and fraction digits of the status's numbers.
constexpr int32_t kMegabyteDigits = 5;
constexpr int32_t kPercentDigits = 3;
constexpr int32_t kSecondDigits = 5;
constexpr int32_t kFractionDigits = 1;

uint32_t ByteCount(int64_t size)
{
    return static_cast<uint32_t>(std::clamp<int64_t>(size, 0, std::numeric_limits<uint32_t>::max()));
}

int32_t ByteLength(int64_t size)
{
    return static_cast<int32_t>(std::clamp<int64_t>(size, 0, std::numeric_limits<int32_t>::max()));
}

// The last part of the fetched address: the show's name on the status display.
XAString FileNamePartOf(const XAString& location)
{
    const std::string_view text = location.View();
    const size_t slash = text.find_last_of("/\\");
    return XAString(slash == std::string_view::npos ? text : text.substr(slash + 1));
}

XAString ProgressText(int64_t size, uint32_t total, int64_t bufferedUs)
{
    const double percent =
        static_cast<uint64_t>(size) > total ? kFullPercent : static_cast<double>(size) * kFullPercent / total;
    XAString text = XAString::Format("Loading %kK of %fM (%f%%)", ByteLength(size / kBytesPerK), total / kBytesPerM,
                                     kMegabyteDigits, kFractionDigits, percent, kPercentDigits, kFractionDigits);
    if (bufferedUs >= 0) {
        const double seconds = static_cast<double>(bufferedUs / kUsPerTenth) * kSecondsPerTenth;
        text = text + XAString::Format(" (Buffer %fs)", seconds, kSecondDigits, kFractionDigits);
    }
    return text;
}

} // namespace

ControlFeeding::ControlFeeding(ControlDownloadHost& host, std::unique_ptr<ControlDataPath> path)
    : host_(host), path_(std::move(path))
{
}

ControlFeeding::~ControlFeeding()
{
    path_->Close();
}

void ControlFeeding::Reset()
{
    ++generation_;
    path_->Close();
    path_->ReleaseData();
    transferOpen_ = false;
    deferred_ = Deferred();
    ReleaseBuffer();
    released_ = 0;
    total_ = 0;
    announced_ = 0;
    nextThreshold_ = 0;
    fed_ = 0;
    showName_ = XAString();
    failure_ = XAString();
    completed_ = false;
    host_.Bandwidth().Restart(0);
    KillReleaseTimer();
}

void ControlFeeding::Start(const XAString& url)
{
    if (url.IsEmpty()) {
        return;
    }
    ++generation_;
    deferred_ = Deferred();
    announced_ = 0;
    failure_ = XAString();
    completed_ = false;
    transferOpen_ = true;
    path_->Open(url, XAString(std::string_view(host_.PageUrl())), *this);
}

void ControlFeeding::Close()
{
    if (!transferOpen_) {
        return;
    }
    path_->Close();
    transferOpen_ = false;
    // The path tells nothing of a transfer it closes: the load ends here as if it had stopped.
    OnDownloadStopped(CError());
}

void ControlFeeding::Abandon()
{
    ++generation_;
    path_->Close();
    transferOpen_ = false;
    deferred_ = Deferred();
    KillReleaseTimer();
}

void ControlFeeding::StopLoading()
{
    ++generation_;
    path_->Close();
    transferOpen_ = false;
    deferred_ = Deferred();
    // The player keeps every byte it was given leave to have, also those still below the
    // threshold of the next feed.
    fed_ = std::max(fed_, std::min(buffer_.length, ByteLength(released_)));
    OnLoadComplete();
}

void ControlFeeding::OnTimer()
{
    // A tick inside a running notification (a player pumping messages) is dropped: the timer
    // comes again.
    if (!timerRunning_ || handling_) {
        return;
    }
    handling_ = true;
    OnDataArrived(total_, host_.Bandwidth().Throttles() ? 0 : UrlDownloadListener::kLastData, false);
    handling_ = false;
    Drain();
}

void ControlFeeding::OnDownloadData(int64_t size, uint32_t flags)
{
    if (!host_.HasWindow()) {
        return;
    }
    deferred_.data = true;
    deferred_.size = size;
    deferred_.flags |= flags;
    Drain();
}

void ControlFeeding::OnDownloadProgress(int64_t, int64_t maximum)
{
    if (!host_.HasWindow()) {
        return;
    }
    announced_ = std::max(announced_, maximum);
    total_ = std::max(total_, ByteCount(maximum));
}

void ControlFeeding::OnDownloadStopped(const CError& result)
{
    if (!host_.HasWindow()) {
        return;
    }
    transferOpen_ = false;
    deferred_.stopped = true;
    deferred_.result = result;
    Drain();
}

// A notification that comes while another is handled (the player pumped messages) waits for it
// to end; data is told before the stop, as it came.
void ControlFeeding::Drain()
{
    if (handling_) {
        return;
    }
    handling_ = true;
    while (deferred_.data || deferred_.stopped) {
        if (deferred_.data) {
            const int64_t size = deferred_.size;
            const uint32_t flags = deferred_.flags;
            deferred_.data = false;
            deferred_.size = 0;
            deferred_.flags = 0;
            OnDataArrived(size, flags, true);
        } else {
            const CError result = deferred_.result;
            deferred_ = Deferred();
            OnTransferStopped(result);
        }
    }
    handling_ = false;
}

void ControlFeeding::OnTransferStopped(const CError& result)
{
    // The last bytes completed the load already; only the stop is left to hear.
    if (completed_) {
        return;
    }
    if (result.Failed()) {
        failure_ = result.ErrorText();
    }
    if (buffer_.length > 0) {
        OnDataArrived(buffer_.length, UrlDownloadListener::kLastData, false);
    } else {
        // Nothing arrived, whatever length was declared: Loaded must not read 100.
        total_ = 0;
        OnLoadComplete();
    }
}

void ControlFeeding::OnDataArrived(int64_t size, uint32_t flags, bool readNow)
{
    const bool first = (flags & UrlDownloadListener::kFirstData) != 0;
    if (first) {
        BeginData(readNow);
    }
    if ((flags & UrlDownloadListener::kLastData) != 0 || total_ < size) {
        total_ = ByteCount(size);
    }
    if (readNow) {
        buffer_ = path_->Take();
    }
    const bool last = Throttle(size, flags);
    if (host_.Player() != nullptr && (last || size >= nextThreshold_)) {
        const uint32_t generation = generation_;
        Feed(size, first, last);
        // The player may have let a script set another Url meanwhile.
        if (generation != generation_) {
            return;
        }
    }
    if (last) {
        OnLoadComplete();
        return;
    }
    released_ = ByteCount(size);
    ShowProgress(size);
}

void ControlFeeding::BeginData(bool readNow)
{
    if (ControlPlayer* player = host_.Player()) {
        player->CloseAll(false);
    }
    if (readNow) {
        showName_ = FileNamePartOf(path_->Location());
    }
    ReleaseBuffer();
    fed_ = 0;
    nextThreshold_ = 0;
    released_ = 0;
    // A length the transfer declared before its first byte stays the total.
    total_ = ByteCount(announced_);
    host_.Bandwidth().Restart(host_.NowCs());
}

bool ControlFeeding::Throttle(int64_t& size, uint32_t flags)
{
    const bool lastData = (flags & UrlDownloadListener::kLastData) != 0;
    BandwidthLimit& line = host_.Bandwidth();
    if (!line.Throttles()) {
        return lastData;
    }
    size = line.Allowed(host_.NowCs(), size);
    if (lastData && size < total_) {
        // Everything is there, but the line holds some back: the timer releases the rest.
        if (!timerRunning_) {
            StartReleaseTimer();
        }
        return false;
    }
    if (timerRunning_ && size >= total_) {
        KillReleaseTimer();
        return true;
    }
    return lastData;
}

void ControlFeeding::Feed(int64_t size, bool first, bool last)
{
    if (buffer_.length <= 0) {
        return;
    }
    fed_ = std::min(buffer_.length, ByteLength(size));
    // The final feed follows at once, in OnLoadComplete: parsing the same bytes twice gains nothing.
    if (last) {
        return;
    }
    ControlPlayer& player = *host_.Player();
    int32_t threshold = 0;
    const bool opened = first ? player.OpenFromMemory(showName_, buffer_.block, fed_, &threshold, false)
                              : player.FeedMoreData(showName_, buffer_.block, fed_, &threshold, false);
    // The next feed waits for at least one more byte.
    nextThreshold_ = threshold <= fed_ ? fed_ + 1 : threshold;
    if (opened) {
        host_.OnShowOpened();
    }
}

void ControlFeeding::ShowProgress(int64_t size)
{
    if (total_ == 0) {
        host_.SetStatusText(XAString());
        return;
    }
    ControlPlayer* player = host_.Player();
    host_.SetStatusText(ProgressText(size, total_, player != nullptr ? player->GetBufferedTimeUs() : -1));
}

void ControlFeeding::OnLoadComplete()
{
    completed_ = true;
    released_ = total_;
    KillReleaseTimer();
    // A failed download says why in place of the progress.
    host_.SetStatusText(failure_);
    ControlPlayer* player = host_.Player();
    if (player != nullptr && buffer_.length > 0 && fed_ > 0) {
        const int64_t playTime = player->GetPlayTimeUs();
        const uint32_t generation = generation_;
        const bool opened = player->FeedMoreData(showName_, buffer_.block, fed_, nullptr, true);
        if (generation != generation_) {
            return;
        }
        if (opened) {
            host_.OnShowOpened();
        }
        if (playTime >= 0) {
            player->SeekToTime(playTime, false);
        }
    }
    // The player holds the block itself.
    ReleaseBuffer();
    path_->ReleaseData();
    fed_ = 0;
}

void ControlFeeding::StartReleaseTimer()
{
    timerRunning_ = true;
    host_.StartTimer(kReleaseTimerMs);
}

void ControlFeeding::KillReleaseTimer()
{
    timerRunning_ = false;
    host_.KillTimer();
}

void ControlFeeding::ReleaseBuffer()
{
    buffer_ = UrlDownloadBytes();
}
