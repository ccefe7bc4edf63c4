// The real zylhost with the real control library on a private X server with a window manager:
// pages read, objects embedded and shown, the command protocol on standard input and output,
// the control's menus driven by xdotool and read back with zylshot.
#include "apps/host/wx/test_support/zylhost_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace zylhost_test;

class ZylhostGuiTest : public ZylhostFixture
{
};

// The page's object comes up with its PARAMs loaded, its events reach the container, its
// properties answer through the protocol, and quitting ends the container cleanly.
TEST_F(ZylhostGuiTest, EmbedsThePagesObjectAndAnswersCommands)
{
    WritePage("<object classid=\"clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D\" width=\"320\" height=\"240\">\n"
              "  <param name=\"ForceFog\" value=\"1\">\n"
              "  <param name=\"Src\" value=\"missing.zyl\">\n"
              "</object>\n");
    StartHost();
    // Nothing to play: no laser light.
    EXPECT_EQ(ColouredPixels(), 0);
    EXPECT_EQ(Ask("get ForceFog"), "ok 1");
    EXPECT_EQ(Ask("get Url"), "ok missing.zyl");
    EXPECT_EQ(Ask("set FogIntensity 37.5"), "ok");
    EXPECT_EQ(Ask("get FogIntensity"), "ok 38");
    EXPECT_EQ(Ask("get NoSuchThing"), "error 0x80020006 unknown name NoSuchThing");
    EXPECT_EQ(Ask("call GetVersionX"), "ok 0001000000000001");
    const std::vector<std::string> lines = OutputLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "event ReadyStateChange 4"), lines.end());
    EXPECT_EQ(Ask("quit"), "ok");
    EXPECT_EQ(WaitForEnd(), 0);
}

// Two objects of two sizes (one by the control's class, one by its media type), each with its
// player: without a Frame PARAM the thin playback strip takes the bottom of the object, with
// Frame = 0 the preview fills it. Closing the window ends the container with status 0.
TEST_F(ZylhostGuiTest, TwoObjectsEachGetTheirWindowAndClosingExitsCleanly)
{
    WritePage("<object classid=\"clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D\" width=\"320\" height=\"240\"></object>\n"
              "<object type=\"application/x-velquon-zyl\" width=\"200\" height=\"150\">\n"
              "  <param name=\"Frame\" value=\"0\">\n"
              "</object>\n");
    StartHost();
    const std::string frame = WindowId("zylhost - page.html");
    EXPECT_TRUE(XSession::PollUntil(
        [&] { return HasPreview(frame, 320, 240 / 2, 240 - 1) && HasPreview(frame, 200, 150, 150); }, 20s))
        << ChildrenText(frame) << ReadFile(folder_ / "errors");
    session_.Run("xdotool windowactivate --sync " + frame + " key alt+F4");
    EXPECT_EQ(WaitForEnd(), 0);
}

// A throttled show from the page's folder starts playing before it has all arrived: while
// Loaded still rises, the position moves and the preview is lit; the download completes.
TEST_F(ZylhostGuiTest, AThrottledShowPlaysWhileItArrives)
{
    WriteThrottledPage(10);
    StartHost();
    bool earlyStart = false;
    XSession::PollUntil(
        [&] {
            const double loaded = Number("Loaded");
            earlyStart = loaded > 0 && loaded < 100 && Number("PositionF") > 0;
            return earlyStart || loaded >= 100;
        },
        40s);
    EXPECT_TRUE(earlyStart) << "the show did not play before it had arrived";
    // Channels go dark now and then: the light is looked for a while.
    EXPECT_TRUE(XSession::PollUntil([&] { return ColouredPixels() > kLitShow; }, 20s)) << "no laser light";
    EXPECT_TRUE(XSession::PollUntil([&] { return Number("Loaded") == 100; }, 30s));
    EXPECT_EQ(Ask("quit"), "ok");
    EXPECT_EQ(WaitForEnd(), 0);
}

// A hidden control keeps a new Url pending; showing it starts the load.
TEST_F(ZylhostGuiTest, AHiddenControlLoadsItsUrlOnceShown)
{
    ASSERT_EQ(session_.Run(std::string(ZYLGEN) + " --seconds 5 --servers 1 --channels 1 --form streamable '" +
                           (folder_ / "show.zyl").string() + "' >/dev/null"),
              0);
    WritePage("<object classid=\"clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D\" width=\"320\" height=\"240\"></object>\n");
    StartHost();
    EXPECT_EQ(Ask("verb -3"), "ok");
    EXPECT_EQ(Ask("set Url show.zyl"), "ok");
    EXPECT_EQ(Ask("wait 1000"), "ok");
    EXPECT_EQ(Number("Loaded"), 0);
    EXPECT_EQ(Ask("verb -1"), "ok");
    EXPECT_TRUE(XSession::PollUntil([&] { return Number("Loaded") == 100; }, 20s));
    EXPECT_EQ(Ask("quit"), "ok");
    EXPECT_EQ(WaitForEnd(), 0);
}

// The FullScreen property puts the player on the whole screen and takes it back.
TEST_F(ZylhostGuiTest, FullScreenPropertyTakesTheScreenAndGivesItBack)
{
    WritePage("<object classid=\"clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D\" width=\"320\" height=\"240\"></object>\n");
    StartHost();
    EXPECT_FALSE(CoversTheScreen());
    EXPECT_EQ(Ask("set FullScreen 1"), "ok");
    EXPECT_TRUE(XSession::PollUntil([&] { return CoversTheScreen(); }, 10s));
    EXPECT_EQ(Ask("get FullScreen"), "ok True");
    EXPECT_EQ(Ask("set FullScreen 0"), "ok");
    EXPECT_TRUE(XSession::PollUntil([&] { return !CoversTheScreen(); }, 10s));
    EXPECT_EQ(Ask("get FullScreen"), "ok False");
    EXPECT_EQ(Ask("quit"), "ok");
    EXPECT_EQ(WaitForEnd(), 0);
}

// The player's context menu while a slow download runs: Stop Loading completes the load with what
// arrived, which goes on playing; Close empties the Url; Reload fetches the last Url again.
TEST_F(ZylhostGuiTest, ContextMenuStopsLoadingClosesAndReloads)
{
    WriteThrottledPage(60);
    StartHost();
    ASSERT_TRUE(XSession::PollUntil([&] { return Number("Loaded") > 0; }, 20s));
    EXPECT_TRUE(ContextMenuKeys("l", [&] { return Number("Loaded") == 100; }));
    EXPECT_EQ(Ask("get Url"), "ok show.zyl");
    EXPECT_TRUE(ContextMenuKeys("c", [&] { return Ask("get Url") == "ok "; }));
    EXPECT_EQ(Number("Loaded"), 0);
    // Reload and Reset Properties share their mnemonic: the first press selects Reload.
    EXPECT_TRUE(ContextMenuKeys("r Return", [&] { return Ask("get Url") == "ok show.zyl" && Number("Loaded") > 0; }));
    EXPECT_EQ(Ask("quit"), "ok");
    EXPECT_EQ(WaitForEnd(), 0);
}

// The player's context menu in the control offers About as its last item; it opens the about
// box over the container, and the container quits only once the box is closed.
TEST_F(ZylhostGuiTest, ContextMenuOfThePlayerOpensTheAboutBox)
{
    WritePage("<object classid=\"clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D\" width=\"320\" height=\"240\"></object>\n");
    StartHost();
    const std::string frame = WindowId("zylhost - page.html");
    ASSERT_TRUE(XSession::PollUntil([&] { return HasPreview(frame, 320, 240 / 2, 240 - 1); }, 20s));
    ASSERT_TRUE(ContextMenuKeys("Up Return", [&] { return !WindowId("About Zyl Player").empty(); }));
    // A quit asked for under the modal box waits for it: the control is not taken down beneath it.
    Send("quit");
    session_.Run("sleep 1");
    EXPECT_FALSE(Answered()) << "answered under the about box";
    EXPECT_FALSE(WindowId("About Zyl Player").empty());
    session_.Run("xdotool key Escape");
    EXPECT_EQ(Answer(), "ok");
    EXPECT_EQ(WaitForEnd(), 0);
}

// Every command waits, in its order, for an open menu of the control to end: a property set
// beneath the player's context menu would change the control while the menu's own loop still
// works on it.
TEST_F(ZylhostGuiTest, CommandsWaitForAnOpenMenu)
{
    WritePage("<object classid=\"clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D\" width=\"320\" height=\"240\"></object>\n");
    StartHost();
    const std::string frame = WindowId("zylhost - page.html");
    ASSERT_TRUE(XSession::PollUntil([&] { return HasPreview(frame, 320, 240 / 2, 240 - 1); }, 20s));
    ASSERT_TRUE(OpenContextMenu());
    Send("set FogIntensity 40");
    Send("get FogIntensity");
    session_.Run("sleep 1");
    EXPECT_FALSE(Answered()) << "answered under the menu";
    session_.Run("xdotool key Escape");
    EXPECT_EQ(Answer(), "ok");
    EXPECT_EQ(Answer(), "ok 40");
    EXPECT_EQ(Ask("quit"), "ok");
    EXPECT_EQ(WaitForEnd(), 0);
}

// The container grows to its page once its menu bar is shown; grown, its window still lies
// wholly on the screen, wherever the window manager had placed it while it was small.
TEST_F(ZylhostGuiTest, TheGrownWindowStaysOnTheScreen)
{
    WritePage("<object classid=\"clsid:E51706C2-4EF4-4F68-A71F-FADF92E5E39D\" width=\"640\" height=\"480\"></object>\n");
    StartHost();
    const std::string frame = WindowId("zylhost - page.html");
    ASSERT_TRUE(XSession::PollUntil([&] { return HasPreview(frame, 640, 480 / 2, 480 - 1); }, 20s));
    std::string screen;
    session_.Run("xdotool getdisplaygeometry", &screen);
    int screenWidth = 0;
    int screenHeight = 0;
    std::istringstream(screen) >> screenWidth >> screenHeight;
    WindowPlace place;
    EXPECT_TRUE(XSession::PollUntil(
        [&] {
            place = PlaceOf(frame);
            return place.width >= 640 && place.height >= 480 && place.x >= 0 && place.y >= 0 &&
                   place.x + place.width <= screenWidth && place.y + place.height <= screenHeight;
        },
        10s))
        << place.width << " x " << place.height << " at " << place.x << ", " << place.y << " on " << screen;
    EXPECT_EQ(Ask("quit"), "ok");
    EXPECT_EQ(WaitForEnd(), 0);
}

} // namespace
