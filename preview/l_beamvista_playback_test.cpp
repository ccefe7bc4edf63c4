// The preview joined to its show list, sound, status and commands: what a host sees of it.
#include "preview/l_beamvista.h"

#include "platform/test_support/message_box_fake.h"
#include "platform/test_support/sound_device_fake.h"
#include "preview/playback_time.h"
#include "preview/preview_command_ids.h"
#include "preview/test_support/playback_harness.h"
#include "preview/test_support/raw_pcm_decoder.h"
#include "preview/test_support/sound_preview_fixture.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int32_t kRate = 48000;
constexpr int32_t kVirtualKeyShift = 0x10;

// A host that records what the preview reports and takes the commands it is told to.
class RecordingHost : public LBeamvistaStatusCallback
{
  public:
    int OnPreviewCommand(uint32_t id, int32_t code, void*, void* handlerInfo) override
    {
        offered.push_back(id);
        updateQueries += handlerInfo != nullptr ? 1 : 0;
        return id == taken ? 1 : 0;
    }
    void SetFileName(const char* title) override { titles.emplace_back(title); }
    void SetPlayState(int32_t state, bool, bool) override { states.push_back(state); }
    void SetPosition(float progress, float) override { positions.push_back(progress); }
    void SetMute(bool muted) override { mutes.push_back(muted); }

    uint32_t taken = 0;
    std::vector<uint32_t> offered;
    int updateQueries = 0;
    std::vector<std::string> titles;
    std::vector<int32_t> states;
    std::vector<float> positions;
    std::vector<bool> mutes;
};

class PreviewPlaybackTest : public SoundPreviewTest
{
  protected:
    PreviewPlaybackTest() : SoundPreviewTest(kRate) {}

    void SetUp() override
    {
        SoundPreviewTest::SetUp();
        preview_.SetName("Zyl Player");
    }

    RecordingHost host_;
    FakeMessageBox boxes_;
    std::string folder_;
};

TEST_F(PreviewPlaybackTest, TicksPlayTheShowInStepWithItsSoundAndTheHostHearsOncePerTick)
{
    preview_.SetStatusCallback(&host_);
    ASSERT_EQ(host_.titles, std::vector<std::string>{"Zyl Player"});
    ASSERT_TRUE(preview_.OpenPath(Show("a.zyl").c_str(), false));
    EXPECT_EQ(host_.titles.back(), "Zyl Player - a.zyl");
    EXPECT_EQ(Window()->Title(), "Zyl Player") << "the host shows the title, not the window";
    ASSERT_TRUE(ui_.TimerRunning(preview_, LBeamvista::kTimerId));
    EXPECT_TRUE(hardware_->Playing());

    Tick(50);
    host_.states.clear();
    host_.positions.clear();
    Tick(100);
    EXPECT_EQ(host_.states, std::vector<int32_t>(100, kPlayStatePlaying));
    ASSERT_EQ(host_.positions.size(), 100u);
    EXPECT_LT(host_.positions.front(), host_.positions.back());
    int64_t time = 0;
    LLaserPreviewStream* stream = preview_.ShowStreamAt(time);
    ASSERT_NE(stream, nullptr);
    EXPECT_GT(time, stream->FirstTime());
    // The picture follows the sound clock.
    const LTimeRamp& audioClock = preview_.Playback().Sound().AudioClock();
    ASSERT_TRUE(audioClock.IsValid());
    EXPECT_EQ(time, audioClock.ValueAt(PlaybackTick()));

    preview_.SetStatusCallback(nullptr);
}

// The frames the preview was given to draw outside its shows: a frame sequence keeps the timer
// running and goes when paths are opened or everything is closed.
TEST_F(PreviewPlaybackTest, OpeningPathsAndCloseAllEmptyTheFrameSequence)
{
    const auto fill = [this] {
        preview_.frameSequence_.Append(LPic());
        preview_.frameSequence_.Append(LPic());
        preview_.frameSequence_.Step(1);
        preview_.frameSequence_.SetDeadlineCs(500);
    };
    fill();
    EXPECT_TRUE(preview_.TimerMustRun()) << "no show, but a sequence to play";
    ASSERT_TRUE(preview_.OpenPath(Show("a.zyl", 2.0, false).c_str(), false));
    EXPECT_TRUE(preview_.frameSequence_.IsEmpty());
    EXPECT_EQ(preview_.frameSequence_.Cursor(), 0);
    EXPECT_EQ(preview_.frameSequence_.DeadlineCs(), 0);

    fill();
    EXPECT_TRUE(preview_.OnCmdMsg(preview_command::kCloseAll, UiCommandCode::Execute, nullptr));
    EXPECT_TRUE(preview_.frameSequence_.IsEmpty());
    EXPECT_EQ(preview_.ShowCount(), 0);
    EXPECT_FALSE(preview_.TimerMustRun());
}

TEST_F(PreviewPlaybackTest, ABrokenShowReachedByThePlaybackStepGivesOneBoxAfterThePaint)
{
    const std::string shortShow = Show("a.zyl", 1.0, false);
    const std::string broken = MakeBrokenShow(folder_, "b.zyl");
    ASSERT_TRUE(preview_.AddShow(shortShow.c_str(), XAString(), -1, nullptr, true));
    ASSERT_TRUE(preview_.AddShow(broken.c_str(), XAString(), -1, nullptr, true));
    ASSERT_TRUE(preview_.AddShow(broken.c_str(), XAString(), -1, nullptr, true));
    // Past the end and the list's margin of 1 s.
    Tick(220);
    EXPECT_TRUE(boxes_.shown.empty()) << "nothing modal inside the paint";
    ASSERT_EQ(ui_.RunPosted(), 1);
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].title, "OpenZyl failed!");
    EXPECT_EQ(boxes_.shown[0].text.rfind(broken + "\n\n", 0), 0u) << boxes_.shown[0].text;
    EXPECT_EQ(boxes_.shown[0].icon, MessageBoxIcon::Error);
    EXPECT_EQ(boxes_.shown[0].owner, preview_.WindowId());
    EXPECT_TRUE(boxes_.shown[0].owner);
    EXPECT_EQ(preview_.ShowCount(), 1);
    EXPECT_EQ(preview_.CurrentIndex(), 0);
    EXPECT_TRUE(preview_.HasOpenShow());
}

TEST_F(PreviewPlaybackTest, ABrokenShowOpenedByACommandGivesItsBoxAtOnce)
{
    ASSERT_TRUE(preview_.OpenPath(Show("a.zyl", 1.0, false).c_str(), false));
    preview_.OpenPath(MakeBrokenShow(folder_, "b.zyl").c_str(), false);
    ASSERT_TRUE(preview_.OnCmdMsg(preview_command::kNextFile, UiCommandCode::Execute, nullptr));
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].owner, preview_.WindowId());
    EXPECT_EQ(ui_.RunPosted(), 0);
    EXPECT_EQ(preview_.ShowCount(), 1);
}

TEST_F(PreviewPlaybackTest, CommandsGoToTheHostFirstThenThePreview)
{
    using namespace preview_command;
    preview_.SetStatusCallback(&host_);
    preview_.OpenPath(Show("a.zyl", 2.0, false).c_str(), false);
    preview_.OpenPath(Show("b.zyl", 2.0, false).c_str(), false);

    host_.taken = kClose;
    EXPECT_TRUE(preview_.OnCmdMsg(kClose, UiCommandCode::Execute, nullptr));
    EXPECT_EQ(preview_.ShowCount(), 2) << "the host kept the show";
    host_.taken = 0;

    EXPECT_TRUE(preview_.OnCmdMsg(kNextFile, UiCommandCode::Execute, nullptr));
    EXPECT_EQ(preview_.CurrentIndex(), 1);
    Tick(10);
    EXPECT_TRUE(preview_.OnCmdMsg(kPlayPause, UiCommandCode::Execute, nullptr));
    Tick();
    EXPECT_TRUE(preview_.IsPaused());
    EXPECT_EQ(host_.states.back(), kPlayStatePaused);
    EXPECT_TRUE(preview_.OnCmdMsg(kMute, UiCommandCode::Execute, nullptr));
    Tick();
    EXPECT_EQ(host_.mutes.back(), true);
    EXPECT_TRUE(preview_.OnCmdMsg(kStop, UiCommandCode::Execute, nullptr));
    Tick();
    EXPECT_EQ(host_.states.back(), kPlayStateStopped);
    EXPECT_TRUE(preview_.OnCmdMsg(kClose, UiCommandCode::Execute, nullptr));
    EXPECT_EQ(preview_.ShowCount(), 1);

    // Update queries and the ids the preview does not carry out go back to the caller.
    UiCommandUpdate update;
    EXPECT_FALSE(preview_.OnCmdMsg(kClose, UiCommandCode::Update, &update));
    EXPECT_EQ(host_.updateQueries, 1);
    EXPECT_FALSE(preview_.OnCmdMsg(kAbout, UiCommandCode::Execute, nullptr));
    EXPECT_FALSE(preview_.OnCmdMsg(kExit, UiCommandCode::Execute, nullptr)) << "a child preview does nothing";

    preview_.SetFullScreen(true);
    ASSERT_TRUE(preview_.IsFullScreen());
    EXPECT_TRUE(preview_.OnCmdMsg(kExit, UiCommandCode::Execute, nullptr));
    EXPECT_FALSE(preview_.IsFullScreen()) << "Exit in full screen only leaves it";

    EXPECT_TRUE(preview_.OnCmdMsg(kCloseAll, UiCommandCode::Execute, nullptr));
    EXPECT_EQ(preview_.ShowCount(), 0);
    EXPECT_EQ(host_.states.back(), kPlayStateNoShow);
    preview_.SetStatusCallback(nullptr);
}

TEST_F(PreviewPlaybackTest, DropsReplaceTheListUnlessShiftIsHeld)
{
    const std::string a = Show("a.zyl", 2.0, false);
    const std::string b = Show("b.zyl", 2.0, false);
    const std::string c = Show("c.zyl", 2.0, false);
    preview_.OnDropFiles({b, a});
    EXPECT_EQ(preview_.ShowCount(), 2);
    EXPECT_EQ(Window()->Title(), "Zyl Player - a.zyl (1 of 2)") << "sorted by name";
    ui_.keysDown.insert(kVirtualKeyShift);
    preview_.OnDropFiles({c});
    EXPECT_EQ(preview_.ShowCount(), 3);
    ui_.keysDown.clear();
    preview_.OnDropFiles({c});
    EXPECT_EQ(preview_.ShowCount(), 1);
    EXPECT_EQ(Window()->Title(), "Zyl Player - c.zyl");
}

TEST_F(PreviewPlaybackTest, OpenDialogTakesTheChosenShowsInItsOrderAndRefusesASecondOneInside)
{
    const std::string a = Show("a.zyl", 2.0, false);
    const std::string b = Show("b.zyl", 2.0, false);
    preview_.OpenPath(Show("old.zyl", 2.0, false).c_str(), false);
    bool secondOpen = true;
    bool activeInside = false;
    ui_.whileFileDialogRuns = [&] {
        activeInside = preview_.OpenDialogActive();
        secondOpen = preview_.OpenFileDialog(false);
    };
    ui_.fileDialogAnswers.push_back(UiFileDialogResult{{b, a}, 0});
    EXPECT_TRUE(preview_.OpenFileDialog(false));
    EXPECT_TRUE(activeInside);
    EXPECT_FALSE(secondOpen) << "an Open from a tick inside the dialog returns at once";
    ASSERT_EQ(ui_.fileDialogs.size(), 1u);
    EXPECT_TRUE(ui_.fileDialogs[0].multiple);
    EXPECT_EQ(ui_.fileDialogs[0].filter, "Zyl Files|*.[zZ][yY][lL]|All Files (*.*)|*");
    EXPECT_FALSE(preview_.OpenDialogActive());
    ASSERT_EQ(preview_.ShowCount(), 2);
    EXPECT_EQ(Window()->Title(), "Zyl Player - b.zyl (1 of 2)") << "the dialog's order, the old list gone";

    ui_.whileFileDialogRuns = nullptr;
    EXPECT_FALSE(preview_.OpenFileDialog(true)) << "cancelled";
    EXPECT_EQ(preview_.ShowCount(), 2);
}

} // namespace
