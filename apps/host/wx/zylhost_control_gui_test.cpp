// The control as a page holds it, inside the real zylhost: what its player shows, what it leaves
// to the page, and how it ends with the page while a show still arrives.
#include "apps/host/wx/test_support/zylhost_fixture.h"
#include "shell/wx/test_support/player_windows.h"
#include "shell/wx/test_support/still_circle.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace zylhost_test;

// A bare preview (Frame = 0) fills its object.
constexpr int kObjectWidth = 320;
constexpr int kObjectHeight = 240;
// Wheel notches sent towards the player: far more than enough to move a zoomed ring off its place.
constexpr int kWheelNotches = 5;

class ZylhostControlGuiTest : public ZylhostFixture
{
  protected:
    // A page whose one bare control plays show.zyl, a still circle made beside it.
    void WriteStillCirclePage()
    {
        ASSERT_EQ(session_.Run(std::string(ZYLGEN) + " --seconds 30 --servers 1 --channels 1 --still-circle '" +
                               (folder_ / "show.zyl").string() + "' >/dev/null"),
                  0);
        WritePage("<object classid=\"clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D\" width=\"" +
                  std::to_string(kObjectWidth) + "\" height=\"" + std::to_string(kObjectHeight) +
                  "\">\n"
                  "  <param name=\"Frame\" value=\"0\">\n"
                  "  <param name=\"Src\" value=\"show.zyl\">\n"
                  "</object>\n");
    }
    // Starts the container on the still-circle page and finds its frame and the bare preview in it.
    void StartStillCircleHost(std::string& frame, std::string& preview)
    {
        ASSERT_NO_FATAL_FAILURE(WriteStillCirclePage());
        StartHost();
        frame = WindowId("zylhost - page.html");
        ASSERT_TRUE(XSession::PollUntil([&] { return !(preview = Preview(frame)).empty(); }, 20s))
            << ChildrenText(frame);
    }
    // The bare preview's window inside the container's frame; empty until it is there.
    std::string Preview(const std::string& frame) const
    {
        for (const auto& [id, width, height] : Children(frame)) {
            if (width == kObjectWidth && height == kObjectHeight) {
                return id;
            }
        }
        return {};
    }
    // Whether the still circle lies on its ring in the preview within the limit; why not, when not.
    bool CircleShown(const std::string& preview, std::string& why)
    {
        WindowPixels pixels;
        const std::string file = (folder_ / "preview.png").string();
        return XSession::PollUntil(
            [&] { return pixels.Grab(session_, preview, file) && StillCircleShown(pixels, why); }, 20s);
    }
};

// The show's first frame is drawn as soon as the control has it: the circle lies on the ring the
// renderer's geometry gives for the object's size, around a black centre.
TEST_F(ZylhostControlGuiTest, TheFirstFrameOfTheShowIsLitWhereItsPointsLie)
{
    std::string frame, preview;
    ASSERT_NO_FATAL_FAILURE(StartStillCircleHost(frame, preview));
    std::string why;
    EXPECT_TRUE(CircleShown(preview, why)) << why;
    EXPECT_EQ(Ask("quit"), "ok");
    EXPECT_EQ(WaitForEnd(), 0);
}

// The wheel belongs to the page around the control: turned over the player it zooms nothing, so
// the circle stays on its ring.
TEST_F(ZylhostControlGuiTest, TheWheelOverThePlayerLeavesThePictureAsItIs)
{
    std::string frame, preview;
    ASSERT_NO_FATAL_FAILURE(StartStillCircleHost(frame, preview));
    std::string why;
    ASSERT_TRUE(CircleShown(preview, why)) << why;

    const std::string centre = std::to_string(kObjectWidth / 2) + " " + std::to_string(kObjectHeight / 2);
    for (const char* button : {"4", "5"}) {
        session_.Run("xdotool windowactivate --sync " + frame + " mousemove --sync --window " + preview + " " + centre +
                     " click --repeat " + std::to_string(kWheelNotches) + " --delay 50 " + button);
        // The picture has had time to follow a zoom, had there been one.
        EXPECT_EQ(Ask("wait 1000"), "ok");
        EXPECT_TRUE(CircleShown(preview, why)) << why << " after wheel button " << button;
    }
    EXPECT_EQ(Ask("quit"), "ok");
    EXPECT_EQ(WaitForEnd(), 0);
}

// Closing the page while a throttled show still arrives stops the download and ends the
// container by itself, with status 0.
TEST_F(ZylhostControlGuiTest, ClosingThePageMidDownloadEndsCleanly)
{
    WriteThrottledPage(60);
    StartHost();
    ASSERT_TRUE(XSession::PollUntil(
        [&] {
            const double loaded = Number("Loaded");
            return loaded > 0 && loaded < 100;
        },
        20s));
    const std::string frame = WindowId("zylhost - page.html");
    session_.Run("xdotool windowactivate --sync " + frame + " key alt+F4");
    EXPECT_TRUE(EndsWithin(20s)) << ReadFile(folder_ / "errors");
    EXPECT_EQ(WaitForEnd(), 0) << ReadFile(folder_ / "errors");
}

} // namespace
