// The playback bar of the real ZylPlayer on a private X server with a window manager, reached as
// a user reaches it: Alt+Enter puts the preview into its own full-screen window, where E opens the
// bar. Its Play, Stop and slider, used with the pointer, drive the show, and its own thumb follows
// the show's position; it only grows sideways, its buttons where the template puts them.
#include "platform/dialog_units.h"
#include "platform/wx/test_support/x_session.h"
#include "preview/playback_bar_template.h"
#include "shell/wx/test_support/player_gui_fixture.h"
#include "shell/wx/test_support/player_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr const char* kFrameTitle = "Zyl Player - a.zyl";
// The caption of the preview's own full-screen window.
constexpr const char* kPreviewTitle = "Beam Vista";
constexpr int32_t kShowSeconds = 60;

RasterRect ItemPixels(int32_t id)
{
    for (const PlaybackBarItem& item : PlaybackBarTemplate::Items()) {
        if (item.id == id)
            return ConvertDialogToPixels({item.x, item.y, item.x + item.width, item.y + item.height});
    }
    return {};
}

class PlaybackBarGuiTest : public PlayerGuiFixture
{
  protected:
    PlaybackBarGuiTest() : PlayerGuiFixture(session_, "zyl_bar") {}

    void SetUpCase() override
    {
        const std::string show = folder_ + "/a.zyl";
        ASSERT_EQ(session_.Run(std::string(ZYLGEN) + " --seconds " + std::to_string(kShowSeconds) +
                               " --servers 1 --channels 1 " + show),
                  0);
        player_ = session_.Start({"/usr/bin/env", "SDL_AUDIODRIVER=dummy", ZYL_PLAYER, show});
        ASSERT_GT(player_, 0);
        ASSERT_TRUE(XSession::PollUntil([this] { return Windows(kFrameTitle).size() == 1; }, 20s));
        frame_ = Windows(kFrameTitle)[0];
    }

    std::vector<std::string> Windows(const std::string& title) const { return WindowsTitled(session_, title); }

    // The bar: a window with the show's title that is not the frame.
    std::string Bar() const
    {
        for (const std::string& id : Windows(kFrameTitle)) {
            if (id != frame_)
                return id;
        }
        return {};
    }

    bool SizeOf(const std::string& id, int& width, int& height) const
    {
        std::string output;
        if (session_.Run(std::string(ZYLSHOT) + " size " + id, &output) != 0)
            return false;
        std::istringstream(output) >> width >> height;
        return width > 0 && height > 0;
    }

    // Where the slider's thumb stands, as a fraction of the slider's width: the middle of the
    // columns that differ from the bar's background a little above the track, where only the
    // thumb reaches. The track is the row of the slider where most columns differ.
    std::optional<double> ThumbFraction(const std::string& bar)
    {
        WindowPixels pixels;
        if (!pixels.Grab(session_, bar, folder_ + "/bar.png"))
            return std::nullopt;
        const RasterRect slider = ItemPixels(PlaybackBarTemplate::kSliderId);
        const auto background = pixels.At(slider.left, slider.top);
        const auto differs = [&](int32_t x, int32_t y) { return Contrasts(pixels.At(x, y), background); };
        int32_t track = -1;
        int32_t most = 0;
        for (int32_t y = slider.top; y < slider.bottom; ++y) {
            int32_t count = 0;
            for (int32_t x = slider.left; x < slider.right; ++x)
                count += differs(x, y) ? 1 : 0;
            if (count > most) {
                most = count;
                track = y;
            }
        }
        int64_t sum = 0;
        int32_t count = 0;
        for (int32_t x = slider.left; x < slider.right; ++x) {
            if (track >= 0 && differs(x, track - kAboveTrack)) {
                sum += x;
                ++count;
            }
        }
        if (count == 0)
            return std::nullopt;
        return (static_cast<double>(sum) / count - slider.left) / (slider.right - slider.left);
    }

    // Clicks the middle of a template item of the bar.
    void Click(const std::string& bar, int32_t id)
    {
        const RasterRect r = ItemPixels(id);
        session_.Run("xdotool mousemove --window " + bar + " " + std::to_string((r.left + r.right) / 2) + " " +
                     std::to_string((r.top + r.bottom) / 2) + " sleep 0.2 click 1");
    }

    // Drags the thumb with the pointer from where it stands to a fraction of the slider, in steps.
    void DragThumb(const std::string& bar, double from, double to)
    {
        const RasterRect r = ItemPixels(PlaybackBarTemplate::kSliderId);
        const int32_t y = (r.top + r.bottom) / 2;
        const auto x = [&r](double f) { return r.left + static_cast<int32_t>(f * (r.right - r.left)); };
        std::string command = "xdotool mousemove --window " + bar + " " + std::to_string(x(from)) + " " +
                              std::to_string(y) + " sleep 0.2 mousedown 1";
        constexpr int kSteps = 8;
        for (int step = 1; step <= kSteps; ++step)
            command += " sleep 0.05 mousemove --window " + bar + " " +
                       std::to_string(x(from + (to - from) * step / kSteps)) + " " + std::to_string(y);
        session_.Run(command + " sleep 0.2 mouseup 1");
    }

    // The first row, from a little above a button's place down, whose pixel in the button's
    // middle column differs from the bar's background there: the button's top edge as drawn.
    int32_t TopEdgeOf(const WindowPixels& pixels, int32_t id, int32_t shiftX = 0)
    {
        const RasterRect r = ItemPixels(id);
        const int32_t x = (r.left + r.right) / 2 + shiftX;
        const auto background = pixels.At(x, r.top - kEdgeSearch);
        for (int32_t y = r.top - kEdgeSearch; y < r.bottom + kEdgeSearch; ++y) {
            if (Contrasts(pixels.At(x, y), background))
                return y;
        }
        return -1;
    }

    // Whether two colours differ by more than the bar's gradients do: a drawn edge between them.
    static bool Contrasts(const std::array<int, 3>& colour, const std::array<int, 3>& background)
    {
        int difference = 0;
        for (int c = 0; c < 3; ++c)
            difference += std::abs(colour[c] - background[c]);
        return difference > kEdgeContrast;
    }

    static constexpr int32_t kEdgeSearch = 4;
    static constexpr int32_t kAboveTrack = 5;
    static constexpr int kEdgeContrast = 30;
    static XSession session_;
    std::string frame_;
};

XSession PlaybackBarGuiTest::session_(true);

TEST_F(PlaybackBarGuiTest, FromFullScreenEOpensTheBarWhosePlayStopAndSliderDriveTheShow)
{
    session_.Run("xdotool windowactivate --sync " + frame_ + " key alt+Return");
    ASSERT_TRUE(XSession::PollUntil([&] { return Windows(kPreviewTitle).size() == 1; }, 10s)) << "no full screen";
    const std::string fullScreen = Windows(kPreviewTitle)[0];
    session_.Run("xdotool windowactivate --sync " + fullScreen + " key e");
    std::string bar;
    ASSERT_TRUE(XSession::PollUntil([&] { return !(bar = Bar()).empty(); }, 10s)) << "no bar";

    // Playing: the thumb moves on with the show.
    session_.Run("sleep 0.5");
    std::optional<double> before;
    ASSERT_TRUE(XSession::PollUntil([&] { return (before = ThumbFraction(bar)).has_value(); }, 10s));
    std::optional<double> later;
    EXPECT_TRUE(XSession::PollUntil([&] { return (later = ThumbFraction(bar)) && *later > *before; }, 10s));

    // Stop: back to the start, and it stays there.
    Click(bar, 2265);
    std::optional<double> stopped;
    ASSERT_TRUE(XSession::PollUntil([&] { return (stopped = ThumbFraction(bar)) && *stopped < *before; }, 10s))
        << "not stopped";
    session_.Run("sleep 2");
    EXPECT_EQ(ThumbFraction(bar), stopped) << "moves on";

    // Play: on from the start.
    Click(bar, 2264);
    EXPECT_TRUE(XSession::PollUntil([&] { return (before = ThumbFraction(bar)) && *before > *stopped; }, 10s))
        << "not playing";
    ASSERT_TRUE(before.has_value());
    EXPECT_LT(*before, 0.2);

    // The thumb dragged to three quarters: the show goes there, so the position it reports keeps
    // the thumb there and moves it on.
    DragThumb(bar, *before, 0.75);
    session_.Run("sleep 1");
    ASSERT_TRUE(XSession::PollUntil([&] { return (later = ThumbFraction(bar)) && *later > 0.7; }, 5s))
        << (later ? *later : -1.0);
    EXPECT_LT(*later, 0.85);
    EXPECT_TRUE(XSession::PollUntil([&] { return ThumbFraction(bar).value_or(0) > *later; }, 10s)) << *later;
}

TEST_F(PlaybackBarGuiTest, TheBarGrowsSidewaysOnlyWithPrevAndNextKeepingToTheRightEdge)
{
    session_.Run("xdotool windowactivate --sync " + frame_ + " key alt+Return");
    ASSERT_TRUE(XSession::PollUntil([&] { return Windows(kPreviewTitle).size() == 1; }, 10s)) << "no full screen";
    session_.Run("xdotool windowactivate --sync " + Windows(kPreviewTitle)[0] + " key e");
    std::string bar;
    ASSERT_TRUE(XSession::PollUntil([&] { return !(bar = Bar()).empty(); }, 10s)) << "no bar";

    const RasterRect made =
        ConvertDialogToPixels({0, 0, PlaybackBarTemplate::kWidthUnits, PlaybackBarTemplate::kHeightUnits});
    int width = 0;
    int height = 0;
    ASSERT_TRUE(SizeOf(bar, width, height));
    EXPECT_EQ(width, made.right);
    EXPECT_EQ(height, made.bottom);
    // Every button of the bottom row stands where its template puts it, once the bar is drawn.
    WindowPixels pixels;
    int32_t row = -1;
    ASSERT_TRUE(XSession::PollUntil(
        [&] { return pixels.Grab(session_, bar, folder_ + "/bar.png") && (row = TopEdgeOf(pixels, 2264)) >= 0; },
        10s));
    for (const int32_t id : {2265, 2268, 2269, 2266, 2267})
        EXPECT_EQ(TopEdgeOf(pixels, id), row) << id;

    // Neither narrower nor taller nor lower; wider it may be, Prev and Next moving with the edge.
    session_.Run("xdotool windowsize --sync " + bar + " 100 200");
    int w = 0;
    int h = 0;
    XSession::PollUntil([&] { return SizeOf(bar, w, h) && w == width && h == height; }, 3s);
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
    constexpr int32_t kWider = 200;
    session_.Run("xdotool windowsize --sync " + bar + " " + std::to_string(width + kWider) + " 10");
    EXPECT_TRUE(XSession::PollUntil([&] { return SizeOf(bar, w, h) && w == width + kWider; }, 5s)) << w;
    EXPECT_EQ(h, height);
    EXPECT_TRUE(XSession::PollUntil(
        [&] {
            return pixels.Grab(session_, bar, folder_ + "/bar.png") && TopEdgeOf(pixels, 2264) == row &&
                   TopEdgeOf(pixels, 2266, kWider) == row && TopEdgeOf(pixels, 2267, kWider) == row;
        },
        5s))
        << TopEdgeOf(pixels, 2266, kWider) << " " << TopEdgeOf(pixels, 2267, kWider) << " against " << row;

    // The close box hides it; E shows the same bar again.
    session_.Run("xdotool windowactivate --sync " + bar + " key alt+F4");
    EXPECT_TRUE(XSession::PollUntil([&] { return Bar().empty(); }, 10s)) << "still shown";
    session_.Run("xdotool windowactivate --sync " + Windows(kPreviewTitle)[0] + " key e");
    EXPECT_TRUE(XSession::PollUntil([&] { return Bar() == bar; }, 10s));
}

} // namespace
