// The real ZylPlayer on a private X server with a window manager, driven by xdotool and read back
// with zylshot.
#include "platform/wx/test_support/x_session.h"
#include "shell/wx/test_support/player_gui_fixture.h"
#include "shell/wx/test_support/player_windows.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <string>
#include <tuple>

namespace {

using namespace std::chrono_literals;

// Limits, not expectations: a sanitized player on a machine busy with other work may take many
// seconds to show its frame or to end, and a test that gave up sooner would fail for the machine's
// sake, not the player's.
constexpr auto kStartLimit = 60s;
constexpr auto kEndLimit = 30s;
// The View menu's place on the menu bar.
constexpr int kViewMenu = 2;

class PlayerGuiTest : public PlayerGuiFixture
{
  protected:
    PlayerGuiTest() : PlayerGuiFixture(session_, "zyl_player") {}

    void SetUpCase() override
    {
        player_ = session_.Start({ZYL_PLAYER});
        ASSERT_GT(player_, 0);
        ASSERT_TRUE(XSession::PollUntil([this] { return !FrameId().empty(); }, kStartLimit))
            << "no frame titled Zyl Player";
    }

    // The frame's window id, from the titles on the screen.
    std::string FrameId() const { return WindowTitled(session_, "Zyl Player"); }

    // The preview: the frame's largest child window, as "id width height".
    bool Preview(std::string& id, int& width, int& height) const
    {
        const ShownWindow preview = LargestChild(session_, FrameId());
        if (preview.width > 0)
            id = preview.id;
        width = preview.width;
        height = preview.height;
        return width > 0;
    }

    // Chooses an item of the View menu, `downs` steps down it.
    void ChooseViewItem(int downs) { ChooseMenuItem(FrameId(), kViewMenu, downs); }

    static XSession session_;
};

XSession PlayerGuiTest::session_(true);

TEST_F(PlayerGuiTest, FrameShowsABlackPreview)
{
    std::string id;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(XSession::PollUntil([&] { return Preview(id, width, height); }, 10s));
    std::string colour;
    session_.Run(std::string(ZYLSHOT) + " pixel " + std::to_string(width / 2) + " " + std::to_string(height / 2) +
                     " " + id,
                 &colour);
    EXPECT_EQ(colour, "0 0 0\n");
}

TEST_F(PlayerGuiTest, SizeItemsMakeThePreviewExactlyThatSize)
{
    struct Case
    {
        int downs;
        int width;
        int height;
    };
    for (const Case c : {Case{1, 320, 240}, Case{4, 1024, 768}, Case{2, 640, 480}, Case{3, 800, 600}}) {
        SCOPED_TRACE(c.width);
        ChooseViewItem(c.downs);
        std::string id;
        int width = 0;
        int height = 0;
        EXPECT_TRUE(XSession::PollUntil(
            [&] { return Preview(id, width, height) && width == c.width && height == c.height; }, 10s))
            << width << " x " << height;
    }
}

// Keys reach the preview through the view: size keys, then Ctrl+C puts the picture on the X
// clipboard, where another program finds it at the preview's size.
TEST_F(PlayerGuiTest, KeysReachThePreviewThroughTheViewAndCopyReachesTheClipboard)
{
    const std::string frame = FrameId();
    for (const auto& [key, width, height] : {std::tuple{"F3", 640, 480}, std::tuple{"F2", 320, 240}}) {
        SCOPED_TRACE(key);
        session_.Run("xdotool windowactivate --sync " + frame + " key " + key);
        std::string id;
        int w = 0;
        int h = 0;
        EXPECT_TRUE(XSession::PollUntil([&] { return Preview(id, w, h) && w == width && h == height; }, 10s))
            << w << " x " << h;
    }
    session_.Run("xdotool windowactivate --sync " + frame + " key ctrl+c");
    std::string size;
    EXPECT_TRUE(XSession::PollUntil(
        [&] { return session_.Run(std::string(ZYLSHOT) + " clipboard", &size) == 0 && size == "320 240\n"; }, 10s))
        << size;
}

TEST_F(PlayerGuiTest, TerminationAndClosingExitWithZero)
{
    EXPECT_EQ(session_.Stop(player_, kEndLimit), 0);
    player_ = session_.Start({ZYL_PLAYER});
    ASSERT_TRUE(XSession::PollUntil([this] { return !FrameId().empty(); }, kStartLimit));
    session_.Run("xdotool windowactivate --sync " + FrameId() + " key alt+F4");
    int status = -1;
    EXPECT_TRUE(
        XSession::PollUntil([&] { return waitpid(player_, &status, WNOHANG) == player_; }, kEndLimit));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    player_ = -1;
}

} // namespace
