// The feeding driving the real preview (display-free) while a streamable show arrives 4 KiB a
// tick: the show plays before the download ends, the last bytes make it whole, and a cut download
// plays what came and says why it ended.
#include "activex/control_feeding.h"

#include "activex/test_support/fake_data_path.h"
#include "activex/test_support/fake_download_host.h"
#include "preview/test_support/playback_harness.h"
#include "preview/test_support/sound_preview_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int32_t kRate = 8000;
constexpr int32_t kStep = 4096;
constexpr int64_t kSecond = 1000000;

// The player port over the preview itself, for what the feeding asks of it.
class PreviewPlayer final : public ControlPlayer
{
  public:
    explicit PreviewPlayer(LBeamvista& preview) : preview_(preview) {}

    bool Play() override { return preview_.Play(); }
    bool Pause() override { return preview_.Pause(); }
    bool Stop() override { return preview_.Stop(); }
    bool IsPaused() const override { return preview_.IsPaused(); }
    bool SetMute(bool on) override { return preview_.SetMute(on); }
    bool IsMuted() const override { return preview_.IsMuted(); }
    bool SeekFraction(float fraction) override { return preview_.SeekFraction(fraction); }
    float PositionFraction() const override { return 0; }
    void CloseAll(bool dropPictures) override { preview_.CloseAll(dropPictures); }
    bool HasPreviewWindow() const override { return true; }
    void ShowContextMenu() override {}
    bool IsFrameShown() const override { return false; }
    void SetSkinLayout(bool, bool) override {}
    bool IsFullScreen() const override { return false; }
    void SetFullScreen(bool, bool) override {}
    bool OpenFromMemory(const XAString& name, const XAString& data, int32_t size, int32_t* threshold,
                        bool final) override
    {
        return preview_.OpenFromMemory(name, data, size, threshold, final);
    }
    bool FeedMoreData(const XAString& name, const XAString& data, int32_t size, int32_t* threshold,
                      bool final) override
    {
        return preview_.FeedMoreData(name, data, size, threshold, final);
    }
    int64_t GetPlayTimeUs() override { return preview_.GetPlayTimeUs(); }
    int64_t GetBufferedTimeUs() override { return preview_.GetBufferedTimeUs(); }
    bool SeekToTime(int64_t time, bool keepPaused) override { return preview_.SeekToTime(time, keepPaused); }
    void SetStatusText(const XAString& text) override { preview_.SetStatusText(text); }

  private:
    LBeamvista& preview_;
};

class FeedingEngineTest : public SoundPreviewTest
{
  protected:
    FeedingEngineTest() : SoundPreviewTest(kRate) {}

    void SetUp() override
    {
        SoundPreviewTest::SetUp();
        auto path = std::make_unique<FakeDataPath>();
        path_ = path.get();
        // Without sound, a share of the bytes is about that share of the show's time.
        path_->body = ReadFileBytes(Show("feed.zyl", 30.0, false));
        ASSERT_GT(path_->body.size(), 20u * kStep);
        host_.player = &player_;
        feeding_ = std::make_unique<ControlFeeding>(host_, std::move(path));
        feeding_->Start("http://example.test/feed.zyl");
    }

    // One step of the download, then one tick of the preview.
    void Arrive()
    {
        path_->Arrive(kStep);
        Tick();
    }
    std::string Status() const { return std::string(preview_.StatusText().View()); }
    int32_t Size() const { return static_cast<int32_t>(path_->body.size()); }

    FakeDownloadHost host_;
    PreviewPlayer player_{preview_};
    FakeDataPath* path_ = nullptr;
    std::unique_ptr<ControlFeeding> feeding_;
};

TEST_F(FeedingEngineTest, TheShowPlaysBeforeItsDownloadEndsAndItsLastBytesMakeItWhole)
{
    while (!preview_.HasOpenShow() && path_->Size() < Size()) {
        Arrive();
    }
    ASSERT_TRUE(preview_.HasOpenShow());
    EXPECT_LT(path_->Size(), Size() / 4) << "the index comes first: the show opens early";
    EXPECT_STREQ(preview_.CurrentPath().CStr(), "feed.zyl");
    EXPECT_EQ(Status().rfind("Loading ", 0), 0u) << Status();
    EXPECT_NE(Status().find(" (Buffer "), std::string::npos) << Status();

    // It holds until enough is there, then plays while the rest arrives.
    const int64_t held = preview_.GetPlayTimeUs();
    while (preview_.GetPlayTimeUs() < held + kSecond && path_->Size() < Size()) {
        Arrive();
    }
    ASSERT_LT(path_->Size(), Size()) << "the show did not play while it downloaded";

    const int64_t before = preview_.GetPlayTimeUs();
    path_->Finish();
    EXPECT_FALSE(preview_.Playback().Stream().IsIncomplete());
    EXPECT_EQ(preview_.Playback().Entry(0).dataSize, Size());
    EXPECT_GE(preview_.GetPlayTimeUs(), before) << "the final feed keeps the place";
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(LoadedPercent(feeding_->BytesReleased(), feeding_->BytesTotal()), 100);
}

TEST_F(FeedingEngineTest, ACutDownloadPlaysWhatCameAndSaysWhy)
{
    path_->Announce(Size());
    const int32_t cut = Size() * 2 / 5;
    while (path_->Size() < cut) {
        Arrive();
    }
    ASSERT_TRUE(preview_.HasOpenShow());
    const int64_t cutTime = preview_.Playback().Stream().AvailableTimeUs();
    // It plays up to the loaded end, or holds at its start, and waits there for more.
    for (int32_t i = 0; i < 4000 && !preview_.Playback().IsHolding(); ++i) {
        Tick();
    }
    ASSERT_TRUE(preview_.Playback().IsHolding());

    CError error;
    error.SetError("http://example.test/feed.zyl: the connection broke off", 0);
    path_->Stop(error);
    EXPECT_TRUE(preview_.Playback().Stream().IsIncomplete());
    EXPECT_EQ(Status(), "http://example.test/feed.zyl: the connection broke off");
    Tick(2);
    EXPECT_FALSE(preview_.Playback().IsHolding());
    for (int32_t i = 0; i < 3000 && preview_.GetPlayTimeUs() <= cutTime + kSecond; ++i) {
        Tick();
    }
    EXPECT_GT(preview_.GetPlayTimeUs(), cutTime + kSecond);
}

} // namespace
