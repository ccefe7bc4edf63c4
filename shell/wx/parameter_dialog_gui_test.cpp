// The parameter dialog of the real ZylPlayer over a playing show, on a private X server with a
// window manager, driven by xdotool: P opens it, a value typed into a field changes the picture at
// once, a drag up a field raises it, and its toolbar saves, loads and resets the parameters
// through the file dialogs. What the toolbar did is read back from the parameter files the player
// wrote, with the project's reader.
#include "foundation/archives/archive_file.h"
#include "platform/dialog_units.h"
#include "platform/wx/test_support/x_session.h"
#include "preview/settings_file.h"
#include "shell/wx/test_support/player_gui_fixture.h"
#include "shell/wx/test_support/player_windows.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr const char* kFrameTitle = "Zyl Player - show.zyl";
constexpr const char* kDialogTitle = "Zyl Player Properties";

// The preview inside the skinned frame at 640 x 480 (the view's place in the skin), and the point
// where the still circle of radius 0.5 crosses the horizontal through the centre on the left:
// the centre less 0.5 x min(width, height) / 2.
constexpr int kViewLeft = 14;
constexpr int kViewTop = 34;
constexpr int kViewWidth = 640 - 14 - 14;
constexpr int kViewHeight = 480 - 34 - 61;
const int kRingX =
    int(std::lround(kViewLeft + kViewWidth / 2.0 - 0.5 - 0.5 * std::min(kViewWidth, kViewHeight) / 2.0));
constexpr int kRingY = kViewTop + kViewHeight / 2;

// The toolbar's buttons in the dialog's client area, in their order: 16 x 15 glyphs on buttons of
// the toolkit's size.
struct Point
{
    int x;
    int y;
};
constexpr Point kResetIgnoringShow{58, 20};
constexpr Point kLoad{95, 20};
constexpr Point kSave{131, 20};
// The Main panel's top left in the client area: under the toolbar and the panel's header, centred
// in the stack as wide as the widest panel (Background).
constexpr Point kMainPanel{23, 71};

// The centre of a Main panel item from its template rectangle in dialog units.
Point MainItem(const RasterRect& dialogUnits)
{
    const RasterRect pixels = ConvertDialogToPixels(dialogUnits);
    return {kMainPanel.x + (pixels.left + pixels.right) / 2, kMainPanel.y + (pixels.top + pixels.bottom) / 2};
}
const Point kLineWidth = MainItem({60, 5, 100, 17});
const Point kGraphicsIntensity = MainItem({60, 40, 100, 52});
const Point kFogIntensity = MainItem({60, 105, 100, 117});

class ParameterDialogGuiTest : public PlayerGuiFixture
{
  protected:
    ParameterDialogGuiTest() : PlayerGuiFixture(session_, "zyl_params") {}

    std::string WindowTitled(const std::string& wanted) const { return ::WindowTitled(session_, wanted); }
    bool Shown(const std::string& title, std::chrono::milliseconds limit = 20s)
    {
        return XSession::PollUntil([&] { return !WindowTitled(title).empty(); }, limit);
    }

    void KeysTo(const std::string& window, const std::string& keys)
    {
        session_.Run("xdotool windowactivate --sync " + window + " key --delay 80 " + keys);
    }
    void ClickIn(const std::string& window, Point at)
    {
        session_.Run("xdotool windowactivate --sync " + window + " mousemove --sync --window " + window +
                     " " + std::to_string(at.x) + " " + std::to_string(at.y) + " sleep 0.2 click 1");
    }
    // Replaces a field's text and commits it with Enter.
    void TypeInto(Point field, const std::string& text)
    {
        ClickIn(dialog_, field);
        session_.Run("xdotool key --delay 80 ctrl+a type --delay 80 '" + text + "'");
        session_.Run("xdotool key Return");
    }

    // A press on a field and a drag up in steps of 10 pixels, as a hand drags.
    void DragUp(Point field, int steps)
    {
        std::string command = "xdotool windowactivate --sync " + dialog_ + " mousemove --sync --window " +
                              dialog_ + " " + std::to_string(field.x) + " " + std::to_string(field.y) +
                              " sleep 0.3 mousedown 1 sleep 0.3";
        for (int step = 0; step < steps; ++step)
            command += " mousemove_relative --sync 0 -10 sleep 0.2";
        // The field puts the pointer back where the drag began when it handles the release: the
        // next click waits for that.
        session_.Run(command + " sleep 0.3 mouseup 1 sleep 2");
    }

    // The brightest green near the ring's point in the frame.
    int RingGreen()
    {
        int green = 0;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                std::string colour;
                session_.Run(std::string(ZYLSHOT) + " pixel " + std::to_string(kRingX + dx) + " " +
                                 std::to_string(kRingY + dy) + " " + frame_,
                             &colour);
                int r = 0;
                int g = 0;
                std::istringstream(colour) >> r >> g;
                green = std::max(green, g);
            }
        }
        return green;
    }
    bool RingLit()
    {
        return XSession::PollUntil([&] { return RingGreen() >= kLit; }, 10s);
    }
    bool RingDark()
    {
        return XSession::PollUntil([&] { return RingGreen() <= kDark; }, 10s);
    }

    // Runs a toolbar command that asks for a parameter file in the file dialog titled `title` and
    // types the path there; the name field needs the focus, which the dialog takes a moment after
    // it appears.
    void FileCommand(Point button, const std::string& title, const std::string& path)
    {
        ClickIn(dialog_, button);
        ASSERT_TRUE(Shown(title)) << title;
        const std::string chooser = WindowTitled(title);
        session_.Run("xdotool windowactivate --sync " + chooser + " sleep 1");
        if (title == "Open")
            session_.Run("xdotool type --delay 50 /");
        session_.Run("xdotool sleep 0.5 key --delay 50 ctrl+a type --delay 50 '" + path + "'");
        session_.Run("xdotool sleep 0.5 key Return");
        ASSERT_TRUE(XSession::PollUntil([&] { return WindowTitled(title).empty(); }, 10s))
            << title << " stays";
    }
    // The parameters a file the player saved holds.
    LBeamvistaPars SavedParameters(const std::string& path)
    {
        LSettingsFileContent content;
        EXPECT_TRUE(XSession::PollUntil([&] { return std::filesystem::exists(path); }, 10s)) << path;
        LArchiveFile file(path.c_str(), kArchiveFileRead, true);
        EXPECT_TRUE(ReadSettingsFile(file, content)) << path;
        return content.pars;
    }
    float SavedFogIntensity(const std::string& name)
    {
        const std::string path = folder_ + "/" + name;
        FileCommand(kSave, "Save As", path);
        return SavedParameters(path).o_fog_intensity;
    }

    static constexpr int kLit = 100;
    static constexpr int kDark = 20;
    static XSession session_;
    std::string frame_;
    std::string dialog_;
};

XSession ParameterDialogGuiTest::session_(true);

TEST_F(ParameterDialogGuiTest, PropertiesChangeTheShowLiveAndSaveLoadAndResetThroughTheToolbar)
{
    const std::string show = folder_ + "/show.zyl";
    ASSERT_EQ(
        session_.Run(std::string(ZYLGEN) + " --seconds 60 --servers 1 --channels 1 --still-circle " + show),
        0);
    player_ = session_.Start({"/usr/bin/env", "SDL_AUDIODRIVER=dummy", ZYL_PLAYER, show});
    ASSERT_GT(player_, 0);
    ASSERT_TRUE(Shown(kFrameTitle));
    frame_ = WindowTitled(kFrameTitle);
    ASSERT_TRUE(RingLit()) << "the circle is not where it should be";

    KeysTo(frame_, "p");
    ASSERT_TRUE(Shown(kDialogTitle));
    dialog_ = WindowTitled(kDialogTitle);
    std::filesystem::create_directories(ZYL_SHOTS);
    session_.Run(std::string(ZYLSHOT) + " png " + ZYL_SHOTS + "/main.png " + dialog_);
    // Off the frame, so that the picture can be read.
    session_.Run("xdotool windowmove --sync " + dialog_ + " 760 80");

    TypeInto(kGraphicsIntensity, "0");
    EXPECT_TRUE(RingDark()) << "graphics intensity 0 leaves the circle lit";
    TypeInto(kGraphicsIntensity, "1");
    EXPECT_TRUE(RingLit()) << "graphics intensity 1 leaves the circle dark";

    // A drag up a field raises its value, and the toolbar still answers after it.
    DragUp(kLineWidth, 4);
    TypeInto(kFogIntensity, "0.5");
    const std::string saved = folder_ + "/half.zyp";
    ASSERT_NO_FATAL_FAILURE(FileCommand(kSave, "Save As", saved));
    const LBeamvistaPars half = SavedParameters(saved);
    EXPECT_FLOAT_EQ(half.o_fog_intensity, 0.5f);
    EXPECT_FLOAT_EQ(half.o_graphics_intensity, 1.0f);
    EXPECT_GT(half.o_line_width, BeamvistaDefaultPars().o_line_width);

    TypeInto(kFogIntensity, "0.7");
    EXPECT_FLOAT_EQ(SavedFogIntensity("seven.zyp"), 0.7f);
    ASSERT_NO_FATAL_FAILURE(FileCommand(kLoad, "Open", saved));
    EXPECT_FLOAT_EQ(SavedFogIntensity("loaded.zyp"), 0.5f) << "Load did not bring the saved value back";

    ClickIn(dialog_, kResetIgnoringShow);
    EXPECT_FLOAT_EQ(SavedFogIntensity("reset.zyp"), 1.0f) << "the reset kept the loaded value";

    // Enter leaves the dialog open; its close box only hides it, and P brings it back.
    KeysTo(dialog_, "Return");
    EXPECT_FALSE(WindowTitled(kDialogTitle).empty()) << "Enter closed the dialog";
    KeysTo(dialog_, "alt+F4");
    EXPECT_TRUE(XSession::PollUntil([&] { return WindowTitled(kDialogTitle).empty(); }, 10s));
    KeysTo(frame_, "p");
    EXPECT_TRUE(Shown(kDialogTitle)) << "P does not bring the dialog back";

    // Quitting with the dialog open ends the player cleanly.
    KeysTo(frame_, "alt+F4");
    int status = -1;
    EXPECT_TRUE(XSession::PollUntil([&] { return waitpid(player_, &status, WNOHANG) == player_; }, 20s));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    player_ = -1;
}

} // namespace
