// The control's feeding driven through the control as a page would drive it: Url, BitsPerSecond,
// StopLoad, the context commands and the window's timer, over a data path the test moves and a
// player that records what it was fed.
#include "activex/control_feeding.h"

#include "activex/test_support/control_test_fixture.h"
#include "activex/test_support/fake_data_path.h"
#include "foundation/tasks/test_support/fake_time_source.h"
#include "preview/preview_command_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kShowUrl = "http://example.test/shows/demo.zyl";
constexpr uint64_t kUsPerSecond = 1000000;

std::string Body(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 13 + i / 256) & 0xFF);
    }
    return bytes;
}

// "Open 100", "Feed 300 final": what the player was given.
using FeedList = std::vector<std::string>;

CError Failure(const char* text)
{
    CError error;
    error.SetError(text, 0);
    return error;
}

class FeedingTest : public ControlTest
{
  protected:
    ControlDownloadMaker DownloadMaker() const override { return &MakeFakeDataPathFeeding; }

    void SetUp() override
    {
        ControlTest::SetUp();
        path_ = LastFakeDataPath();
        ShowWindow();
    }

    // The control fetches url, whose transfer will deliver body.
    void Load(std::string body, const char* url = kShowUrl)
    {
        path_->body = std::move(body);
        ASSERT_EQ(Put("Url", ZVariant::FromText(url)), S_OK);
    }

    int32_t Loaded() { return static_cast<int32_t>(Get("Loaded").R4()); }
    std::string Status() const { return std::string(player_.statusText.View()); }
    FeedList Feedings() const
    {
        FeedList feedings;
        for (const FakeControlPlayer::Feeding& f : player_.feedings) {
            feedings.push_back(f.call + " " + std::to_string(f.size) + (f.final ? " final" : ""));
        }
        return feedings;
    }
    void AfterSeconds(double seconds)
    {
        clock_.AdvanceUs(static_cast<uint64_t>(seconds * kUsPerSecond));
        control_->OnWindowTimer();
    }

    FakeTimeSource clock_{kUsPerSecond};
    FakeDataPath* path_ = nullptr;
};

TEST_F(FeedingTest, ThePlayerIsFedOnceAsManyBytesArrivedAsItAskedFor)
{
    struct Case
    {
        const char* name;
        int32_t openAt;
        int32_t moreBytes;
        std::vector<int32_t> arrivals;
        FeedList feedings;
    } cases[] = {
        // A show too short for its header asks for 256 bytes; once open, every byte more.
        {"header", 256, 0, {100, 100, 100, 1, 1}, {"Open 100", "Feed 300", "Feed 301", "Feed 302"}},
        // An open show that asks for 4,000 bytes more is left alone until they are there.
        {"more", 1, 4000, {1000, 2000, 2000, 1000}, {"Open 1000", "Feed 5000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        player_.feedings.clear();
        player_.openAt = c.openAt;
        player_.moreBytes = c.moreBytes;
        Load(Body(100000));
        for (const int32_t n : c.arrivals) {
            path_->Arrive(n);
        }
        EXPECT_EQ(Feedings(), c.feedings);
        // The player shares the download's bytes; none is changed or lost on the way.
        EXPECT_EQ(player_.feedings.back().bytes, path_->body.substr(0, player_.feedings.back().size));
        EXPECT_EQ(std::string(player_.feedings.back().name.View()), "demo.zyl");
    }
}

TEST_F(FeedingTest, At32000BitsAHundredKilobyteShowIsReleased4000BytesASecond)
{
    ASSERT_EQ(Put("BitsPerSecond", ZVariant::FromI4(32000)), S_OK);
    player_.playTimeUs = 7000000;
    Load(Body(102400));
    path_->Announce(102400);
    // The whole show is there at once; the line lets one centisecond's 40 bytes through.
    path_->Finish();
    EXPECT_EQ(Feedings(), FeedList{"Open 40"});
    EXPECT_TRUE(window_->timer);
    EXPECT_EQ(window_->timerMs, 100u);
    EXPECT_EQ(Status(), "Loading 0K of 0.1M (0.0%)");

    AfterSeconds(1);
    EXPECT_EQ(player_.feedings.back().size, 4000);
    EXPECT_EQ(Loaded(), 4);
    EXPECT_EQ(Status(), "Loading 3K of 0.1M (3.9%)");
    AfterSeconds(9);
    EXPECT_EQ(player_.feedings.back().size, 40000);
    EXPECT_EQ(Loaded(), 39);
    EXPECT_EQ(Status(), "Loading 39K of 0.1M (39.1%)");

    // 25.6 s release the last byte: the final feed, sent back to where it played.
    AfterSeconds(15.5);
    EXPECT_EQ(player_.feedings.back().size, 102000);
    EXPECT_FALSE(player_.feedings.back().final);
    AfterSeconds(0.1);
    EXPECT_EQ(Feedings().back(), "Feed 102400 final");
    EXPECT_EQ(player_.seeks, std::vector<int64_t>{7000000});
    EXPECT_FALSE(window_->timer);
    EXPECT_EQ(Loaded(), 100);
    EXPECT_EQ(Status(), "");

    // A tick still on its way changes nothing.
    const size_t feeds = player_.feedings.size();
    AfterSeconds(0.1);
    EXPECT_EQ(player_.feedings.size(), feeds);
    EXPECT_EQ(Loaded(), 100);
    EXPECT_EQ(Status(), "");
}

TEST_F(FeedingTest, ANewRateKeepsWhatWasReleasedAndNoRateReleasesTheRest)
{
    ASSERT_EQ(Put("BitsPerSecond", ZVariant::FromI4(32000)), S_OK);
    Load(Body(102400));
    path_->Announce(102400);
    path_->Finish();
    AfterSeconds(10);
    EXPECT_EQ(player_.feedings.back().size, 40000);

    ASSERT_EQ(Put("BitsPerSecond", ZVariant::FromI4(64000)), S_OK);
    // A tick that releases nothing new feeds nothing.
    const size_t feeds = player_.feedings.size();
    AfterSeconds(0);
    EXPECT_EQ(player_.feedings.size(), feeds);
    EXPECT_EQ(Loaded(), 39);
    AfterSeconds(1);
    EXPECT_EQ(player_.feedings.back().size, 48000);

    ASSERT_EQ(Put("BitsPerSecond", ZVariant::FromI4(0)), S_OK);
    AfterSeconds(0.1);
    EXPECT_EQ(Feedings().back(), "Feed 102400 final");
    EXPECT_EQ(Loaded(), 100);
    EXPECT_FALSE(window_->timer);
}

TEST_F(FeedingTest, TheStatusGivesTheShareLoadedAndTheTimeBufferedAhead)
{
    constexpr int32_t kThreeM = 3 * 1024 * 1024;
    struct Case
    {
        int64_t announced;
        int32_t arrived;
        int64_t bufferedUs;
        const char* status;
    } cases[] = {
        {kThreeM, 1536000, -1, "Loading 1,500K of 3.0M (48.8%)"},
        {kThreeM, 1536000, 12345678, "Loading 1,500K of 3.0M (48.8%) (Buffer 12.3s)"},
        {kThreeM, 1536000, 99999, "Loading 1,500K of 3.0M (48.8%) (Buffer 0.0s)"},
        // Without a declared length the total is what arrived so far.
        {0, 10240, -1, "Loading 10K of 0.0M (100.0%)"},
        {0, 2 * kThreeM, -1, "Loading 6,144K of 6.0M (100.0%)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        player_.bufferedUs = c.bufferedUs;
        Load(Body(static_cast<size_t>(c.arrived) + 1));
        path_->Announce(c.announced);
        path_->Arrive(c.arrived);
        EXPECT_EQ(Status(), c.status);
        EXPECT_EQ(std::string(control_->StatusText().View()), c.status);
    }
}

TEST_F(FeedingTest, AStoppedDownloadCompletesWithWhatArrivedAndAFailedOneSaysWhy)
{
    struct Case
    {
        const char* name;
        int32_t arrived;
        CError result;
        FeedList feedings;
        const char* status;
    } cases[] = {
        {"cut", 4000, Failure("http://example.test/shows/demo.zyl: connection cut"), {"Open 4000", "Feed 4000 final"},
         "http://example.test/shows/demo.zyl: connection cut"},
        {"nothing", 0, Failure("http://example.test/shows/demo.zyl: the server answered 404 Not Found"), {},
         "http://example.test/shows/demo.zyl: the server answered 404 Not Found"},
        {"ended", 4000, CError(), {"Open 4000", "Feed 4000 final"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        player_.feedings.clear();
        Load(Body(10000));
        path_->Announce(10000);
        if (c.arrived > 0) {
            path_->Arrive(c.arrived);
        }
        path_->Stop(c.result);
        EXPECT_EQ(Feedings(), c.feedings);
        EXPECT_EQ(Status(), c.status);
        if (c.arrived > 0) {
            EXPECT_EQ(Loaded(), 100);
        }
    }
}

TEST_F(FeedingTest, StopLoadingWhileThrottledGivesThePlayerEveryByteReleased)
{
    ASSERT_EQ(Put("BitsPerSecond", ZVariant::FromI4(32000)), S_OK);
    player_.moreBytes = 10000;
    Load(Body(100000));
    path_->Announce(100000);
    path_->Arrive(60000);
    AfterSeconds(1);
    path_->Arrive(20000);
    // 4,000 bytes are released, the player waits for 10,040 before its next feed.
    EXPECT_EQ(Feedings(), FeedList{"Open 40"});

    EXPECT_TRUE(control_->OnCommand(preview_command::kStopLoading));
    EXPECT_FALSE(path_->IsOpen());
    EXPECT_EQ(Feedings(), (FeedList{"Open 40", "Feed 4000 final"}));
    EXPECT_EQ(Loaded(), 100);
    EXPECT_EQ(Status(), "");
    EXPECT_FALSE(window_->timer);
}

TEST_F(FeedingTest, StopLoadEndsTheTransferAndPlaysWhatArrived)
{
    // Without a transfer there is nothing to end.
    ASSERT_EQ(Put("StopLoad", ZVariant::FromBool(true)), S_OK);
    EXPECT_TRUE(player_.feedings.empty());

    player_.moreBytes = 100000;
    Load(Body(100000));
    path_->Announce(100000);
    path_->Arrive(1000);
    path_->Arrive(30000);
    ASSERT_EQ(Put("StopLoad", ZVariant::FromBool(true)), S_OK);
    EXPECT_FALSE(path_->IsOpen());
    EXPECT_EQ(Feedings(), (FeedList{"Open 1000", "Feed 31000 final"}));
    EXPECT_EQ(Loaded(), 100);
}

TEST_F(FeedingTest, ReloadFetchesTheLastUrlAgainAndBeforeAnyUrlNothing)
{
    EXPECT_TRUE(control_->OnCommand(preview_command::kReload));
    EXPECT_TRUE(path_->opens.empty());
    EXPECT_EQ(Get("ReadyState"), ZVariant::FromI4(CZylPlayerActiveXCtrl::kReadyStateComplete));

    Load(Body(5000), "shows/a.zyl");
    // A show that arrives in one piece gets just the final feed.
    path_->Finish();
    EXPECT_TRUE(control_->OnCommand(preview_command::kReload));
    // Close forgets the Url, not the last one.
    EXPECT_TRUE(control_->OnCommand(preview_command::kClose));
    EXPECT_EQ(Get("Url"), ZVariant::FromText(""));
    EXPECT_TRUE(control_->OnCommand(preview_command::kReload));
    EXPECT_EQ(path_->opens, (std::vector<std::string>{"shows/a.zyl from ", "shows/a.zyl from ", "shows/a.zyl from "}));
    path_->Arrive(2000);
    EXPECT_EQ(Feedings(), (FeedList{"Feed 5000 final", "Open 2000"}));
    EXPECT_EQ(std::string(control_->ShowName().View()), "a.zyl");
}

TEST_F(FeedingTest, ANewUrlMidDownloadStartsAfresh)
{
    Load(Body(10000), "http://example.test/one.zyl");
    path_->Announce(10000);
    path_->Arrive(4000);
    ASSERT_EQ(Status(), "Loading 3K of 0.0M (40.0%)");
    ASSERT_EQ(Loaded(), 40);

    Load(Body(3000), "http://example.test/two.zyl");
    EXPECT_EQ(Loaded(), 0);
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(std::string(control_->ShowName().View()), "");
    EXPECT_EQ(player_.calls.back(), "CloseAll");

    // The new transfer's first bytes open its show.
    path_->Arrive(1000);
    EXPECT_EQ(Feedings(), (FeedList{"Open 4000", "Open 1000"}));
    EXPECT_EQ(std::string(player_.feedings.back().name.View()), "two.zyl");
    EXPECT_EQ(Status(), "Loading 0K of 0.0M (100.0%)");
}

TEST_F(FeedingTest, WhatArrivesWhileThePlayerIsBusyIsFedAfterIt)
{
    Load(Body(10000));
    // The player pumps messages while it opens the show: the rest arrives, the transfer ends.
    player_.whileFeeding = [this] { path_->Finish(); };
    path_->Arrive(1000);
    EXPECT_EQ(player_.deepestFeed, 1);
    EXPECT_EQ(Feedings(), (FeedList{"Open 1000", "Feed 10000 final"}));
    EXPECT_EQ(Loaded(), 100);
}

TEST_F(FeedingTest, WithoutAWindowNothingIsFed)
{
    Load(Body(10000));
    path_->Arrive(1000);
    window_->exists = false;
    path_->Arrive(1000);
    path_->Stop();
    EXPECT_EQ(Feedings(), FeedList{"Open 1000"});

    // Closing the control ends its transfer.
    ShowWindow();
    Load(Body(10000));
    ASSERT_TRUE(path_->IsOpen());
    control_->Close();
    EXPECT_FALSE(path_->IsOpen());
}

} // namespace
