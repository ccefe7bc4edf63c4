// The skinned frame of the real ZylPlayer on a private X server with a window manager, driven by
// xdotool: its window shape, the title and corner drags, the restart at the same place, the
// tooltips of its buttons, Ctrl+M's frame modes and the about box. Points are the skin's own
// coordinates at the default client size of 640 x 480.
#include "platform/wx/test_support/x_session.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr const char* kFrameTitle = "Zyl Player";

struct Geometry
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class SkinFrameGuiTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.Ok()) << session_.Error();
        StartPlayer();
    }
    void TearDown() override
    {
        if (player_ > 0)
            session_.Stop(player_);
    }

    void StartPlayer()
    {
        player_ = session_.Start({ZYL_PLAYER});
        ASSERT_GT(player_, 0);
        ASSERT_TRUE(XSession::PollUntil([this] { return !WindowTitled(kFrameTitle).empty(); }, 20s));
        frame_ = WindowTitled(kFrameTitle);
    }

    std::string WindowTitled(const std::string& wanted)
    {
        std::string titles;
        session_.Run(std::string(ZYLSHOT) + " titles", &titles);
        std::istringstream lines(titles);
        std::string id;
        std::string title;
        while (lines >> id && std::getline(lines, title)) {
            if (title == " " + wanted)
                return id;
        }
        return {};
    }

    Geometry FrameGeometry()
    {
        std::string shell;
        session_.Run("xdotool getwindowgeometry --shell " + frame_, &shell);
        Geometry g;
        std::istringstream lines(shell);
        std::string line;
        while (std::getline(lines, line)) {
            const size_t equals = line.find('=');
            if (equals == std::string::npos)
                continue;
            const std::string key = line.substr(0, equals);
            const int value = std::atoi(line.c_str() + equals + 1);
            if (key == "X")
                g.x = value;
            else if (key == "Y")
                g.y = value;
            else if (key == "WIDTH")
                g.width = value;
            else if (key == "HEIGHT")
                g.height = value;
        }
        return g;
    }

    bool InShape(int x, int y)
    {
        std::string answer;
        return session_.Run(std::string(ZYLSHOT) + " inshape " + std::to_string(x) + " " + std::to_string(y) + " " +
                                frame_,
                            &answer) == 0 &&
               answer == "in\n";
    }

    // A left drag from a point of the frame by (dx, dy), in steps as a hand moves.
    void Drag(int x, int y, int dx, int dy)
    {
        const Geometry g = FrameGeometry();
        const int fromX = g.x + x;
        const int fromY = g.y + y;
        std::string command = "xdotool mousemove --sync " + std::to_string(fromX) + " " + std::to_string(fromY) +
                              " sleep 0.3 mousedown 1 sleep 0.3";
        constexpr int kSteps = 5;
        for (int step = 1; step <= kSteps; ++step) {
            command += " mousemove --sync " + std::to_string(fromX + dx * step / kSteps) + " " +
                       std::to_string(fromY + dy * step / kSteps) + " sleep 0.1";
        }
        session_.Run(command + " sleep 0.3 mouseup 1");
    }

    // The tooltips on the screen as "x y width height".
    std::vector<Geometry> Tooltips()
    {
        std::string listed;
        session_.Run(std::string(ZYLSHOT) + " tooltips", &listed);
        std::istringstream lines(listed);
        std::vector<Geometry> tips;
        std::string id;
        Geometry g;
        while (lines >> id >> g.x >> g.y >> g.width >> g.height)
            tips.push_back(g);
        return tips;
    }

    // Hovers a point of the frame until a tooltip shows; its width, or 0 when none showed.
    int TooltipWidthAt(int x, int y)
    {
        const Geometry g = FrameGeometry();
        session_.Run("xdotool mousemove --sync " + std::to_string(g.x + x - 3) + " " + std::to_string(g.y + y) +
                     " sleep 0.2 mousemove --sync " + std::to_string(g.x + x) + " " + std::to_string(g.y + y));
        std::vector<Geometry> tips;
        XSession::PollUntil([&] { return (tips = Tooltips()).size() == 1; }, 10s);
        return tips.size() == 1 ? tips[0].width : 0;
    }

    static XSession session_;
    pid_t player_ = -1;
    std::string frame_;
};

XSession SkinFrameGuiTest::session_(true);

// The skin's corners are cut out of the window; Ctrl+M goes ordinary window with menu bar, thick
// frame, borderless (all unshaped), and back to the shaped skin.
TEST_F(SkinFrameGuiTest, SkinShapesTheWindowAndCtrlMCyclesTheFrameModes)
{
    EXPECT_TRUE(XSession::PollUntil([&] { return !InShape(0, 0); }, 10s)) << "the corner is part of the window";
    EXPECT_TRUE(InShape(320, 240));
    EXPECT_TRUE(InShape(13, 0));
    for (int step = 1; step <= 3; ++step) {
        SCOPED_TRACE(step);
        session_.Run("xdotool windowactivate --sync " + frame_ + " key ctrl+m");
        EXPECT_TRUE(XSession::PollUntil([&] { return InShape(0, 0); }, 10s));
    }
    session_.Run("xdotool windowactivate --sync " + frame_ + " key ctrl+m");
    EXPECT_TRUE(XSession::PollUntil([&] { return !InShape(0, 0); }, 10s)) << "the skin did not come back";
}

// The painted title moves the window by the drag, the corner sizes it (not below 64 x 64), and a
// restart finds the window where it was left.
TEST_F(SkinFrameGuiTest, TitleDragMovesCornerDragSizesAndARestartKeepsThePlace)
{
    const Geometry start = FrameGeometry();
    ASSERT_EQ(start.width, 640);
    ASSERT_EQ(start.height, 480);
    Drag(300, 15, 60, 40);
    Geometry moved;
    EXPECT_TRUE(XSession::PollUntil(
        [&] {
            moved = FrameGeometry();
            return moved.x == start.x + 60 && moved.y == start.y + 40;
        },
        10s))
        << moved.x << "," << moved.y << " from " << start.x << "," << start.y;

    // The corner inside the rounded shape.
    Drag(628, 474, 50, 30);
    Geometry sized;
    EXPECT_TRUE(XSession::PollUntil(
        [&] {
            sized = FrameGeometry();
            return sized.width == 690 && sized.height == 510;
        },
        10s))
        << sized.width << " x " << sized.height;
    EXPECT_EQ(sized.x, moved.x);
    EXPECT_EQ(sized.y, moved.y);

    Drag(678, 504, -900, -700);
    EXPECT_TRUE(XSession::PollUntil(
        [&] {
            sized = FrameGeometry();
            return sized.width == 64 && sized.height == 64;
        },
        10s))
        << sized.width << " x " << sized.height;

    ASSERT_EQ(session_.Stop(player_), 0);
    player_ = -1;
    StartPlayer();
    const Geometry again = FrameGeometry();
    EXPECT_EQ(again.x, moved.x);
    EXPECT_EQ(again.y, moved.y);
}

// Hovering a button shows its tooltip, and another button's differs: "Open File" needs a wider one
// than "Menu". (Without a show the playback buttons are disabled and show none.)
TEST_F(SkinFrameGuiTest, HoveringAButtonShowsItsTooltip)
{
    const int menu = TooltipWidthAt(25, 17);
    EXPECT_GT(menu, 0) << "no tooltip over Menu";
    session_.Run("xdotool mousemove 1000 900");
    ASSERT_TRUE(XSession::PollUntil([&] { return Tooltips().empty(); }, 10s));
    const int openFile = TooltipWidthAt(47, 17);
    EXPECT_GT(openFile, menu);
    session_.Run("xdotool mousemove 1000 900");
    ASSERT_TRUE(XSession::PollUntil([&] { return Tooltips().empty(); }, 10s));
    EXPECT_EQ(TooltipWidthAt(118, 450), 0) << "a tooltip over the disabled Play";
}

// The about box opens from the main menu and OK closes it.
TEST_F(SkinFrameGuiTest, AboutBoxOpensFromTheMenuAndClosesWithOk)
{
    session_.Run("xdotool windowactivate --sync " + frame_ + " key ctrl+m");
    ASSERT_TRUE(XSession::PollUntil([&] { return InShape(0, 0); }, 10s));
    // Help is the last menu; About its only item.
    session_.Run("xdotool sleep 1 key --delay 150 F10 Left Down Return");
    ASSERT_TRUE(XSession::PollUntil([&] { return !WindowTitled("About Zyl Player").empty(); }, 10s));
    session_.Run("xdotool windowactivate --sync " + WindowTitled("About Zyl Player") + " key Return");
    EXPECT_TRUE(XSession::PollUntil([&] { return WindowTitled("About Zyl Player").empty(); }, 10s));
}

} // namespace
