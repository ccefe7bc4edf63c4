// The real ZylPlayer meeting three-dimensional fog for the first time on a machine: the stored
// OpenGL choice asks for it, no noise cache file exists, so the noise cube is computed under the
// "Beam Vista" box. Its "&Abort", clicked with the mouse, closes it: the player draws on with flat
// fog and no cache file is left behind. Left alone, the box goes once the cube is written, and the
// next start finds the file and shows no box.
#include "controls/modeless_box_layout.h"
#include "foundation/registry/reg_key.h"
#include "platform/wx/test_support/x_session.h"
#include "shell/wx/test_support/player_gui_fixture.h"
#include "shell/wx/test_support/player_windows.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using namespace std::chrono_literals;

constexpr const char* kBoxTitle = "Beam Vista";

class PlayerFogGuiTest : public PlayerGuiFixture
{
  protected:
    PlayerFogGuiTest() : PlayerGuiFixture(session_, "zyl_fog") {}

    void SetUpCase() override
    {
        database_ = folder_ + "/registry.db";
        ::setenv("ZYL_SETTINGS_DB", database_.c_str(), 1);
        LRegKey key("Zyl Player\\OpenGL", true);
        const struct
        {
            const char* name;
            int32_t value;
        } stored[] = {{"ForceGeneric", 0}, {"EnhancedLines", 1}, {"BeamProfile", 1},
                      {"PolygonSmooth", 0}, {"Fog3d", 1},        {"EnhancedLinesBeam", 0}};
        for (const auto& s : stored)
            ASSERT_TRUE(key.WriteInt(s.name, s.value)) << s.name;
    }
    void TearDown() override
    {
        PlayerGuiFixture::TearDown();
        ::unsetenv("ZYL_SETTINGS_DB");
    }

    pid_t StartPlayer(const std::string& cache)
    {
        return session_.Start(
            {"/usr/bin/env", "ZYL_SETTINGS_DB=" + database_, "XDG_CACHE_HOME=" + cache, ZYL_PLAYER});
    }

    std::vector<std::string> WindowsTitled(const std::string& wanted) { return ::WindowsTitled(session_, wanted); }

    static XSession session_;
    std::string database_;
};

XSession PlayerFogGuiTest::session_(true);

TEST_F(PlayerFogGuiTest, AbortClosesTheBoxAndLeavesNoCacheFile)
{
    const std::string cache = folder_ + "/cache";
    player_ = StartPlayer(cache);
    ASSERT_GT(player_, 0);
    ASSERT_TRUE(XSession::PollUntil([&] { return !WindowsTitled(kBoxTitle).empty(); }, 30s)) << "no box";
    const std::vector<std::string> boxes = WindowsTitled(kBoxTitle);
    ASSERT_EQ(boxes.size(), 1u);

    // The button where the box's layout puts it, clicked with the pointer.
    int32_t textWidth = 0;
    int32_t textHeight = 0;
    MeasureModelessBoxText("Creating Fog data, please wait...", textWidth, textHeight);
    const ModelessBoxLayout layout =
        FitModelessBox(ModelessBoxTemplateFor({"&Abort", "", ""}), textWidth, textHeight, DialogFontBaseUnits());
    const RasterRect& button = layout.buttons[0];
    const int32_t x = (button.left + button.right) / 2;
    const int32_t y = (button.top + button.bottom) / 2;
    session_.Run("xdotool mousemove --window " + boxes[0] + " " + std::to_string(x) + " " + std::to_string(y) +
                 " sleep 0.3 click 1");
    EXPECT_TRUE(XSession::PollUntil([&] { return WindowsTitled(kBoxTitle).empty(); }, 20s)) << "the box stays";

    // The player goes on, with its frame, and no cube was written.
    EXPECT_TRUE(XSession::PollUntil([&] { return !WindowsTitled("Zyl Player").empty(); }, 20s));
    EXPECT_FALSE(WindowsTitled("Zyl Player").empty());
    EXPECT_EQ(::kill(player_, 0), 0) << "the player ended";
    std::error_code error;
    EXPECT_FALSE(fs::exists(cache + "/Velquon/Beamvista/F256x256x256.dat", error));
    EXPECT_TRUE(!fs::exists(cache, error) || fs::is_empty(cache + "/Velquon/Beamvista", error) ||
                !fs::exists(cache + "/Velquon/Beamvista", error));
}

TEST_F(PlayerFogGuiTest, ACubeLeftAloneIsWrittenOnceAndTheNextStartShowsNoBox)
{
    const std::string cache = folder_ + "/cache";
    const fs::path written = cache + "/Velquon/Beamvista/F256x256x256.dat";
    player_ = StartPlayer(cache);
    ASSERT_GT(player_, 0);
    ASSERT_TRUE(XSession::PollUntil([&] { return !WindowsTitled(kBoxTitle).empty(); }, 30s)) << "no box";
    // A 256-cube takes seconds, many more under the sanitizers.
    EXPECT_TRUE(XSession::PollUntil([&] { return WindowsTitled(kBoxTitle).empty(); }, 180s)) << "the box stays";
    std::error_code error;
    EXPECT_EQ(fs::file_size(written, error), 16777232u);
    EXPECT_EQ(std::distance(fs::directory_iterator(written.parent_path(), error), fs::directory_iterator()), 1)
        << "a temporary file is left";
    EXPECT_EQ(session_.Stop(player_), 0);

    player_ = StartPlayer(cache);
    ASSERT_GT(player_, 0);
    // The fog is made with the first context, so a box would come before the frame or with it.
    bool boxSeen = false;
    ASSERT_TRUE(XSession::PollUntil(
        [&] {
            boxSeen = boxSeen || !WindowsTitled(kBoxTitle).empty();
            return !WindowsTitled("Zyl Player").empty();
        },
        30s));
    EXPECT_FALSE(boxSeen || XSession::PollUntil([&] { return !WindowsTitled(kBoxTitle).empty(); }, 5s))
        << "a box again";
    EXPECT_EQ(fs::file_size(written, error), 16777232u);
}

} // namespace
