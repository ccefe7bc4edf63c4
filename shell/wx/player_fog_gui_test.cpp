// The real ZylPlayer meeting three-dimensional fog for the first time on a machine: the stored
// OpenGL choice asks for it, no noise cache file exists, so the noise cube is computed under the
// "Beam Vista" box. Its "&Abort", clicked with the mouse, closes it: the player draws on with flat
// fog and no cache file is left behind.
#include "controls/modeless_box_layout.h"
#include "foundation/registry/reg_key.h"
#include "platform/wx/test_support/x_session.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using namespace std::chrono_literals;

constexpr const char* kBoxTitle = "Beam Vista";

class PlayerFogGuiTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.Ok()) << session_.Error();
        std::string pattern = (fs::temp_directory_path() / "zyl_fog_XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
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
        if (player_ > 0)
            session_.Stop(player_);
        ::unsetenv("ZYL_SETTINGS_DB");
        std::error_code error;
        fs::remove_all(folder_, error);
    }

    std::vector<std::string> WindowsTitled(const std::string& wanted)
    {
        return session_.WindowsTitled(ZYLSHOT, wanted);
    }

    static XSession session_;
    std::string folder_;
    std::string database_;
    pid_t player_ = -1;
};

XSession PlayerFogGuiTest::session_(true);

TEST_F(PlayerFogGuiTest, AbortClosesTheBoxAndLeavesNoCacheFile)
{
    const std::string cache = folder_ + "/cache";
    player_ = session_.Start({"/usr/bin/env", "ZYL_SETTINGS_DB=" + database_, "XDG_CACHE_HOME=" + cache, ZYL_PLAYER});
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

} // namespace
