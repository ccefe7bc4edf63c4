// The skinned frame of the real ZylPlayer on a private X server with a window manager, driven by
// xdotool: its window shape, the pointer's shape over its borders, the title's double click, the
// title and corner drags, the restart at the same place, the tooltips of its buttons, Ctrl+M's
// frame modes, the about box, the playback buttons and the slider's knob as their pixels show
// them, the Menu button, the SkinMin strip across a restart and the frame's own full screen.
// Points are the skin's own coordinates at the default client size of 640 x 480; the pictures an
// element shows are read from the committed skin picture.
#include "foundation/pictures/png_reader.h"
#include "platform/wx/test_support/x_session.h"
#include "shell/wx/test_support/player_gui_fixture.h"
#include "shell/wx/test_support/player_windows.h"
#include "platform/wx/test_support/pointer_shape.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr const char* kFrameTitle = "Zyl Player";

// A picture as four bytes a pixel (blue, green, red, 0), top row first.
class Picture
{
  public:
    bool Read(const std::string& path)
    {
        HImageRef image;
        if (LPngReader(false).Read(path.c_str(), nullptr, image).Failed() || image.IsEmpty())
            return false;
        width_ = image->Width();
        height_ = image->Height();
        pixels_.resize(size_t(width_) * height_);
        const HMemRef locked = image->LockPixels();
        const auto* rows = static_cast<const uint8_t*>(locked.GetData());
        for (int32_t y = 0; y < height_; ++y)
            std::memcpy(&pixels_[size_t(y) * width_], rows + size_t(y) * image->Pitch(), size_t(width_) * 4);
        return true;
    }
    uint32_t At(int32_t x, int32_t y) const { return pixels_[size_t(y) * width_ + x] & 0xFFFFFF; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }

    // Whether the width x height block at (x, y) equals the one of `other` at (fromX, fromY).
    bool SameBlock(int32_t x, int32_t y, const Picture& other, int32_t fromX, int32_t fromY, int32_t width,
                   int32_t height) const
    {
        if (x < 0 || y < 0 || x + width > width_ || y + height > height_)
            return false;
        for (int32_t row = 0; row < height; ++row)
            for (int32_t column = 0; column < width; ++column)
                if (At(x + column, y + row) != other.At(fromX + column, fromY + row))
                    return false;
        return true;
    }

  private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint32_t> pixels_;
};

// An element image of the skin picture: its state-0 source rectangle; state s lies s x (height + 4)
// rows below.
struct SkinImage
{
    int32_t x, y, width, height;
};
constexpr SkinImage kStopImage{92, 484, 40, 40};
constexpr SkinImage kPlayImage{136, 484, 40, 40};
constexpr SkinImage kPauseImage{180, 484, 40, 40};
constexpr SkinImage kKnobImage{566, 484, 13, 40};
constexpr int32_t kNormal = 0;
constexpr int32_t kHover = 1;
constexpr int32_t kDisabled = 3;

// Where the large skin puts them at 640 x 480: the buttons' and the knob's top left; the knob
// travels from the track's start over its length less its own width.
constexpr int32_t kButtonsTop = 430;
constexpr int32_t kStopLeft = 57;
constexpr int32_t kPlayLeft = 98;
constexpr int32_t kNextLeft = 139;
constexpr int32_t kTrackStart = 216;
constexpr int32_t kKnobTravel = (640 - 17) - kTrackStart - kKnobImage.width;

struct Geometry
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class SkinFrameGuiTest : public PlayerGuiFixture
{
  protected:
    SkinFrameGuiTest() : PlayerGuiFixture(session_, "zyl_skin") {}

    void SetUpCase() override
    {
        ASSERT_TRUE(skin_.Read(ZYL_SKIN_PICTURE)) << ZYL_SKIN_PICTURE;
    }

    // A still show of `seconds` made by the show generator.
    std::string MakeShow(const std::string& name, int seconds)
    {
        const std::string path = folder_ + "/" + name;
        EXPECT_EQ(session_.Run(std::string(ZYLGEN) + " --seconds " + std::to_string(seconds) +
                               " --servers 1 --channels 1 --still-circle " + path),
                  0);
        return path;
    }

    // The frame is known by its title: the player's name, and the show's while one plays.
    void StartPlayer(const std::vector<std::string>& shows = {}, const std::string& title = kFrameTitle)
    {
        std::vector<std::string> argv{"/usr/bin/env", "SDL_AUDIODRIVER=dummy", ZYL_PLAYER};
        argv.insert(argv.end(), shows.begin(), shows.end());
        player_ = session_.Start(argv);
        ASSERT_GT(player_, 0);
        ASSERT_TRUE(XSession::PollUntil([&] { return !WindowTitled(title).empty(); }, 20s)) << title;
        frame_ = WindowTitled(title);
    }

    std::string WindowTitled(const std::string& wanted) const { return ::WindowTitled(session_, wanted); }

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

    void Click(int x, int y)
    {
        const Geometry g = FrameGeometry();
        session_.Run("xdotool mousemove --sync " + std::to_string(g.x + x) + " " + std::to_string(g.y + y) +
                     " sleep 0.2 click 1 sleep 0.2 mousemove 1200 1000");
    }
    void KeysToFrame(const std::string& keys)
    {
        session_.Run("xdotool windowactivate --sync " + frame_ + " key --delay 80 " + keys);
    }

    // The frame's client area as it is on the screen now.
    Picture Shot()
    {
        const std::string path = folder_ + "/shot.png";
        Picture shot;
        if (session_.Run(std::string(ZYLSHOT) + " png " + path + " " + frame_) != 0 || !shot.Read(path))
            ADD_FAILURE() << "no screenshot of the frame";
        return shot;
    }
    // The state in which the element at (x, y) shows that image, or -1 when it shows another.
    int32_t StateShown(const Picture& shot, int32_t x, int32_t y, const SkinImage& image) const
    {
        for (int32_t state = kNormal; state <= kDisabled; ++state)
            if (shot.SameBlock(x, y, skin_, image.x, image.y + state * (image.height + 4), image.width,
                               image.height))
                return state;
        return -1;
    }
    // Enabled, with or without the pointer over it.
    bool ShowsEnabled(const Picture& shot, int32_t x, int32_t y, const SkinImage& image) const
    {
        const int32_t state = StateShown(shot, x, y, image);
        return state == kNormal || state == kHover;
    }
    // The knob's left edge on the track, or -1 where no knob is seen.
    int32_t KnobX(const Picture& shot) const
    {
        for (int32_t x = kTrackStart; x <= kTrackStart + kKnobTravel; ++x)
            if (ShowsEnabled(shot, x, kButtonsTop, kKnobImage))
                return x;
        return -1;
    }
    int32_t KnobXNow() { return KnobX(Shot()); }

    // The preview's height: the frame's largest child window.
    int PreviewHeight() const { return LargestChild(session_, frame_).height; }

    static XSession session_;
    std::string frame_;
    Picture skin_;
};

XSession SkinFrameGuiTest::session_(true);

// The skin's corners are cut out of the window; Ctrl+M goes ordinary window with menu bar, thick
// frame, borderless (all unshaped), and back to the shaped skin.
TEST_F(SkinFrameGuiTest, SkinShapesTheWindowAndCtrlMCyclesTheFrameModes)
{
    StartPlayer();
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

// The pointer tells what a press would do: the arrow over the title and the buttons, a double
// arrow over an edge, the corner shape over the sizing corner; and the arrow again over the
// preview, whichever border the pointer came from.
TEST_F(SkinFrameGuiTest, ThePointerShowsWhatTheBorderDoes)
{
    StartPlayer();
    struct Case
    {
        int x;
        int y;
        const char* shape;
    };
    for (const Case c :
         {Case{300, 15, "left_ptr"}, Case{25, 17, "left_ptr"}, Case{2, 240, "sb_h_double_arrow"},
          Case{320, 240, "left_ptr"}, Case{320, 2, "sb_v_double_arrow"}, Case{637, 240, "sb_h_double_arrow"},
          Case{628, 474, "bottom_right_corner"}, Case{600, 400, "left_ptr"},
          Case{320, 477, "sb_v_double_arrow"}}) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const Geometry g = FrameGeometry();
        // Two steps, so that the last one is a move inside the window.
        session_.Run("xdotool mousemove --sync " + std::to_string(g.x + c.x - 1) + " " +
                     std::to_string(g.y + c.y) + " mousemove --sync " + std::to_string(g.x + c.x) + " " +
                     std::to_string(g.y + c.y));
        std::string shape;
        EXPECT_TRUE(XSession::PollUntil(
            [&] { return (shape = PointerShapeName(session_.Display())) == c.shape; }, 10s))
            << shape;
    }
}

// A double click on the painted title maximises the window, as on a window manager's title bar,
// and another puts it back where it was.
TEST_F(SkinFrameGuiTest, ADoubleClickOnTheTitleMaximisesAndRestores)
{
    StartPlayer();
    const Geometry start = FrameGeometry();
    const auto doubleClickTitle = [&] {
        const Geometry g = FrameGeometry();
        session_.Run("xdotool mousemove --sync " + std::to_string(g.x + 300) + " " +
                     std::to_string(g.y + 15) +
                     " sleep 0.3 click --repeat 2 --delay 80 1 sleep 0.3 mousemove 1200 1000");
    };
    doubleClickTitle();
    Geometry shown;
    EXPECT_TRUE(XSession::PollUntil(
        [&] {
            shown = FrameGeometry();
            return shown.x == 0 && shown.y == 0 && shown.width == 1280 && shown.height == 1024;
        },
        10s))
        << shown.x << "," << shown.y << " " << shown.width << " x " << shown.height;
    // The frame toggles by the state the window manager reports, which may come after the new
    // size: a second double click before it would maximise once more.
    std::string state;
    EXPECT_TRUE(XSession::PollUntil(
        [&] {
            session_.Run("xprop -id " + frame_ + " _NET_WM_STATE", &state);
            return state.find("_NET_WM_STATE_MAXIMIZED_HORZ") != std::string::npos;
        },
        10s))
        << state;
    doubleClickTitle();
    EXPECT_TRUE(XSession::PollUntil(
        [&] {
            shown = FrameGeometry();
            return shown.x == start.x && shown.y == start.y && shown.width == 640 && shown.height == 480;
        },
        10s))
        << shown.x << "," << shown.y << " " << shown.width << " x " << shown.height;
}

// The painted title moves the window by the drag, the corner sizes it (not below 64 x 64), and a
// restart finds the window where it was left.
TEST_F(SkinFrameGuiTest, TitleDragMovesCornerDragSizesAndARestartKeepsThePlace)
{
    StartPlayer();
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
    StartPlayer();
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
    StartPlayer();
    session_.Run("xdotool windowactivate --sync " + frame_ + " key ctrl+m");
    ASSERT_TRUE(XSession::PollUntil([&] { return InShape(0, 0); }, 10s));
    // Help is the last menu; About its only item.
    session_.Run("xdotool sleep 1 key --delay 150 F10 Left Down Return");
    ASSERT_TRUE(XSession::PollUntil([&] { return !WindowTitled("About Zyl Player").empty(); }, 10s));
    session_.Run("xdotool windowactivate --sync " + WindowTitled("About Zyl Player") + " key Return");
    EXPECT_TRUE(XSession::PollUntil([&] { return WindowTitled("About Zyl Player").empty(); }, 10s));
}

// Playing: Play shows Pause and the knob moves. Play pauses: Play shows Play and the knob stays.
// A track click centres the knob under the pointer; Stop puts it at the track's start, with Stop
// greyed; Next opens the second show.
TEST_F(SkinFrameGuiTest, PlaybackButtonsAndTheTrackDriveTheShowAsTheirPixelsTell)
{
    StartPlayer({MakeShow("a.zyl", 30), MakeShow("b.zyl", 30)}, "Zyl Player - a.zyl (1 of 2)");
    ASSERT_EQ(FrameGeometry().width, 640);
    session_.Run("xdotool mousemove 1200 1000");

    EXPECT_TRUE(XSession::PollUntil([&] { return KnobXNow() > kTrackStart; }, 10s))
        << "the knob stands still";
    EXPECT_TRUE(ShowsEnabled(Shot(), kPlayLeft, kButtonsTop, kPauseImage))
        << "Play shows Pause while playing";

    Click(kPlayLeft + 20, kButtonsTop + 20);
    EXPECT_TRUE(
        XSession::PollUntil([&] { return ShowsEnabled(Shot(), kPlayLeft, kButtonsTop, kPlayImage); }, 10s))
        << "paused, Play shows Play; Pause in state "
        << StateShown(Shot(), kPlayLeft, kButtonsTop, kPauseImage);
    const int32_t pausedAt = KnobXNow();
    session_.Run("sleep 1");
    EXPECT_EQ(KnobXNow(), pausedAt) << "the knob moves while paused";

    // The knob's centre lands under the pointer: its left edge 6 pixels to the left.
    constexpr int32_t kClickX = 400;
    Click(kClickX, kButtonsTop + 20);
    int32_t knob = -1;
    EXPECT_TRUE(XSession::PollUntil([&] { return std::abs((knob = KnobXNow()) - (kClickX - 6)) <= 1; }, 10s))
        << knob;

    Click(kStopLeft + 20, kButtonsTop + 20);
    EXPECT_TRUE(XSession::PollUntil([&] { return KnobXNow() == kTrackStart; }, 10s))
        << "Stop: the knob at the start";
    const Picture stopped = Shot();
    EXPECT_EQ(StateShown(stopped, kStopLeft, kButtonsTop, kStopImage), kDisabled);
    EXPECT_TRUE(ShowsEnabled(stopped, kPlayLeft, kButtonsTop, kPlayImage));

    Click(kNextLeft + 20, kButtonsTop + 20);
    EXPECT_TRUE(
        XSession::PollUntil([&] { return !WindowTitled("Zyl Player - b.zyl (2 of 2)").empty(); }, 10s));
}

// The Menu button opens the preview's context menu: its last item, Exit, ends the player.
TEST_F(SkinFrameGuiTest, MenuButtonOpensThePreviewsContextMenu)
{
    StartPlayer();
    const Geometry g = FrameGeometry();
    session_.Run("xdotool mousemove --sync " + std::to_string(g.x + 25) + " " + std::to_string(g.y + 17) +
                 " sleep 0.3 click 1 sleep 1 key --delay 80 Up Return");
    int status = -1;
    EXPECT_TRUE(XSession::PollUntil([&] { return waitpid(player_, &status, WNOHANG) == player_; }, 10s))
        << "Exit from the menu did not end the player";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    player_ = -1;
}

// E turns the skin into the ordinary window with the SkinMin strip under the view. After a
// restart the skin is back, and Ctrl+M's ordinary window has the strip again: E then takes it
// away, so the view grows.
TEST_F(SkinFrameGuiTest, TheSkinMinStripIsKeptAcrossARestart)
{
    StartPlayer();
    KeysToFrame("e");
    ASSERT_TRUE(XSession::PollUntil([&] { return InShape(0, 0); }, 10s)) << "E leaves the skin";
    ASSERT_EQ(session_.Stop(player_), 0);
    player_ = -1;

    StartPlayer();
    EXPECT_TRUE(XSession::PollUntil([&] { return !InShape(0, 0); }, 10s)) << "the skin comes back";
    KeysToFrame("ctrl+m");
    ASSERT_TRUE(XSession::PollUntil([&] { return InShape(0, 0); }, 10s));
    session_.Run("sleep 1");
    const int withStrip = PreviewHeight();
    KeysToFrame("e");
    int withoutStrip = 0;
    EXPECT_TRUE(XSession::PollUntil([&] { return (withoutStrip = PreviewHeight()) >= withStrip + 32; }, 10s))
        << withStrip << " then " << withoutStrip;
}

// Ctrl+Alt+Enter makes the frame fill the screen without its shape; Escape brings the skinned
// 640 x 480 window back to its place.
TEST_F(SkinFrameGuiTest, FrameFullScreenAndBack)
{
    StartPlayer();
    ASSERT_TRUE(XSession::PollUntil([&] { return !InShape(0, 0); }, 10s));
    const Geometry start = FrameGeometry();
    KeysToFrame("ctrl+alt+Return");
    Geometry full;
    EXPECT_TRUE(XSession::PollUntil(
        [&] {
            full = FrameGeometry();
            return full.width == 1280 && full.height == 1024 && InShape(0, 0);
        },
        10s))
        << full.width << " x " << full.height;
    KeysToFrame("Escape");
    Geometry back;
    EXPECT_TRUE(XSession::PollUntil(
        [&] {
            back = FrameGeometry();
            return back.width == 640 && back.height == 480 && !InShape(0, 0);
        },
        10s))
        << back.width << " x " << back.height;
    EXPECT_EQ(back.x, start.x);
    EXPECT_EQ(back.y, start.y);
}

} // namespace
