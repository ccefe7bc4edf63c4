// Every key of the preview's table under the eight Ctrl/Shift/Alt combinations, with 0, 1 and 3
// shows, as a child, a popup and in full screen, through the real routing (Alt without Ctrl is a
// system key). The expectations are written out from the key descriptions, not from the table.
#include "platform/ui_input.h"
#include "platform/virtual_keys.h"
#include "preview/key_table.h"
#include "preview/test_support/recording_operations.h"

#include <gtest/gtest.h>

#include <string>

namespace {

enum class Placement { Child, Popup, FullScreen };

struct Situation
{
    int32_t shows;
    Placement placement;
};

// With three shows the third is current, so first, previous, next and last all differ.
int32_t CurrentIndexFor(int32_t shows)
{
    return shows - 1;
}

std::string Open(int32_t index)
{
    return "OpenEntry(" + std::to_string(index) + ")";
}

std::string Expected(int32_t key, uint32_t m, const Situation& s)
{
    const bool ctrl = (m & kUiCtrl) != 0;
    const bool shift = (m & kUiShift) != 0;
    const bool alt = (m & kUiAlt) != 0;
    const bool full = s.placement == Placement::FullScreen;
    const int32_t current = CurrentIndexFor(s.shows);
    const std::string info = "ToggleInfoLines(" + RecordingOperations::ModifierNames(m) + ")";

    if (alt && !ctrl) {
        // System keys: Enter switches full screen, I keeps its Alt meaning, the rest are not ours.
        if (key == vk::kReturn)
            return "ToggleFullScreen";
        if (key == 'I')
            return info;
        return "";
    }
    switch (key) {
    case vk::kReturn:
        if (!alt)
            return "TogglePlayPause";
        return full ? "ToggleFullScreen" : "";
    case vk::kSpace:
        return "TogglePlayPause";
    case vk::kEscape:
        return full ? "ToggleFullScreen" : "";
    case vk::kPageUp:
    case vk::kUp:
        if (s.shows < 2)
            return "";
        return ctrl ? Open(0) : Open(current - 1);
    case vk::kPageDown:
    case vk::kDown:
        if (s.shows < 2)
            return "";
        return ctrl ? Open(-1) : Open(current + 1);
    case vk::kHome:
        if (s.shows == 0)
            return "";
        return ctrl ? Open(0) : "Navigate(0x1)";
    case vk::kEnd:
        if (s.shows == 0)
            return "";
        return ctrl ? Open(-1) : "Navigate(0x2)";
    case vk::kLeft:
        return ctrl && alt ? "Navigate(0x48)" : ctrl ? "Navigate(0x28)" : "Navigate(0x8)";
    case vk::kRight:
        return ctrl && alt ? "Navigate(0x44)" : ctrl ? "Navigate(0x24)" : "Navigate(0x4)";
    case vk::kInsert:
        return ctrl ? "OpenFileDialog(append)" : "OpenFileDialog";
    case vk::kDelete:
        return ctrl ? "CloseAllCommand" : "CloseCurrentEntry";
    case 'A':
        return ctrl && alt ? "ExportPictures(all)" : "";
    case 'C':
        if (ctrl)
            return shift || alt ? "ResetCloudMix" : "CopyImage";
        return shift ? "StepCloudMix(-0.1)" : "StepCloudMix(0.1)";
    case 'E':
        return "ShowPlaybackBar";
    case 'F':
        if (ctrl && shift && alt)
            return "ToggleLoadInfo";
        return ctrl ? "ResetFog" : shift ? "StepFog(-0.1)" : "StepFog(0.1)";
    case 'G':
        if (ctrl && alt)
            return shift ? "ShowGlInfoAndRecreate" : "CycleGlInfoLines";
        return ctrl ? "ResetGraphics" : shift ? "StepGraphics(-0.1)" : "StepGraphics(0.1)";
    case 'H':
        return ctrl ? "ShowContextMenu" : "";
    case 'I':
        return info;
    case 'L':
        return ctrl ? "ResetLineWidth" : shift ? "StepLineWidth(-0.5)" : "StepLineWidth(0.5)";
    case 'M':
        if (ctrl)
            return s.placement == Placement::Child ? "" : "ToggleCaptionFrame";
        return "ToggleMute";
    case 'O':
        return ctrl ? "OpenFileDialog" : "";
    case 'P':
        return "ShowParameterDialog";
    case 'R':
        if (!ctrl)
            return "";
        return alt ? "ResetParameters(generic)" : "ResetParameters(show)";
    case 'T':
        return ctrl && shift && alt ? "ToggleTopMost" : "";
    case 'V':
        return ctrl ? "PasteImage" : "ToggleSoundInfo";
    case 'W':
        if (!ctrl)
            return "";
        return alt ? "ExportPictures(current)" : "CloseCurrentEntry";
    case 'X':
        return ctrl ? "CutImage" : "";
    case 'Z':
        return ctrl ? "CloseAllCommand" : "";
    case vk::kF2:
        return "SetClientSize(320x240)";
    case vk::kF3:
        return "SetClientSize(640x480)";
    case vk::kF4:
        return "SetClientSize(800x600)";
    case vk::kF5:
        return "SetClientSize(1024x768)";
    case vk::kF6:
        return "SetClientSize(1280x1024)";
    case vk::kF7:
        return "SetClientSize(1600x1200)";
    default:
        return "";
    }
}

// The routing a window uses: a system key with Alt and without Ctrl, else a plain key.
bool Route(LBeamvistaOperations& preview, int32_t key, uint32_t modifiers)
{
    return IsSystemKey(modifiers) ? RunSysKeyDown(preview, key, modifiers)
                                  : RunKeyDown(preview, key, modifiers);
}

constexpr int32_t kKeys[] = {
    vk::kReturn, vk::kSpace, vk::kEscape, vk::kPageUp, vk::kUp,     vk::kPageDown, vk::kDown, vk::kHome,
    vk::kEnd,    vk::kLeft,  vk::kRight,  vk::kInsert, vk::kDelete, 'A',           'B',       'C',
    'E',         'F',        'G',         'H',         'I',         'L',           'M',       'O',
    'P',         'Q',        'R',         'T',         'V',         'W',           'X',       'Z',
    vk::kF1,     vk::kF2,    vk::kF3,     vk::kF4,     vk::kF5,     vk::kF6,       vk::kF7,   vk::kF8};

TEST(KeyTableTest, EveryKeyUnderEveryModifierShowCountAndPlacement)
{
    int32_t cases = 0;
    for (const int32_t shows : {0, 1, 3}) {
        for (const Placement placement : {Placement::Child, Placement::Popup, Placement::FullScreen}) {
            const Situation situation{shows, placement};
            RecordingOperations preview;
            preview.showCount = shows;
            preview.currentIndex = CurrentIndexFor(shows);
            preview.childWindow = placement == Placement::Child;
            preview.fullScreen = placement == Placement::FullScreen;
            for (const int32_t key : kKeys) {
                for (uint32_t modifiers = 0; modifiers < 8; ++modifiers) {
                    const std::string expected = Expected(key, modifiers, situation);
                    const bool handled = Route(preview, key, modifiers);
                    EXPECT_EQ(preview.Take(), expected)
                        << "key 0x" << std::hex << key << std::dec << " with "
                        << RecordingOperations::ModifierNames(modifiers) << ", " << shows
                        << " shows, placement " << static_cast<int>(placement);
                    EXPECT_EQ(handled, !expected.empty()) << "key 0x" << std::hex << key;
                    ++cases;
                }
            }
        }
    }
    EXPECT_EQ(cases, 3 * 3 * 40 * 8);
}

TEST(KeyTableTest, AlwaysOnTopIsHandledOnlyWhenItSucceeds)
{
    RecordingOperations preview;
    preview.topMostSucceeds = false;
    EXPECT_FALSE(Route(preview, 'T', kUiCtrl | kUiShift | kUiAlt));
    EXPECT_EQ(preview.Take(), "ToggleTopMost");
}

TEST(KeyTableTest, TheFirstMatchingRowDecidesEvenWhenItsConditionFails)
{
    // Ctrl+M on a child window is not handled: it does not fall through to Mute.
    RecordingOperations preview;
    EXPECT_FALSE(Route(preview, 'M', kUiCtrl));
    EXPECT_EQ(preview.Take(), "");
    // Ctrl+Alt+Enter outside full screen does not play or pause.
    EXPECT_FALSE(Route(preview, vk::kReturn, kUiCtrl | kUiAlt));
    EXPECT_EQ(preview.Take(), "");
}

} // namespace
