// The playback bar of the real ZylPlayer on a private X server with a window manager: E opens it
// captioned with the show, it only grows sideways, and its close box hides it until E again.
#include "platform/dialog_units.h"
#include "platform/wx/test_support/x_session.h"
#include "shell/wx/test_support/player_windows.h"
#include "preview/playback_bar_template.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr const char* kTitle = "Zyl Player - a.zyl";

class PlaybackBarGuiTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.Ok()) << session_.Error();
        std::string pattern = (std::filesystem::temp_directory_path() / "zyl_bar_XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        const std::string show = folder_ + "/a.zyl";
        ASSERT_EQ(session_.Run(std::string(ZYLGEN) + " --seconds 30 --servers 1 --channels 1 " + show), 0);
        player_ = session_.Start({"/usr/bin/env", "SDL_AUDIODRIVER=dummy", ZYL_PLAYER, show});
        ASSERT_GT(player_, 0);
        ASSERT_TRUE(XSession::PollUntil([this] { return WindowsTitled(kTitle).size() == 1; }, 20s));
    }
    void TearDown() override
    {
        if (player_ > 0)
            session_.Stop(player_);
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }

    std::vector<std::string> WindowsTitled(const std::string& wanted) { return ::WindowsTitled(session_, wanted); }

    // The window with the title that is not the frame, once there is one.
    std::string Bar(const std::string& frame)
    {
        for (const std::string& id : WindowsTitled(kTitle)) {
            if (id != frame)
                return id;
        }
        return {};
    }

    // Width and height of a window.
    bool SizeOf(const std::string& id, int& width, int& height)
    {
        std::string output;
        if (session_.Run("xdotool getwindowgeometry --shell " + id, &output) != 0)
            return false;
        std::istringstream lines(output);
        std::string line;
        while (std::getline(lines, line)) {
            if (line.rfind("WIDTH=", 0) == 0)
                width = std::stoi(line.substr(6));
            if (line.rfind("HEIGHT=", 0) == 0)
                height = std::stoi(line.substr(7));
        }
        return width > 0 && height > 0;
    }

    void PressE(const std::string& frame) { session_.Run("xdotool windowactivate --sync " + frame + " key e"); }

    static XSession session_;
    std::string folder_;
    pid_t player_ = -1;
};

XSession PlaybackBarGuiTest::session_(true);

TEST_F(PlaybackBarGuiTest, EOpensTheBarWhichGrowsSidewaysOnlyAndClosingHidesIt)
{
    const std::string frame = WindowsTitled(kTitle)[0];
    PressE(frame);
    std::string bar;
    ASSERT_TRUE(XSession::PollUntil([&] { return !(bar = Bar(frame)).empty(); }, 10s)) << "no bar";

    const RasterRect made = ConvertDialogToPixels(
        {0, 0, PlaybackBarTemplate::kWidthUnits, PlaybackBarTemplate::kHeightUnits});
    int width = 0;
    int height = 0;
    ASSERT_TRUE(SizeOf(bar, width, height));
    EXPECT_EQ(width, made.right);
    EXPECT_EQ(height, made.bottom);

    // Neither narrower nor taller nor lower; wider it may be.
    session_.Run("xdotool windowsize --sync " + bar + " 100 200");
    int w = 0;
    int h = 0;
    XSession::PollUntil([&] { return SizeOf(bar, w, h) && w == width && h == height; }, 3s);
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
    session_.Run("xdotool windowsize --sync " + bar + " " + std::to_string(width + 200) + " 10");
    EXPECT_TRUE(XSession::PollUntil([&] { return SizeOf(bar, w, h) && w == width + 200; }, 5s)) << w;
    EXPECT_EQ(h, height);

    // The close box hides it; E shows the same bar again.
    session_.Run("xdotool windowactivate --sync " + bar + " key alt+F4");
    EXPECT_TRUE(XSession::PollUntil([&] { return Bar(frame).empty(); }, 10s)) << "still shown";
    PressE(frame);
    EXPECT_TRUE(XSession::PollUntil([&] { return Bar(frame) == bar; }, 10s));
}

} // namespace
