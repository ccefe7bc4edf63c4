// The preview's keys, wheel, presets, clipboard and context menu on the real preview with its
// parameters, in the fake window system.
#include "platform/clipboard.h"
#include "platform/clipboard_memory.h"
#include "platform/resources.h"
#include "platform/test_support/message_box_fake.h"
#include "platform/virtual_keys.h"
#include "preview/context_menu_model.h"
#include "preview/preview_command_ids.h"
#include "preview/test_support/preview_test_fixture.h"

#include <array>
#include <string>

namespace {

class PreviewInputTest : public PreviewTest
{
  protected:
    PreviewInputTest()
    {
        const UiRect rect = kViewRect;
        EXPECT_TRUE(preview_.CreateAsChild(view_, &rect));
        ProcessMemoryClipboard().Empty();
    }
    ~PreviewInputTest() override
    {
        ProcessMemoryClipboard().SetOpenFails(false);
        ProcessMemoryClipboard().SetPutFails(false);
        ProcessMemoryClipboard().Empty();
    }

    bool Press(int32_t key, uint32_t modifiers = 0) { return preview_.HandleKey({key, modifiers}); }
    const LBeamvistaPars& Live() const { return preview_.LivePars(); }
    void Set(const std::function<void(LBeamvistaPars&)>& change) { ChangeParameters(change); }

    TestPreview preview_;
};

TEST_F(PreviewInputTest, FWalksTheFogUpToFullThenBackToTheDefaultIn21Presses)
{
    ASSERT_EQ(Live().o_fog_force, 2);
    ASSERT_TRUE(Press('F'));
    EXPECT_EQ(Live().o_fog_force, 1);
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, 0.1f);
    EXPECT_FLOAT_EQ(Live().o_fog_min_int, 0);
    for (int press = 2; press <= 10; ++press)
        Press('F');
    EXPECT_NEAR(Live().o_fog_intensity, 1, 1e-4);
    EXPECT_NEAR(Live().o_fog_min_int, 0, 1e-4);
    for (int press = 11; press <= 20; ++press)
        Press('F');
    EXPECT_EQ(Live().o_fog_force, 1);
    EXPECT_NEAR(Live().o_fog_min_int, 1, 1e-4);
    Press('F');
    EXPECT_EQ(Live().o_fog_force, 2) << "the 21st press";
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, 1);
    EXPECT_FLOAT_EQ(Live().o_fog_min_int, 1);
}

TEST_F(PreviewInputTest, ShiftFWalksDownAndCtrlFResets)
{
    Press('F', kUiShift);
    EXPECT_EQ(Live().o_fog_force, 1);
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, 1);
    EXPECT_FLOAT_EQ(Live().o_fog_min_int, 1);
    Press('F', kUiShift);
    EXPECT_NEAR(Live().o_fog_min_int, 0.9, 1e-4) << "the minimum goes first";
    Set([](LBeamvistaPars& p) {
        p.o_fog_min_int = 0;
        p.o_fog_intensity = 0.05f;
    });
    Press('F', kUiShift);
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, 0) << "clamped at 0";
    Press('F', kUiShift);
    EXPECT_EQ(Live().o_fog_force, 2) << "from nothing back to the default";
    Press('F');
    Press('F', kUiCtrl);
    EXPECT_EQ(Live().o_fog_force, 2);
    EXPECT_FLOAT_EQ(Live().o_fog_intensity, 1);
}

TEST_F(PreviewInputTest, GraphicsLineWidthAndCloudMixPresets)
{
    Press('G');
    EXPECT_EQ(Live().o_graphics_force, 1);
    EXPECT_FLOAT_EQ(Live().o_graphics_intensity, 0.1f);
    Set([](LBeamvistaPars& p) { p.o_graphics_intensity = 1; });
    Press('G');
    EXPECT_EQ(Live().o_graphics_force, 2) << "full intensity steps back to the default";
    Press('G', kUiShift);
    EXPECT_EQ(Live().o_graphics_force, 1);
    EXPECT_FLOAT_EQ(Live().o_graphics_intensity, 1);

    struct Case
    {
        int32_t key;
        uint32_t modifiers;
        float before;
        float after;
    };
    const Case lineWidths[] = {{'L', 0, 9.5f, 10},
                               {'L', 0, 10, 0.5f},
                               {'L', kUiShift, 0.5f, 10},
                               {'L', kUiShift, 2, 1.5f},
                               {'L', kUiCtrl, 7, 2}};
    for (const Case& c : lineWidths) {
        Set([&](LBeamvistaPars& p) { p.o_line_width = c.before; });
        Press(c.key, c.modifiers);
        EXPECT_FLOAT_EQ(Live().o_line_width, c.after)
            << "line width " << c.before << " modifiers " << c.modifiers;
    }
    const Case cloudMixes[] = {{'C', 0, 1, 0},
                               {'C', kUiShift, 0, 1},
                               {'C', 0, 0.3f, 0.4f},
                               {'C', kUiCtrl | kUiShift, 0.7f, 0.3f},
                               {'C', kUiCtrl | kUiAlt, 0.7f, 0.3f}};
    for (const Case& c : cloudMixes) {
        Set([&](LBeamvistaPars& p) { p.o_fog_cloud_mix = c.before; });
        Press(c.key, c.modifiers);
        EXPECT_NEAR(Live().o_fog_cloud_mix, c.after, 1e-4)
            << "cloud mix " << c.before << " modifiers " << c.modifiers;
    }
}

TEST_F(PreviewInputTest, TheIKeyTogglesEachHeldModifiersLineAndKeepsTheDisplayOn)
{
    ASSERT_FALSE(preview_.ShowInfo());
    Press('I');
    EXPECT_TRUE(preview_.ShowInfo());
    Press('I');
    EXPECT_FALSE(preview_.ShowInfo()) << "I alone toggles the display";
    Press('I', kUiCtrl);
    EXPECT_TRUE(preview_.ShowPcFps());
    EXPECT_TRUE(preview_.ShowInfo());
    Press('I', kUiCtrl);
    EXPECT_FALSE(preview_.ShowPcFps());
    EXPECT_TRUE(preview_.ShowInfo()) << "a modifier keeps the display on";
    const bool laserFps = preview_.ShowLaserFps();
    EXPECT_TRUE(Press('I', kUiAlt)) << "Alt+I is a system key that still reaches the table";
    EXPECT_NE(preview_.ShowLaserFps(), laserFps);
    const bool timecode = preview_.ShowTimecode();
    Press('I', kUiShift);
    EXPECT_NE(preview_.ShowTimecode(), timecode);
    EXPECT_NE(preview_.sizeShownAt_, 0);
}

TEST_F(PreviewInputTest, TheWheelTakesScreenPointsInsideTheWindowOnly)
{
    Set([](LBeamvistaPars& p) {
        p.o_graphics_size_x = 1;
        p.o_graphics_size_y = 0.5f;
    });
    EXPECT_TRUE(preview_.HandleMouseWheel(0, 120, {320, 240}));
    EXPECT_NEAR(Live().o_graphics_size_x, 1.1, 1e-4);
    EXPECT_NEAR(Live().o_graphics_size_y, 0.55, 1e-4);
    EXPECT_FALSE(preview_.HandleMouseWheel(0, 120, {700, 240})) << "over another program's window";
    EXPECT_NEAR(Live().o_graphics_size_x, 1.1, 1e-4);
}

TEST_F(PreviewInputTest, PasteMakesTheClipboardsPictureBackgroundOneEachTime)
{
    for (const int32_t width : {3, 5}) {
        HImageRef picture = HImage::Create("any", width, 2, true, false);
        ASSERT_FALSE(picture->ToClipboard().Failed());
        ASSERT_TRUE(preview_.PasteImage());
        EXPECT_STREQ(Live().o_bg0_filename.CStr(), "Clipboard.bmp");
        EXPECT_EQ(Live().o_bg0, 1);
        EXPECT_TRUE(preview_.HasBackgroundImage());
        HImageRef shown = preview_.pictures_[0].Decode();
        ASSERT_FALSE(shown.IsEmpty());
        EXPECT_EQ(shown->Width(), width);
    }
}

TEST_F(PreviewInputTest, PasteWithoutAPictureDoesNothingAndShowsNoBox)
{
    FakeMessageBox boxes;
    ClipboardPicture text;
    text.format = ClipboardPictureFormat::Png;
    ProcessMemoryClipboard().PutPicture(text);
    EXPECT_FALSE(preview_.PasteImage());
    ProcessMemoryClipboard().Empty();
    EXPECT_FALSE(preview_.PasteImage());
    EXPECT_TRUE(Live().o_bg0_filename.IsEmpty());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(PreviewInputTest, CutKeepsBackgroundOneWhenTheClipboardRefuses)
{
    HImage::Create("any", 4, 4, true, false)->ToClipboard();
    ASSERT_TRUE(preview_.PasteImage());
    ProcessMemoryClipboard().SetPutFails(true);
    EXPECT_FALSE(preview_.CutImage());
    EXPECT_STREQ(Live().o_bg0_filename.CStr(), "Clipboard.bmp") << "the pasted picture exists nowhere else";
    EXPECT_TRUE(preview_.HasBackgroundPicture(0));
}

// The items of a prepared context menu: its text, or "-" for a separator; "(grey)" and "(check)".
std::vector<std::string> Describe(const std::vector<UiMenuItem>& items)
{
    std::vector<std::string> lines;
    for (const UiMenuItem& item : items) {
        if (item.kind == UiMenuItem::Kind::Separator) {
            lines.push_back("-");
            continue;
        }
        std::string line = item.text.substr(0, item.text.find('\t'));
        if (!item.enabled)
            line += " (grey)";
        if (item.checked)
            line += " (check)";
        lines.push_back(line);
        for (const std::string& sub : Describe(item.items))
            lines.push_back("  " + sub);
    }
    return lines;
}

TEST_F(PreviewInputTest, TheContextMenuOfAPreviewWithoutShows)
{
    const std::array menus{MenuResource{kPreviewContextMenuId, &PreviewContextMenuResource()}};
    const ResourceTables tables{menus, {}, {}, {}};
    ScopedResources resources(tables);
    ui_.menuAnswers.push_back(0);
    EXPECT_TRUE(preview_.ShowContextMenu());
    ASSERT_EQ(ui_.menusShown.size(), 1u);
    const std::vector<std::string> expected{"&Open",
                                            "&Close (grey)",
                                            "Close &All (grey)",
                                            "-",
                                            "&Full Screen",
                                            "Always On Top",
                                            "Caption/Frame",
                                            "-",
                                            "Infos",
                                            "Info Select",
                                            "  Display Timecode (check)",
                                            "  Display Laser Fps (check)",
                                            "  Display PC Fps",
                                            "-",
                                            "Play/Pause (grey)",
                                            "Stop",
                                            "Mute",
                                            "-",
                                            "Beginning",
                                            "End",
                                            "Forward (grey)",
                                            "Backward (grey)",
                                            "-",
                                            "Next File (grey)",
                                            "Previous File (grey)",
                                            "-",
                                            "&Cut (grey)",
                                            "Copy",
                                            "&Paste",
                                            "-",
                                            "&Properties",
                                            "&Reset Properties",
                                            "-",
                                            "&About",
                                            "-",
                                            "Exit"};
    EXPECT_EQ(Describe(ui_.menusShown[0].items), expected);
    EXPECT_EQ(preview_.modalCount_, 0) << "the busy mark ends with the menu";
}

// A host's focus listener hears of the focus only while the preview is full screen, and hears of
// a loss once for each gain, also when the window goes while it has the focus.
TEST_F(PreviewInputTest, TheFocusListenerHearsGainAndLossOfTheFullScreenWindowInPairs)
{
    struct Listener : LBeamvistaFocusListener
    {
        void OnPreviewFocusGained(int32_t reason) override { heard += "gained " + std::to_string(reason) + ", "; }
        void OnPreviewFocusLost(int32_t reason) override { heard += "lost " + std::to_string(reason) + ", "; }
        std::string heard;
    } listener;
    preview_.SetFocusListener(&listener);
    preview_.OnFocus(true);
    preview_.OnFocus(false);
    EXPECT_EQ(listener.heard, "") << "a child window";

    ASSERT_TRUE(preview_.SetFullScreen(true));
    preview_.OnFocus(true);
    preview_.OnFocus(false);
    preview_.OnFocus(false);
    EXPECT_EQ(listener.heard, "gained 1, lost 1, ");

    listener.heard.clear();
    preview_.OnFocus(true);
    ASSERT_TRUE(preview_.SetFullScreen(false));
    EXPECT_EQ(listener.heard, "gained 1, lost 1, ") << "the full-screen window went with the focus";
    preview_.OnFocus(false);
    EXPECT_EQ(listener.heard, "gained 1, lost 1, ");
    preview_.SetFocusListener(nullptr);
}

TEST_F(PreviewInputTest, NoContextMenuWithoutAWindowOrWithoutTheResource)
{
    EXPECT_FALSE(preview_.ShowContextMenu()) << "no menu resource installed";
    preview_.CloseWindow(true);
    EXPECT_FALSE(preview_.ShowContextMenu());
    EXPECT_TRUE(ui_.menusShown.empty());
}

} // namespace
