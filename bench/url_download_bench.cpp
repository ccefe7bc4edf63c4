// The download path (UrlDownload pumped as fast as its timer can be fired, every notification
// taking the bytes) beside plain libcurl fetching the same body from the same loopback server
// into a string. Both are wall-clock rates: the transfer, not the CPU, is what is measured.
#include "bench/throughput_ratio.h"
#include "platform/net/test_support/loopback_http_server.h"
#include "platform/net/url_download.h"
#include "platform/test_support/fake_ui_environment.h"

#include <curl/curl.h>

#include <chrono>
#include <string>

namespace {

constexpr size_t kBodyBytes = 32 * 1024 * 1024;
constexpr const char* kReference = "plain_libcurl";

LoopbackHttpServer& Server()
{
    static LoopbackHttpServer server;
    static const bool served = [] {
        server.Serve("/body", {.body = std::string(kBodyBytes, 'z')});
        return true;
    }();
    (void)served;
    return server;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

size_t AppendTo(char* data, size_t size, size_t n, void* user)
{
    static_cast<std::string*>(user)->append(data, size * n);
    return size * n;
}

void BM_PlainLibcurlReference(benchmark::State& state)
{
    const std::string url = Server().Url("/body");
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        std::string body;
        CURL* easy = curl_easy_init();
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &AppendTo);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
        // The same read size as the download path.
        curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, 64L * 1024);
        curl_easy_perform(easy);
        curl_easy_cleanup(easy);
        seconds += Seconds(start);
        benchmark::DoNotOptimize(body.data());
    }
    const double rate = static_cast<double>(state.iterations()) * kBodyBytes / seconds;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kBodyBytes));
    RecordReference(kReference, rate);
}

class Taker : public UrlDownloadListener
{
  public:
    explicit Taker(UrlDownload& download) : download_(download) {}
    void OnDownloadData(int64_t, uint32_t) override { download_.Take(); }
    void OnDownloadProgress(int64_t, int64_t) override {}
    void OnDownloadStopped(const CError& result) override { stopped = true; }
    bool stopped = false;

  private:
    UrlDownload& download_;
};

void BM_UrlDownload(benchmark::State& state)
{
    const std::string url = Server().Url("/body");
    FakeUiEnvironment ui;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        UrlDownload download;
        Taker taker(download);
        download.Open(url.c_str(), "", taker);
        while (!taker.stopped)
            ui.FireTimer(download, UrlDownload::kPumpTimerId);
        seconds += Seconds(start);
        if (download.Size() != static_cast<int64_t>(kBodyBytes))
            state.SkipWithError("the body did not arrive whole");
    }
    const double rate = static_cast<double>(state.iterations()) * kBodyBytes / seconds;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kBodyBytes));
    ReportRatio(state, kReference, rate);
}

} // namespace

BENCHMARK(BM_PlainLibcurlReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UrlDownload)->Unit(benchmark::kMillisecond);
