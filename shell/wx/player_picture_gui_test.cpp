// What the real ZylPlayer puts on the screen of a private X server: a generated show's still
// circle lies on the ring that the renderer's geometry computes for the preview's size, around a
// black centre; Ctrl+Alt+W writes that picture as a BMP file below the temporary folder, named
// after the show.
#include "platform/wx/test_support/x_session.h"
#include "shell/wx/test_support/player_gui_fixture.h"
#include "shell/wx/test_support/player_windows.h"
#include "shell/wx/test_support/still_circle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

namespace {

using namespace std::chrono_literals;

constexpr const char* kFrameTitle = "Zyl Player - circle.zyl";

class PlayerPictureGuiTest : public PlayerGuiFixture
{
  protected:
    PlayerPictureGuiTest() : PlayerGuiFixture(session_, "zyl_picture") {}

    void StartPlayerWith(const std::string& name, const std::string& options)
    {
        const std::string show = folder_ + "/" + name;
        ASSERT_EQ(session_.Run(std::string(ZYLGEN) + " " + options + " " + show), 0);
        player_ = session_.Start({"/usr/bin/env", "SDL_AUDIODRIVER=dummy", "TMPDIR=" + folder_, ZYL_PLAYER, show});
        ASSERT_GT(player_, 0);
    }

    static XSession session_;
};

XSession PlayerPictureGuiTest::session_(true);

TEST_F(PlayerPictureGuiTest, AStillCircleLiesOnItsRingAroundABlackCentreAndCtrlAltWWritesIt)
{
    StartPlayerWith("circle.zyl", "--seconds 30 --servers 1 --channels 1 --still-circle");
    ASSERT_TRUE(XSession::PollUntil([&] { return WindowsTitled(session_, kFrameTitle).size() == 1; }, 20s));
    const std::string frame = WindowsTitled(session_, kFrameTitle)[0];
    ShownWindow preview;
    ASSERT_TRUE(XSession::PollUntil([&] { return (preview = LargestChild(session_, frame)).width > 0; }, 10s));

    WindowPixels pixels;
    std::string why;
    const std::string file = folder_ + "/preview.png";
    EXPECT_TRUE(XSession::PollUntil(
        [&] { return pixels.Grab(session_, preview.id, file) && StillCircleShown(pixels, why); }, 20s))
        << why << " of a " << preview.width << " x " << preview.height << " preview";

    // The snapshot at the preview's size, in that size's folder, named after the show and its time.
    session_.Run("xdotool windowactivate --sync " + frame + " key ctrl+alt+w");
    const std::string size = std::to_string(preview.width) + "x" + std::to_string(preview.height);
    const std::filesystem::path sizeFolder = folder_ + "/Beamvista/Bmp/" + size;
    std::string snapshot;
    ASSERT_TRUE(XSession::PollUntil(
        [&] {
            std::error_code error;
            // The writer's temporary file comes first and is renamed.
            for (const auto& entry : std::filesystem::directory_iterator(sizeFolder, error))
                if (entry.path().extension() == ".bmp")
                    snapshot = entry.path().filename().string();
            return !snapshot.empty();
        },
        10s))
        << "nothing in " << sizeFolder;
    EXPECT_EQ(snapshot.rfind("circle-1.00.", 0), 0u) << snapshot;
    EXPECT_TRUE(snapshot.ends_with("-" + size + ".bmp")) << snapshot;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(sizeFolder), {}), 1);
    WindowPixels written;
    ASSERT_TRUE(XSession::PollUntil([&] { return written.LoadBmp((sizeFolder / snapshot).string()); }, 5s));
    EXPECT_EQ(written.Width(), preview.width);
    EXPECT_EQ(written.Height(), preview.height);
    EXPECT_TRUE(StillCircleShown(written, why)) << why << " in the snapshot";
}

} // namespace
