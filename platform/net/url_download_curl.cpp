// UrlDownload over libcurl's multi interface, pumped from the GUI thread's timer: no thread of
// its own, every callback runs inside the tick's curl_multi_perform.
#include "platform/net/url_download.h"

#include "foundation/tasks/time_source.h"
#include "platform/net/url_location.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>

namespace {

constexpr int32_t kReadSize = 64 * 1024;
constexpr int32_t kFirstCapacity = 64 * 1024;
constexpr long kMaxRedirects = 10;
constexpr long kHttpOk = 200;
constexpr int32_t kNoCode = 0;

void InitCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

std::string_view TrimLineEnd(std::string_view line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    return line;
}

std::string StallText(int32_t ms)
{
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

} // namespace

struct UrlDownload::Transfer
{
    explicit Transfer(UrlDownload& owner) : owner(owner) {}
    ~Transfer() { Release(); }

    void Release()
    {
        if (easy != nullptr && multi != nullptr)
            curl_multi_remove_handle(multi, easy);
        if (easy != nullptr)
            curl_easy_cleanup(easy);
        if (multi != nullptr)
            curl_multi_cleanup(multi);
        easy = nullptr;
        multi = nullptr;
    }

    bool Start(const XAString& location, const UrlDownloadLimits& limits);
    void Perform();
    void Fail(const XAString& reason, int32_t code);
    void Finish(CURLcode code);
    bool CheckAnswer();
    size_t OnHeader(std::string_view line);
    size_t OnWrite(const char* data, size_t n);
    bool Stalled(uint64_t nowUs) const;

    static size_t HeaderCallback(char* data, size_t size, size_t n, void* user)
    {
        return static_cast<Transfer*>(user)->OnHeader(std::string_view(data, size * n));
    }
    static size_t WriteCallback(char* data, size_t size, size_t n, void* user)
    {
        return static_cast<Transfer*>(user)->OnWrite(data, size * n);
    }

    UrlDownload& owner;
    CURLM* multi = nullptr;
    CURL* easy = nullptr;
    char errorText[CURL_ERROR_SIZE] = {};
    // Our own reason for ending a transfer that a callback aborts.
    CError failure;
    std::string statusLine;
    bool sawLocation = false;
    bool answerChecked = false;
    // The final answer comes from a file.
    bool file = false;
    bool paused = false;
    uint64_t lastActivityUs = 0;

    bool finished = false;
    CError result;
    bool progressDue = false;
    bool firstTold = false;
    bool lastTold = false;
    bool stopTold = false;
    int64_t toldSize = 0;
};

bool UrlDownload::Transfer::Start(const XAString& location, const UrlDownloadLimits& limits)
{
    InitCurlOnce();
    lastActivityUs = CurrentTimeSource().MonotonicUs();
    multi = curl_multi_init();
    easy = curl_easy_init();
    if (multi == nullptr || easy == nullptr) {
        Fail("the download could not be set up", kNoCode);
        return false;
    }
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(easy, CURLOPT_URL, location.CStr());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https,file");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeoutMs));
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, static_cast<long>(kReadSize));
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HeaderCallback);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &WriteCallback);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    if (curl_multi_add_handle(multi, easy) != CURLM_OK) {
        Fail("the download could not be started", kNoCode);
        return false;
    }
    return true;
}

void UrlDownload::Transfer::Fail(const XAString& reason, int32_t code)
{
    failure.SetError(owner.location_ + ": " + reason, code);
}

void UrlDownload::Transfer::Finish(CURLcode code)
{
    if (!failure.Failed() && code == CURLE_OK && !answerChecked)
        CheckAnswer();
    if (failure.Failed()) {
        result = failure;
    } else if (code != CURLE_OK) {
        XAString reason(curl_easy_strerror(code));
        if (errorText[0] != '\0')
            reason = reason + " (" + errorText + ")";
        Fail(reason, code);
        result = failure;
    }
    finished = true;
    Release();
}

// The final answer (after redirects) must be a whole body: 200 over http, anything a file gives.
bool UrlDownload::Transfer::CheckAnswer()
{
    answerChecked = true;
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    const char* scheme = nullptr;
    curl_easy_getinfo(easy, CURLINFO_SCHEME, &scheme);
    file = scheme != nullptr && StartsWithNoCase(scheme, "file");
    if (!file && status != kHttpOk) {
        std::string_view answer = statusLine;
        const size_t space = answer.find(' ');
        answer = space == std::string_view::npos ? std::string_view("no answer") : answer.substr(space + 1);
        Fail(XAString("the server answered ") + XAString(answer), static_cast<int32_t>(status));
        return false;
    }
    curl_off_t length = -1;
    curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    if (length > owner.limits_.maxBytes) {
        Fail(XAString(("the file's " + std::to_string(length) + " bytes are more than the " +
                       std::to_string(owner.limits_.maxBytes) + " a show may have")
                          .c_str()),
             kNoCode);
        return false;
    }
    owner.maximum_ = std::max<int64_t>(length, 0);
    progressDue = owner.maximum_ > 0;
    return true;
}

size_t UrlDownload::Transfer::OnHeader(std::string_view line)
{
    lastActivityUs = CurrentTimeSource().MonotonicUs();
    const std::string_view text = TrimLineEnd(line);
    if (StartsWithNoCase(text, "HTTP/")) {
        statusLine = text;
        sawLocation = false;
        return line.size();
    }
    if (StartsWithNoCase(text, "Location:")) {
        sawLocation = true;
        return line.size();
    }
    if (!text.empty())
        return line.size();
    // The end of one answer's headers: informational answers and redirects curl follows are
    // passed by; the final one decides.
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    if (status / 100 == 1 || (status / 100 == 3 && sawLocation))
        return line.size();
    return CheckAnswer() ? line.size() : 0;
}

size_t UrlDownload::Transfer::OnWrite(const char* data, size_t n)
{
    if (!answerChecked && !CheckAnswer())
        return 0;
    // libcurl reads a file whole in one perform and cannot pause it: its bytes are taken as they
    // come, bounded by the cap like any body.
    const int64_t unread = owner.size_ - owner.taken_;
    if (!file && unread > 0 && unread + static_cast<int64_t>(n) > owner.limits_.maxUnread) {
        paused = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    const int64_t size = owner.size_ + static_cast<int64_t>(n);
    if (size > owner.limits_.maxBytes) {
        Fail(XAString(("more than the " + std::to_string(owner.limits_.maxBytes) + " bytes a show may have arrived")
                          .c_str()),
             kNoCode);
        return 0;
    }
    if (size > owner.buffer_.Length()) {
        // Room grows with what arrived, never with what the answer promised.
        const int64_t room = std::min(std::max({size, int64_t{kFirstCapacity}, int64_t{owner.buffer_.Length()} * 2}),
                                      owner.limits_.maxBytes);
        XAString grown;
        char* text = grown.AllocBuffer(static_cast<int32_t>(room));
        if (text == nullptr) {
            Fail("out of memory", kNoCode);
            return 0;
        }
        std::memcpy(text, owner.buffer_.CStr(), static_cast<size_t>(owner.size_));
        owner.buffer_ = std::move(grown);
    }
    // Only bytes past every reader's length change in a shared block.
    std::memcpy(const_cast<char*>(owner.buffer_.CStr()) + owner.size_, data, n);
    owner.size_ = size;
    lastActivityUs = CurrentTimeSource().MonotonicUs();
    return n;
}

bool UrlDownload::Transfer::Stalled(uint64_t nowUs) const
{
    return !paused && nowUs - lastActivityUs > static_cast<uint64_t>(owner.limits_.stallTimeoutMs) * 1000;
}

void UrlDownload::Transfer::Perform()
{
    if (paused && owner.size_ - owner.taken_ < owner.limits_.maxUnread) {
        paused = false;
        lastActivityUs = CurrentTimeSource().MonotonicUs();
        curl_easy_pause(easy, CURLPAUSE_CONT);
    }
    int running = 0;
    curl_multi_perform(multi, &running);
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
        if (message->msg == CURLMSG_DONE) {
            Finish(message->data.result);
            return;
        }
    }
    if (Stalled(CurrentTimeSource().MonotonicUs())) {
        Fail(XAString(("no data for " + StallText(owner.limits_.stallTimeoutMs)).c_str()), kNoCode);
        Finish(CURLE_OPERATION_TIMEDOUT);
    }
}

UrlDownload::UrlDownload() = default;

UrlDownload::~UrlDownload()
{
    if (destroyed_ != nullptr)
        *destroyed_ = true;
    Close();
}

void UrlDownload::Open(const XAString& url, const XAString& base, UrlDownloadListener& listener)
{
    Close();
    ReleaseData();
    listener_ = &listener;
    location_ = ResolveDownloadLocation(url, base);
    transfer_ = std::make_unique<Transfer>(*this);
    if (location_.IsEmpty()) {
        location_ = url;
        transfer_->Fail("not an address this player can fetch", kNoCode);
        transfer_->Finish(CURLE_OK);
    } else if (!transfer_->Start(location_, limits_)) {
        transfer_->Finish(CURLE_OK);
    }
    timerRunning_ = true;
    CurrentUiEnvironment().SetTimer(*this, kPumpTimerId, kPumpPeriodMs);
}

void UrlDownload::Close()
{
    StopTimer();
    transfer_.reset();
}

bool UrlDownload::IsOpen() const
{
    return transfer_ != nullptr && !transfer_->stopTold;
}

UrlDownloadBytes UrlDownload::Take()
{
    taken_ = size_;
    return Peek();
}

UrlDownloadBytes UrlDownload::Peek() const
{
    return {buffer_, static_cast<int32_t>(size_)};
}

void UrlDownload::ReleaseData()
{
    buffer_ = XAString();
    size_ = taken_ = maximum_ = 0;
}

void UrlDownload::StopTimer()
{
    if (!timerRunning_)
        return;
    timerRunning_ = false;
    CurrentUiEnvironment().KillTimer(*this, kPumpTimerId);
}

void UrlDownload::OnTimer(uint32_t id)
{
    if (id == kPumpTimerId && !ticking_)
        Tick();
}

void UrlDownload::Tick()
{
    if (!transfer_) {
        StopTimer();
        return;
    }
    ticking_ = true;
    if (!transfer_->finished)
        transfer_->Perform();
    bool destroyed = false;
    destroyed_ = &destroyed;
    NotifyOne();
    if (destroyed)
        return;
    destroyed_ = nullptr;
    ticking_ = false;
}

bool UrlDownload::NotifyOne()
{
    Transfer& transfer = *transfer_;
    UrlDownloadListener& listener = *listener_;
    // Each branch tells the listener last: it may close, reopen or destroy the download.
    if (transfer.progressDue) {
        transfer.progressDue = false;
        listener.OnDownloadProgress(size_, maximum_);
        return true;
    }
    const bool complete = transfer.finished && !transfer.result.Failed();
    if (size_ > transfer.toldSize || (complete && size_ > 0 && !transfer.lastTold)) {
        uint32_t flags = transfer.firstTold ? 0 : UrlDownloadListener::kFirstData;
        if (complete)
            flags |= UrlDownloadListener::kLastData;
        transfer.firstTold = true;
        transfer.lastTold = complete;
        transfer.toldSize = size_;
        listener.OnDownloadData(size_, flags);
        return true;
    }
    if (transfer.finished && !transfer.stopTold) {
        transfer.stopTold = true;
        StopTimer();
        listener.OnDownloadStopped(transfer.result);
        return true;
    }
    return false;
}
