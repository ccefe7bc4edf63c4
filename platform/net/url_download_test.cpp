// Downloads from a loopback HTTP server and from files, pumped by a fake environment's timer.
#include "platform/net/url_download.h"

#include "foundation/archives/archive_xstring.h"
#include "foundation/tasks/test_support/fake_time_source.h"
#include "platform/net/test_support/loopback_http_server.h"
#include "platform/test_support/fake_ui_environment.h"

#include <curl/curl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Event
{
    enum Kind { Data, Progress, Stopped } kind;
    int64_t size = 0;
    uint32_t flags = 0;
    int64_t maximum = 0;
    CError result;
};

class Recorder : public UrlDownloadListener
{
  public:
    void OnDownloadData(int64_t size, uint32_t flags) override
    {
        events.push_back({Event::Data, size, flags, 0, CError()});
        if (onData)
            onData();
    }
    void OnDownloadProgress(int64_t progress, int64_t maximum) override
    {
        events.push_back({Event::Progress, progress, 0, maximum, CError()});
    }
    void OnDownloadStopped(const CError& result) override
    {
        events.push_back({Event::Stopped, 0, 0, 0, result});
        stopped = true;
    }

    std::vector<Event> DataEvents() const
    {
        std::vector<Event> data;
        for (const Event& e : events)
            if (e.kind == Event::Data)
                data.push_back(e);
        return data;
    }
    const Event* Progress() const
    {
        for (const Event& e : events)
            if (e.kind == Event::Progress)
                return &e;
        return nullptr;
    }
    const CError& Result() const { return events.back().result; }

    std::vector<Event> events;
    bool stopped = false;
    std::function<void()> onData;
};

std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

std::string Bytes(const UrlDownloadBytes& bytes)
{
    return std::string(bytes.block.CStr(), static_cast<size_t>(bytes.length));
}

class UrlDownloadTest : public ::testing::Test
{
  protected:
    // Ticks until `done` holds; a generous wall-clock guard only ends a hung test.
    bool Pump(const std::function<bool()>& done, int32_t maxTicks = 100000)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (int32_t i = 0; i < maxTicks && !done(); ++i) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            const size_t before = recorder_.events.size();
            if (!ui_.FireTimer(download_, UrlDownload::kPumpTimerId))
                return done();
            // One notification per tick at most.
            EXPECT_LE(recorder_.events.size(), before + 1);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return done();
    }
    bool PumpToStop()
    {
        return Pump([this] { return recorder_.stopped; });
    }
    void Open(const std::string& url, const std::string& base = "")
    {
        download_.Open(url.c_str(), base.c_str(), recorder_);
    }

    FakeUiEnvironment ui_;
    FakeTimeSource clock_{1000000};
    LoopbackHttpServer server_;
    Recorder recorder_;
    UrlDownload download_;
};

TEST_F(UrlDownloadTest, WholeBodiesArriveWithFirstAndLastFlagsAndTheirDeclaredLength)
{
    const std::string body = Pattern(300000);
    struct Case
    {
        const char* name;
        LoopbackResponse response;
        int64_t maximum;
    } cases[] = {
        {"whole", {.body = body}, 300000},
        {"throttled", {.body = body, .step = 8192, .pauseMs = 2}, 300000},
        {"no-length", {.body = body, .declareLength = false, .step = 8192, .pauseMs = 1}, 0},
        {"empty", {.body = ""}, 0},
    };
    ASSERT_TRUE(server_.IsRunning());
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = std::string("/") + c.name;
        const std::string expected = c.response.body;
        server_.Serve(path, std::move(c.response));
        recorder_ = Recorder();
        Open(server_.Url(path));
        ASSERT_TRUE(PumpToStop());
        EXPECT_FALSE(recorder_.Result().Failed()) << recorder_.Result().Text().CStr();
        EXPECT_FALSE(download_.IsOpen());
        EXPECT_FALSE(ui_.TimerRunning(download_, UrlDownload::kPumpTimerId)) << "no timer without a transfer";
        EXPECT_EQ(download_.Maximum(), c.maximum);
        EXPECT_EQ(recorder_.Progress() != nullptr, c.maximum > 0);
        const std::vector<Event> data = recorder_.DataEvents();
        if (expected.empty()) {
            EXPECT_TRUE(data.empty());
            continue;
        }
        ASSERT_FALSE(data.empty());
        for (size_t i = 0; i < data.size(); ++i) {
            EXPECT_EQ(data[i].flags & UrlDownloadListener::kFirstData, i == 0 ? 1u : 0u);
            EXPECT_EQ(data[i].flags & UrlDownloadListener::kLastData, i + 1 == data.size() ? 4u : 0u);
            if (i > 0) {
                EXPECT_GE(data[i].size, data[i - 1].size);
            }
        }
        EXPECT_EQ(data.back().size, static_cast<int64_t>(expected.size()));
        EXPECT_EQ(Bytes(download_.Take()), expected);
    }
}

TEST_F(UrlDownloadTest, FailuresStopWithTheReasonAndKeepNothingOfARefusedAnswer)
{
    server_.Serve("/missing", {.body = "not here", .status = 404});
    server_.Serve("/partial", {.body = Pattern(5000), .status = 206});
    server_.Serve("/cut", {.body = Pattern(100000), .declaredLength = 250000});
    server_.Serve("/huge", {.body = Pattern(1000), .declaredLength = int64_t{1} << 40});
    server_.Redirect("/loop-a", "/loop-b");
    server_.Redirect("/loop-b", "/loop-a");
    server_.Redirect("/to-file", "file:///etc/hostname");
    std::string refused;
    {
        LoopbackHttpServer gone;
        refused = gone.Url("/gone");
    }
    struct Case
    {
        std::string url;
        const char* reason;
        int32_t code;
        bool keepsData;
    } cases[] = {
        {server_.Url("/missing"), "the server answered 404 Not Found", 404, false},
        {server_.Url("/partial"), "the server answered 206 Partial Content", 206, false},
        {server_.Url("/cut"), "Transferred a partial file", CURLE_PARTIAL_FILE, true},
        {server_.Url("/huge"), "1099511627776 bytes are more than the 2147483646", 0, false},
        {server_.Url("/loop-a"), "Number of redirects hit maximum amount", CURLE_TOO_MANY_REDIRECTS, false},
        {server_.Url("/to-file"), "not supported", CURLE_UNSUPPORTED_PROTOCOL, false},
        {refused, "Couldn't connect to server", CURLE_COULDNT_CONNECT, false},
        {"ftp://127.0.0.1/a.zyl", "not supported", CURLE_UNSUPPORTED_PROTOCOL, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        recorder_ = Recorder();
        Open(c.url);
        ASSERT_TRUE(PumpToStop());
        const CError& result = recorder_.Result();
        ASSERT_TRUE(result.Failed());
        const std::string text = result.Text().CStr();
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
        EXPECT_EQ(text.find(c.url), 0u) << "the text names the address: " << text;
        if (c.code != 0) {
            EXPECT_EQ(result.Code(), c.code);
        }
        for (const Event& e : recorder_.DataEvents())
            EXPECT_EQ(e.flags & UrlDownloadListener::kLastData, 0u);
        EXPECT_EQ(download_.Size() > 0, c.keepsData);
    }
}

TEST_F(UrlDownloadTest, RedirectsAreFollowedToTheFinalAnswer)
{
    const std::string body = Pattern(20000);
    server_.Serve("/show.zyl", {.body = body});
    server_.Redirect("/r1", "/r2");
    server_.Redirect("/r2", "/r3");
    server_.Redirect("/r3", "/show.zyl");
    Open(server_.Url("/r1"));
    ASSERT_TRUE(PumpToStop());
    EXPECT_FALSE(recorder_.Result().Failed()) << recorder_.Result().Text().CStr();
    EXPECT_EQ(Bytes(download_.Take()), body);
    EXPECT_EQ(server_.Requests(), 4);
}

TEST_F(UrlDownloadTest, ABodyBeyondTheCapStopsThere)
{
    UrlDownloadLimits limits;
    limits.maxBytes = 200000;
    download_.SetLimits(limits);
    server_.Serve("/long", {.body = Pattern(300000)});
    server_.Serve("/endless", {.body = Pattern(4096), .endless = true});
    server_.Serve("/unsized", {.body = Pattern(300000), .declareLength = false});
    for (const char* path : {"/long", "/endless", "/unsized"}) {
        SCOPED_TRACE(path);
        recorder_ = Recorder();
        Open(server_.Url(path));
        ASSERT_TRUE(PumpToStop());
        ASSERT_TRUE(recorder_.Result().Failed());
        EXPECT_NE(std::string(recorder_.Result().Text().CStr()).find("200000"), std::string::npos);
        EXPECT_LE(download_.Size(), limits.maxBytes);
        EXPECT_LE(download_.Peek().block.Length(), limits.maxBytes) << "the buffer never outgrows the cap";
    }
}

TEST_F(UrlDownloadTest, AStallEndsTheTransferButAReaderThatLagsOnlyPausesIt)
{
    server_.Serve("/stall", {.body = Pattern(50000), .stallAfter = 10000});
    Open(server_.Url("/stall"));
    ASSERT_TRUE(Pump([this] { return download_.Size() >= 10000; }));
    for (int i = 0; i < 5; ++i)
        ui_.FireTimer(download_, UrlDownload::kPumpTimerId);
    clock_.AdvanceUs(59000000);
    for (int i = 0; i < 5; ++i)
        ui_.FireTimer(download_, UrlDownload::kPumpTimerId);
    EXPECT_FALSE(recorder_.stopped);
    clock_.AdvanceUs(2000000);
    ASSERT_TRUE(PumpToStop());
    EXPECT_NE(std::string(recorder_.Result().Text().CStr()).find("no data for 60 s"), std::string::npos);
    server_.ReleaseStalls();

    UrlDownloadLimits limits;
    limits.maxUnread = 100000;
    download_.SetLimits(limits);
    const std::string body = Pattern(1 << 20);
    server_.Serve("/big", {.body = body});
    recorder_ = Recorder();
    Open(server_.Url("/big"));
    // Nobody takes: it pauses with at most the allowance unread.
    ASSERT_TRUE(Pump([this] { return download_.Size() > 0; }));
    for (int i = 0; i < 200; ++i) {
        ui_.FireTimer(download_, UrlDownload::kPumpTimerId);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    EXPECT_LE(download_.Size(), limits.maxUnread);
    clock_.AdvanceUs(600000000);
    recorder_.onData = [this] { download_.Take(); };
    download_.Take();
    ASSERT_TRUE(PumpToStop());
    EXPECT_FALSE(recorder_.Result().Failed()) << recorder_.Result().Text().CStr();
    EXPECT_EQ(Bytes(download_.Take()), body);
}

TEST_F(UrlDownloadTest, CloseNeverNotifiesAndMayRunInsideANotification)
{
    server_.Serve("/slow", {.body = Pattern(200000), .step = 4096, .pauseMs = 2});
    const std::string url = server_.Url("/slow");

    // Closed from outside: nothing more is told, the timer stops, the bytes stay.
    Open(url);
    ASSERT_TRUE(Pump([this] { return download_.Size() > 0; }));
    download_.Close();
    const size_t told = recorder_.events.size();
    EXPECT_FALSE(download_.IsOpen());
    EXPECT_FALSE(ui_.TimerRunning(download_, UrlDownload::kPumpTimerId));
    EXPECT_FALSE(ui_.FireTimer(download_, UrlDownload::kPumpTimerId));
    EXPECT_EQ(recorder_.events.size(), told);
    EXPECT_GT(download_.Peek().length, 0);

    // Closed inside the first data notification.
    recorder_ = Recorder();
    recorder_.onData = [this] { download_.Close(); };
    Open(url);
    Pump([this] { return !ui_.TimerRunning(download_, UrlDownload::kPumpTimerId); }, 10000);
    EXPECT_EQ(recorder_.DataEvents().size(), 1u);
    EXPECT_FALSE(recorder_.stopped);
    EXPECT_FALSE(ui_.TimerRunning(download_, UrlDownload::kPumpTimerId));

    // Another address opened inside a notification replaces the transfer.
    server_.Serve("/next", {.body = "next"});
    recorder_ = Recorder();
    recorder_.onData = [this] {
        recorder_.onData = nullptr;
        download_.Open(server_.Url("/next").c_str(), "", recorder_);
    };
    Open(url);
    ASSERT_TRUE(PumpToStop());
    EXPECT_FALSE(recorder_.Result().Failed());
    EXPECT_EQ(Bytes(download_.Take()), "next");
}

TEST_F(UrlDownloadTest, ADownloadDestroyedInsideItsNotificationTouchesNothingMore)
{
    server_.Serve("/a", {.body = Pattern(100000)});
    auto download = std::make_unique<UrlDownload>();
    Recorder recorder;
    recorder.onData = [&download] { download.reset(); };
    UrlDownload* raw = download.get();
    raw->Open(server_.Url("/a").c_str(), "", recorder);
    for (int i = 0; i < 100000 && download; ++i) {
        ui_.FireTimer(*raw, UrlDownload::kPumpTimerId);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    EXPECT_EQ(download, nullptr);
    EXPECT_EQ(recorder.events.size(), 2u);
}

TEST_F(UrlDownloadTest, TheSharedBytesStayWhileMoreArrive)
{
    const std::string body = Pattern(400000);
    server_.Serve("/grow", {.body = body, .step = 16384, .pauseMs = 1});
    Open(server_.Url("/grow"));
    ASSERT_TRUE(Pump([this] { return download_.Size() >= 20000; }));
    const UrlDownloadBytes early = download_.Take();
    ASSERT_TRUE(PumpToStop());
    const UrlDownloadBytes late = download_.Take();
    ASSERT_EQ(late.length, 400000);
    EXPECT_EQ(Bytes(early), body.substr(0, static_cast<size_t>(early.length)));

    // An archive reads them in place.
    LArchiveXString archive;
    ASSERT_TRUE(archive.OpenRead(late.block, late.length));
    EXPECT_EQ(archive.GetFileSize(), 400000);
    std::string read(400000, '\0');
    EXPECT_EQ(archive.UnbufferedReadRaw(read.data(), 400000, 400000), 400000);
    EXPECT_EQ(read, body);
    EXPECT_EQ(late.block.Block().RefCount(), 3) << "the download, the view and the archive share one block";
}

TEST_F(UrlDownloadTest, FilesAreReadByAddressAndRelativeToThePage)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("zyl_net_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "shows");
    const std::string body = Pattern(70000);
    std::ofstream(folder / "shows" / "a b.zyl", std::ios::binary) << body;
    const std::string page = (folder / "page.html").string();
    struct Case
    {
        std::string url;
        std::string base;
    } cases[] = {
        {"shows/a b.zyl", page},
        {"shows\\a b.zyl", "file://" + page},
        {"file://" + (folder / "shows" / "a%20b.zyl").string(), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        recorder_ = Recorder();
        Open(c.url, c.base);
        ASSERT_TRUE(PumpToStop());
        EXPECT_FALSE(recorder_.Result().Failed()) << recorder_.Result().Text().CStr();
        EXPECT_EQ(download_.Maximum(), 70000);
        EXPECT_EQ(Bytes(download_.Take()), body);
    }
    // A file is read in one go: more than the unread allowance arrives, nothing fails.
    UrlDownloadLimits limits;
    limits.maxUnread = 10000;
    download_.SetLimits(limits);
    recorder_ = Recorder();
    Open("shows/a b.zyl", page);
    ASSERT_TRUE(PumpToStop());
    EXPECT_FALSE(recorder_.Result().Failed()) << recorder_.Result().Text().CStr();
    EXPECT_EQ(Bytes(download_.Take()), body);
    recorder_ = Recorder();
    Open("shows/none.zyl", page);
    ASSERT_TRUE(PumpToStop());
    EXPECT_TRUE(recorder_.Result().Failed());
    std::filesystem::remove_all(folder);
}

TEST_F(UrlDownloadTest, AFileBeyondTheUnreadLimitIsReadWhole)
{
    // libcurl cannot pause a file: a pause there used to end the transfer with a write error.
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("zyl_net_whole_" + std::to_string(::getpid()) + ".zyl");
    const std::string body = Pattern(300000);
    std::ofstream(file, std::ios::binary) << body;
    download_.SetLimits({.maxUnread = 16384});
    Open("file://" + file.string());
    ASSERT_TRUE(PumpToStop());
    EXPECT_FALSE(recorder_.Result().Failed()) << recorder_.Result().Text().CStr();
    EXPECT_EQ(Bytes(download_.Take()), body);
    std::filesystem::remove(file);
}

} // namespace
