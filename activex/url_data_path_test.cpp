// The control's feeding over a real download from a loopback server, its transfer pumped by a fake
// environment's timer: what the player gets and what the status says.
#include "activex/url_data_path.h"

#include "activex/control_feeding.h"
#include "activex/test_support/control_test_fixture.h"
#include "platform/net/test_support/loopback_http_server.h"
#include "platform/test_support/fake_ui_environment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace {

UrlDataPath* lastPath = nullptr;

std::unique_ptr<ControlDownload> MakeReachableUrlFeeding(ControlDownloadHost& host)
{
    auto path = std::make_unique<UrlDataPath>();
    lastPath = path.get();
    return std::make_unique<ControlFeeding>(host, std::move(path));
}

std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    }
    return bytes;
}

class UrlFeedingTest : public ControlTest
{
  protected:
    ControlDownloadMaker DownloadMaker() const override { return &MakeReachableUrlFeeding; }

    void SetUp() override
    {
        ControlTest::SetUp();
        path_ = lastPath;
        ShowWindow();
    }

    // Ticks the transfer until it told its end; a wall-clock guard only ends a hung test.
    bool PumpToEnd()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (ui_.FireTimer(path_->Download(), UrlDownload::kPumpTimerId)) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return true;
    }

    FakeUiEnvironment ui_;
    LoopbackHttpServer server_;
    UrlDataPath* path_ = nullptr;
};

TEST_F(UrlFeedingTest, ThePlayerGetsTheBodyAsItArrivesAndTheStatusSaysWhyALoadFailed)
{
    ASSERT_TRUE(server_.IsRunning());
    const std::string body = Pattern(300000);
    struct Case
    {
        const char* name;
        LoopbackResponse response;
        // The bytes of the final feed; none when nothing arrived.
        size_t fed;
        // Words of the status text after the end; empty: no status.
        const char* status;
    } cases[] = {
        {"whole", {.body = body, .step = 8192, .pauseMs = 1}, body.size(), ""},
        {"cut", {.body = body, .declaredLength = 400000, .step = 8192, .pauseMs = 1}, body.size(), "partial file"},
        {"missing", {.body = "no such show", .status = 404}, 0, "answered 404"},
        // A length beyond the largest show ends the transfer at the headers.
        {"huge", {.body = body.substr(0, 1000), .declaredLength = int64_t{1} << 40}, 0, "a show may have"},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        player_.feedings.clear();
        const std::string path = std::string("/") + c.name + ".zyl";
        server_.Serve(path, std::move(c.response));
        ASSERT_EQ(Put("Url", ZVariant::FromText(server_.Url(path))), S_OK);
        ASSERT_TRUE(PumpToEnd());

        const std::string status(player_.statusText.View());
        if (*c.status == '\0') {
            EXPECT_EQ(status, "");
        } else {
            EXPECT_NE(status.find(c.status), std::string::npos) << status;
            EXPECT_NE(status.find(server_.Url(path)), std::string::npos) << status;
        }
        if (c.fed == 0) {
            EXPECT_TRUE(player_.feedings.empty());
            continue;
        }
        ASSERT_GE(player_.feedings.size(), 2u);
        EXPECT_EQ(player_.feedings.front().call, "Open");
        EXPECT_EQ(std::string(player_.feedings.front().name.View()), c.name + std::string(".zyl"));
        EXPECT_TRUE(player_.feedings.back().final);
        EXPECT_EQ(player_.feedings.back().bytes, body.substr(0, c.fed));
        EXPECT_EQ(Get("Loaded"), ZVariant::FromR4(100));
    }
}

} // namespace
