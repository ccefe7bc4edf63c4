#include "shell/skin_frame_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what the model asks for; the preview's play state follows Pause and Play.
class RecordingHost : public SkinFrameHost
{
  public:
    bool HasPreview() const override { return preview; }
    bool IsPreviewPaused() const override { return paused; }
    bool PausePreview() override
    {
        calls.push_back("pause");
        paused = true;
        return true;
    }
    bool PlayPreview() override
    {
        calls.push_back("play");
        paused = false;
        return true;
    }
    void SeekPreview(float fraction) override { seeks.push_back(fraction); }
    void ShowPreviewContextMenu() override { calls.push_back("menu"); }
    void OpenPreviewFileDialog() override { calls.push_back("open"); }
    void PreviousFile() override { calls.push_back("previous"); }
    void StopPreview() override { calls.push_back("stop"); }
    void TogglePlayPause() override { calls.push_back("toggle play"); }
    void NextFile() override { calls.push_back("next"); }
    void ToggleMute() override { calls.push_back("mute"); }
    bool IsWindowEnabled() const override { return enabled; }
    bool PointerInWindow(int32_t& x, int32_t& y) const override
    {
        x = pointerX;
        y = pointerY;
        return pointerInside;
    }
    void CaptureMouse() override { ++captures; }
    void ReleaseMouse() override { --captures; }
    void TrackMouseLeave() override { ++leaveRequests; }
    void Repaint(const RasterRect& rect) override { repaints.push_back(rect); }
    void Minimize() override { calls.push_back("minimize"); }
    void ToggleMaximize() override { calls.push_back("maximize"); }
    void PostClose() override { calls.push_back("close"); }
    void SetTooltip(const char* text) override { tooltip = text != nullptr ? text : ""; }

    bool preview = true;
    bool paused = false;
    bool enabled = true;
    bool pointerInside = true;
    int32_t pointerX = 0;
    int32_t pointerY = 0;
    std::vector<std::string> calls;
    std::vector<float> seeks;
    std::vector<RasterRect> repaints;
    int32_t captures = 0;
    int32_t leaveRequests = 0;
    std::string tooltip;
};

// A 640 x 480 large skin playing one of two shows.
class SkinFrameModelTest : public ::testing::Test
{
  protected:
    SkinFrameModelTest() : model_(host_)
    {
        model_.State().hasWindow = true;
        ApplyFrameMode(model_.State(), 0);
        model_.Layout(640, 480);
        model_.SetPlayState(3, true, true);
        host_.repaints.clear();
    }

    // A press and release with the pointer following.
    void Click(int32_t x, int32_t y) { Click(x, y, x, y); }
    void Click(int32_t x, int32_t y, int32_t releaseX, int32_t releaseY)
    {
        MoveTo(x, y);
        model_.OnButtonDown(kSkinLeftButton, x, y);
        MoveTo(releaseX, releaseY);
        model_.OnButtonUp(kSkinLeftButton, releaseX, releaseY);
    }
    void MoveTo(int32_t x, int32_t y)
    {
        host_.pointerX = x;
        host_.pointerY = y;
        model_.OnMouseMove(x, y);
    }

    RecordingHost host_;
    SkinFrameModel model_;
};

// Element centres at 640 x 480.
constexpr int32_t kPlayX = 118, kPlayY = 450;
constexpr int32_t kStopX = 77, kNextX = 159, kPreviousX = 36;
constexpr int32_t kMenuX = 25, kMenuY = 17;

TEST_F(SkinFrameModelTest, PlayStatesSetImagesAndEnabling)
{
    struct Case
    {
        int32_t state;
        bool more;
        bool loaded;
        int32_t playImage;
        bool play, stop, previous, knob;
    };
    const Case cases[] = {
        {1, false, false, kSkinPlay, false, false, false, false},
        {2, true, false, kSkinPlay, true, false, true, true},
        {3, false, true, kSkinPause, true, true, false, true},
        {3, true, false, kSkinPause, true, true, true, false}, // knob waits for loading
        {4, true, true, kSkinPlay, true, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        model_.SetPlayState(c.state, c.more, c.loaded);
        EXPECT_EQ(model_.ImageOf(kSkinPlay), c.playImage);
        EXPECT_EQ(model_.Element(kSkinPlay).state == kSkinNormal, c.play);
        EXPECT_EQ(model_.Element(kSkinStop).state == kSkinNormal, c.stop);
        EXPECT_EQ(model_.Element(kSkinPrevious).state == kSkinNormal, c.previous);
        EXPECT_EQ(model_.Element(kSkinNext).state == kSkinNormal, c.previous);
        EXPECT_EQ(model_.Element(kSkinSeek).state == kSkinNormal, c.knob);
    }
    // No show: the slider goes back to 0 and empty.
    model_.SetPlayState(3, true, true);
    model_.SetPosition(0.5f, 0.8f);
    model_.SetPlayState(2, true, true);
    EXPECT_EQ(model_.KnobX(), 216);
    EXPECT_FLOAT_EQ(model_.Fill(), 0.8f);
    model_.SetPlayState(1, false, false);
    EXPECT_EQ(model_.FillEndX(), 216);
}

TEST_F(SkinFrameModelTest, UnchangedStatusRepaintsNothing)
{
    model_.SetPlayState(3, true, true);
    EXPECT_TRUE(host_.repaints.empty());
    model_.SetPosition(0.5f, 0.5f);
    EXPECT_EQ(host_.repaints.size(), 1u);
    // A change too small to move a pixel: no repaint unless forced.
    model_.SetPosition(0.5001f, 0.5001f);
    EXPECT_EQ(host_.repaints.size(), 1u);
    model_.SetPosition(0.5001f, 0.5001f, true);
    EXPECT_EQ(host_.repaints.size(), 2u);
    model_.SetMute(false);
    EXPECT_EQ(host_.repaints.size(), 2u);
    model_.SetMute(true);
    EXPECT_EQ(model_.ImageOf(kSkinMute), kSkinSoundOn);
    EXPECT_EQ(host_.repaints.size(), 3u);
}

TEST_F(SkinFrameModelTest, HitsSkipDisabledAndUnplacedElements)
{
    EXPECT_EQ(model_.HitElement(kPlayX, kPlayY), kSkinPlay);
    EXPECT_EQ(model_.HitElement(kMenuX, kMenuY), kSkinMenu);
    EXPECT_EQ(model_.HitElement(640 - 36 + 10, 17), kSkinClose);
    // The knob lies over the track: the knob, element 14, is found first.
    EXPECT_EQ(model_.HitElement(222, 450), kSkinSeek);
    EXPECT_EQ(model_.HitElement(400, 450), kSkinTrack);
    EXPECT_EQ(model_.HitElement(400, 200), kSkinNone);
    model_.SetPlayState(1, false, false);
    EXPECT_EQ(model_.HitElement(kPlayX, kPlayY), kSkinNone);
    EXPECT_EQ(model_.HitElement(222, 450), kSkinTrack); // the disabled knob gives way to the track
    host_.enabled = false;
    EXPECT_EQ(model_.HitElement(kMenuX, kMenuY), kSkinNone);
}

TEST_F(SkinFrameModelTest, ButtonsActOnRelease)
{
    Click(kPlayX, kPlayY);
    Click(kStopX, kPlayY);
    Click(kNextX, kPlayY);
    Click(kPreviousX, kPlayY);
    Click(195, 459); // mute
    Click(640 - 80 + 10, 17);
    Click(640 - 58 + 10, 17);
    Click(640 - 36 + 10, 17);
    Click(47, 17);
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"toggle play", "stop", "next", "previous", "mute", "minimize",
                                                     "maximize", "close", "open"}));
    EXPECT_EQ(host_.captures, 0);
}

TEST_F(SkinFrameModelTest, ReleaseOffThePressedElementDoesNothing)
{
    Click(kPlayX, kPlayY, kStopX, kPlayY);
    Click(kPlayX, kPlayY, 300, 200);
    EXPECT_TRUE(host_.calls.empty());
    EXPECT_EQ(host_.captures, 0);
    // While the button is down only the pressed element is hovered.
    MoveTo(kPlayX, kPlayY);
    model_.OnButtonDown(kSkinLeftButton, kPlayX, kPlayY);
    EXPECT_EQ(model_.Hovered(), kSkinPlay);
    MoveTo(kStopX, kPlayY);
    EXPECT_EQ(model_.Hovered(), kSkinNone);
    MoveTo(kPlayX, kPlayY);
    EXPECT_EQ(model_.PaintedState(kSkinPlay), kSkinPressed);
}

TEST_F(SkinFrameModelTest, KnobDragWhilePlayingPausesSeeksAndResumes)
{
    model_.SetPosition(0.5f, 1.0f);
    const int32_t knobCentre = model_.KnobX() + 6;
    MoveTo(knobCentre, 450);
    model_.OnButtonDown(kSkinLeftButton, knobCentre, 450);
    EXPECT_EQ(host_.calls, std::vector<std::string>{"pause"});
    MoveTo(knobCentre + 197, 450);
    MoveTo(knobCentre + 1000, 450); // past the end: not clamped here
    model_.OnButtonUp(kSkinLeftButton, knobCentre + 1000, 450);
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"pause", "play"}));
    ASSERT_EQ(host_.seeks.size(), 2u);
    EXPECT_FLOAT_EQ(host_.seeks[0], 1.0f);
    EXPECT_GT(host_.seeks[1], 1.0f);
}

TEST_F(SkinFrameModelTest, KnobDragWhilePausedStaysPaused)
{
    host_.paused = true;
    model_.SetPlayState(4, true, true);
    const int32_t knobCentre = model_.KnobX() + 6;
    Click(knobCentre, 450, knobCentre + 394, 450);
    EXPECT_TRUE(host_.calls.empty());
    ASSERT_EQ(host_.seeks.size(), 1u);
    EXPECT_FLOAT_EQ(host_.seeks[0], 1.0f);
}

TEST_F(SkinFrameModelTest, TrackClickCentresTheKnobUnderThePointer)
{
    // x - 6 is the knob's left edge: (416 - 6 - 216) / 394.
    Click(416, 450);
    ASSERT_FALSE(host_.seeks.empty());
    EXPECT_FLOAT_EQ(host_.seeks[0], 194.0f / 394.0f);
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"pause", "play"}));
    // Near the start the position is held at 0.
    host_.seeks.clear();
    Click(218, 450);
    EXPECT_FLOAT_EQ(host_.seeks[0], 0.0f);
}

TEST_F(SkinFrameModelTest, LostCaptureEndsTheDragAndResumes)
{
    Click(416, 450, 416, 450);
    host_.calls.clear();
    MoveTo(416, 450);
    model_.OnButtonDown(kSkinLeftButton, 416, 450);
    model_.OnCaptureLost();
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"pause", "play"}));
    EXPECT_EQ(model_.Pressed(), kSkinNone);
    // The release that follows acts on nothing.
    model_.OnButtonUp(kSkinLeftButton, 416, 450);
    EXPECT_EQ(host_.calls.size(), 2u);
}

TEST_F(SkinFrameModelTest, MenuButtonAndRightButtonOpenTheContextMenu)
{
    MoveTo(kMenuX, kMenuY);
    model_.OnButtonDown(kSkinLeftButton, kMenuX, kMenuY);
    EXPECT_EQ(host_.calls, std::vector<std::string>{"menu"});
    EXPECT_EQ(host_.captures, 0);
    model_.OnButtonUp(kSkinLeftButton, kMenuX, kMenuY);
    model_.OnRightButton();
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"menu", "menu"}));
}

TEST_F(SkinFrameModelTest, TooltipFollowsTheHoveredImage)
{
    MoveTo(kPlayX, kPlayY);
    EXPECT_EQ(host_.tooltip, "Pause"); // playing: the button shows Pause
    model_.SetPlayState(4, true, true);
    EXPECT_EQ(host_.tooltip, "Play");
    MoveTo(400, 450);
    EXPECT_EQ(model_.Hovered(), kSkinTrack);
    EXPECT_EQ(host_.tooltip, "");
    EXPECT_EQ(host_.leaveRequests, 1);
    host_.pointerInside = false;
    model_.OnMouseLeave();
    EXPECT_EQ(model_.Hovered(), kSkinNone);
}

TEST_F(SkinFrameModelTest, StripVariantPlacesOnlyItsElements)
{
    model_.State().skin = false;
    model_.State().skinMin = true;
    ApplyFrameMode(model_.State(), 0);
    model_.Layout(640, 480);
    EXPECT_FALSE(model_.IsPlaced(kSkinMenu));
    EXPECT_FALSE(model_.IsPlaced(kSkinNext));
    EXPECT_EQ(model_.HitElement(30 + 10, 480 - 26 + 10), kSkinPlay);
    EXPECT_EQ(model_.Slider().x0, 78);
}

} // namespace
