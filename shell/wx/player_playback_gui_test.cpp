// The real ZylPlayer playing shows made by the show generator, on a private X server, its sound
// written to a file by SDL's disk driver: the file must hold the show's track as the decoder gives
// it, without a gap, until Mute; a broken show in the list gives one "OpenZyl failed!" box; the
// preview's keys and context menu step the list, pause and switch full screen.
#include "platform/wx/test_support/x_session.h"
#include "shell/wx/test_support/player_gui_fixture.h"
#include "shell/wx/test_support/player_windows.h"
#include "show/laser_preview_stream.h"
#include "show/sound_decoder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr int32_t kRate = 22050;
constexpr int32_t kBlockAlign = 4;
constexpr size_t kBytesPerSecond = size_t{kRate} * kBlockAlign;
// SDL's disk card takes one period of sound (512 frames, 23 ms) every 70 ms: a third of the real
// pace. The player's clock follows the card, so it plays just as it would at full pace, but a busy
// machine that keeps its tick away for a while does not drain the ring: what these tests compare
// is the order of the sound, not the speed of the machine.
constexpr const char* kCardPeriodMs = "70";
constexpr int kCardSlowdown = 3;
// How long the card takes for `seconds` of sound, with room for a slow start.
constexpr std::chrono::seconds CardTime(int seconds)
{
    return std::chrono::seconds(20 + seconds * kCardSlowdown);
}
constexpr const char* kFailureTitle = "OpenZyl failed!";
// The caption of the preview's own top-level window (full screen).
constexpr const char* kPreviewTitle = "Beam Vista";
// The Play menu's place on the menu bar.
constexpr int kPlayMenu = 3;

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The show's sound track as the player's decoder gives it.
std::vector<uint8_t> DecodedTrack(const std::string& show)
{
    LLaserPreviewStream stream;
    std::vector<uint8_t> track;
    if (!stream.Open(show.c_str()))
        return track;
    std::unique_ptr<LSoundDecoder> decoder = MakeOggSoundDecoder();
    if (!decoder->Open(&stream))
        return track;
    std::vector<uint8_t> block(16384);
    for (int32_t read = decoder->Read(block.data(), 16384); read > 0;
         read = decoder->Read(block.data(), 16384))
        track.insert(track.end(), block.begin(), block.begin() + read);
    decoder->Close();
    return track;
}

class PlayerPlaybackGuiTest : public PlayerGuiFixture
{
  protected:
    PlayerPlaybackGuiTest() : PlayerGuiFixture(session_, "zyl_gui") {}

    void SetUpCase() override
    {
        sound_ = folder_ + "/sound.raw";
    }

    std::string MakeShow(const std::string& name, const std::string& options)
    {
        const std::string path = folder_ + "/" + name;
        EXPECT_EQ(session_.Run(std::string(ZYLGEN) + " " + options + " " + path), 0) << name;
        return path;
    }
    std::string MakeBrokenShow(const std::string& name)
    {
        const std::string path = folder_ + "/" + name;
        std::ofstream(path, std::ios::binary) << "ZYL but no show";
        return path;
    }

    // The player runs in `workingFolder` when one is given: file dialogs open there.
    void StartPlayer(const std::vector<std::string>& shows, const std::string& workingFolder = {})
    {
        std::vector<std::string> argv{"/usr/bin/env", "SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + sound_,
                                      std::string("SDL_DISKAUDIODELAY=") + kCardPeriodMs, ZYL_PLAYER};
        if (!workingFolder.empty())
            argv.insert(argv.begin(), {"/bin/sh", "-c", "cd \"$0\" && exec \"$@\"", workingFolder});
        argv.insert(argv.end(), shows.begin(), shows.end());
        player_ = session_.Start(argv);
        ASSERT_GT(player_, 0);
    }

    // The ids of the top-level windows with this title.
    std::vector<std::string> WindowsTitled(const std::string& wanted) { return ::WindowsTitled(session_, wanted); }
    bool TitleShown(const std::string& title, std::chrono::milliseconds limit = 20s)
    {
        return XSession::PollUntil([&] { return !WindowsTitled(title).empty(); }, limit);
    }

    // Chooses an item of the Play menu, `downs` steps down it.
    void ChoosePlayItem(const std::string& frameTitle, int downs)
    {
        const std::vector<std::string> frames = WindowsTitled(frameTitle);
        ASSERT_EQ(frames.size(), 1u) << frameTitle;
        ChooseMenuItem(frames[0], kPlayMenu, downs);
    }

    // Waits for the one "OpenZyl failed!" box and closes it with Return.
    void CloseTheFailureBox()
    {
        ASSERT_TRUE(TitleShown(kFailureTitle));
        const std::vector<std::string> boxes = WindowsTitled(kFailureTitle);
        ASSERT_EQ(boxes.size(), 1u);
        session_.Run("xdotool windowactivate --sync " + boxes[0] + " key Return");
    }

    // Sends keys to the top-level window with this title.
    void KeysTo(const std::string& title, const std::string& keys)
    {
        const std::vector<std::string> windows = WindowsTitled(title);
        ASSERT_EQ(windows.size(), 1u) << title;
        session_.Run("xdotool windowactivate --sync " + windows[0] + " key --delay 80 " + keys);
    }
    // Waits until the player has taken the keys sent so far: F2, behind them in the queue, makes
    // the preview 320 x 240 (it is larger at first).
    bool KeysTaken(const std::string& title)
    {
        KeysTo(title, "F2");
        return XSession::PollUntil(
            [&] {
                const std::vector<std::string> frames = WindowsTitled(title);
                if (frames.size() != 1)
                    return false;
                const ShownWindow preview = LargestChild(session_, frames[0]);
                return preview.width == 320 && preview.height == 240;
            },
            20s);
    }
    // True when the card plays nothing but silence for two seconds after `from` and the sound's
    // lead.
    bool SilentAfter(size_t from)
    {
        if (!XSession::PollUntil([&] { return SoundBytes() > from + 2 * kBytesPerSecond; }, CardTime(2)))
            return false;
        const std::vector<uint8_t> heard = ReadBytes(sound_);
        return std::all_of(heard.begin() + from + kBytesPerSecond * 3 / 4, heard.end(),
                           [](uint8_t b) { return b == 0; });
    }

    size_t SoundBytes() const
    {
        std::error_code error;
        const auto size = std::filesystem::file_size(sound_, error);
        return error ? 0 : static_cast<size_t>(size);
    }

    static XSession session_;
    std::string sound_;
};

XSession PlayerPlaybackGuiTest::session_(true);

TEST_F(PlayerPlaybackGuiTest, PlaysTheTrackWithoutAGapUntilMuteAndReportsABrokenShowOnce)
{
    const std::string a = MakeShow("a.zyl", "--sound --seconds 30 --servers 1 --channels 1");
    const std::string c = MakeShow("c.zyl", "--seconds 4 --servers 1 --channels 1");
    const std::vector<uint8_t> track = DecodedTrack(a);
    ASSERT_GT(track.size(), 4 * kBytesPerSecond);
    StartPlayer({a, MakeBrokenShow("broken.zyl"), c});
    ASSERT_TRUE(TitleShown("Zyl Player - a.zyl (1 of 3)"));

    // Two seconds of the track reach the card.
    ASSERT_TRUE(XSession::PollUntil([&] { return SoundBytes() > 3 * kBytesPerSecond; }, CardTime(3)))
        << SoundBytes();
    std::vector<uint8_t> heard = ReadBytes(sound_);
    // Where the track's second second lies in what the card played gives the track's start there.
    const std::vector<uint8_t> probe(track.begin() + kBytesPerSecond, track.begin() + kBytesPerSecond + 4096);
    const auto found = std::search(heard.begin(), heard.end(), probe.begin(), probe.end());
    ASSERT_NE(found, heard.end()) << "the track's sound is not in what the card played";
    ASSERT_GE(static_cast<size_t>(found - heard.begin()), kBytesPerSecond);
    const size_t start = static_cast<size_t>(found - heard.begin()) - kBytesPerSecond;
    // Silence until the sound's lead after the start has passed, then the track in step, unbroken.
    const auto firstSound =
        std::find_if(heard.begin() + start, heard.end(), [](uint8_t b) { return b != 0; });
    const size_t from = static_cast<size_t>(firstSound - heard.begin());
    EXPECT_LE(from - start, kBytesPerSecond / 4);
    // The first second and a half: a loaded machine may starve the ring later on, which this test
    // is not about.
    const size_t compared = std::min({heard.size(), start + track.size(), from + kBytesPerSecond * 3 / 2}) - from;
    EXPECT_TRUE(
        std::equal(heard.begin() + from, heard.begin() + from + compared, track.begin() + (from - start)))
        << "the card played the track with a gap or a jump";

    // Mute from the menu: the card plays silence from then on, with the sound's lead at most,
    // counted from when the player had taken the menu's keys.
    ChoosePlayItem("Zyl Player - a.zyl (1 of 3)", 2);
    ASSERT_TRUE(KeysTaken("Zyl Player - a.zyl (1 of 3)"));
    EXPECT_TRUE(SilentAfter(SoundBytes())) << "sound after Mute";

    // Next File meets the broken show: one box, then the show after it.
    ChoosePlayItem("Zyl Player - a.zyl (1 of 3)", 3);
    ASSERT_NO_FATAL_FAILURE(CloseTheFailureBox());
    EXPECT_TRUE(TitleShown("Zyl Player - c.zyl (2 of 2)"));
    EXPECT_FALSE(TitleShown(kFailureTitle, 2s)) << "a second box";
}

TEST_F(PlayerPlaybackGuiTest, AShortShowBeforeABrokenOneGivesTheBoxOnceAfterThePaint)
{
    const std::string a = MakeShow("a.zyl", "--seconds 1 --servers 1 --channels 1");
    StartPlayer({a, MakeBrokenShow("broken.zyl")});
    ASSERT_TRUE(TitleShown("Zyl Player - a.zyl (1 of 2)"));
    ASSERT_NO_FATAL_FAILURE(CloseTheFailureBox());
    // The lone show loops on without another box.
    EXPECT_TRUE(TitleShown("Zyl Player - a.zyl"));
    EXPECT_FALSE(TitleShown(kFailureTitle, 3s)) << "a second box";
}

// Keys of the preview, reaching it through the frame's view and in its own full-screen window,
// and its context menu chosen by the keyboard.
TEST_F(PlayerPlaybackGuiTest, KeysStepTheListPauseAndSwitchFullScreenAndExitThereOnlyLeavesIt)
{
    const std::string options = "--sound --seconds 30 --servers 1 --channels 1 --still-circle";
    StartPlayer({MakeShow("a.zyl", options), MakeShow("b.zyl", options), MakeShow("c.zyl", options)});
    ASSERT_TRUE(TitleShown("Zyl Player - a.zyl (1 of 3)"));

    KeysTo("Zyl Player - a.zyl (1 of 3)", "ctrl+Down");
    const std::string third = "Zyl Player - c.zyl (3 of 3)";
    ASSERT_TRUE(TitleShown(third)) << "Ctrl+Down opens the last show";

    ASSERT_TRUE(XSession::PollUntil([&] { return SoundBytes() > kBytesPerSecond; }, CardTime(1)));
    KeysTo(third, "space");
    ASSERT_TRUE(KeysTaken(third));
    EXPECT_TRUE(SilentAfter(SoundBytes())) << "sound after Space";

    KeysTo(third, "alt+Return");
    ASSERT_TRUE(TitleShown(kPreviewTitle)) << "Alt+Enter: the preview's own full-screen window";
    KeysTo(kPreviewTitle, "Escape");
    EXPECT_TRUE(XSession::PollUntil([&] { return WindowsTitled(kPreviewTitle).empty(); }, 10s))
        << "Escape leaves full screen";

    // Exit from the context menu (the last item, one step up from none) in full screen only
    // leaves full screen.
    KeysTo(third, "alt+Return");
    ASSERT_TRUE(TitleShown(kPreviewTitle));
    const std::string fullScreen = WindowsTitled(kPreviewTitle)[0];
    session_.Run("xdotool windowactivate --sync " + fullScreen + " mousemove --window " + fullScreen +
                 " 200 200 click 3 sleep 1 key --delay 80 Up Return");
    EXPECT_TRUE(XSession::PollUntil([&] { return WindowsTitled(kPreviewTitle).empty(); }, 10s))
        << "Exit leaves full screen";
    EXPECT_TRUE(TitleShown(third)) << "and the player goes on";
    EXPECT_EQ(waitpid(player_, nullptr, WNOHANG), 0);
}

// The Open dialog, from the preview's Ctrl+O, opening in the player's working folder: every show
// chosen there replaces the list, in the dialog's order.
TEST_F(PlayerPlaybackGuiTest, TheOpenDialogReplacesTheListWithTheChosenShows)
{
    const std::string options = "--seconds 30 --servers 1 --channels 1 --still-circle";
    const std::string more = folder_ + "/more";
    std::filesystem::create_directory(more);
    MakeShow("more/c.zyl", options);
    MakeShow("more/b.zyl", options);
    StartPlayer({MakeShow("a.zyl", options)}, more);
    ASSERT_TRUE(TitleShown("Zyl Player - a.zyl"));

    KeysTo("Zyl Player - a.zyl", "ctrl+o");
    ASSERT_TRUE(TitleShown("Open")) << "the dialog takes the system's title";
    KeysTo("Open", "ctrl+a Return");
    EXPECT_TRUE(TitleShown("Zyl Player - b.zyl (1 of 2)"));
}

} // namespace
