#include "preview/context_menu_model.h"
#include "preview/preview_command_ids.h"

#include <gtest/gtest.h>

namespace {

using namespace preview_command;

UiMenu Prepared(const ContextMenuState& state)
{
    UiMenu menu{PreviewContextMenuResource().items.front().items};
    UpdateContextMenuModel(menu, state);
    return menu;
}

// Each item as "present", "grey", "check" or "absent".
std::string Look(const UiMenu& menu, int32_t id)
{
    const UiMenuItem* item = menu.FindCommand(id);
    if (item == nullptr)
        return "absent";
    if (!item->enabled)
        return "grey";
    return item->checked ? "check" : "present";
}

bool SeparatorsTidy(const std::vector<UiMenuItem>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        const bool separator = items[i].kind == UiMenuItem::Kind::Separator;
        if (separator &&
            (i == 0 || i + 1 == items.size() || items[i - 1].kind == UiMenuItem::Kind::Separator))
            return false;
        if (!SeparatorsTidy(items[i].items))
            return false;
    }
    return true;
}

TEST(ContextMenuModelTest, TheResourceHoldsOnePopupWithTheInfoSelectSubmenu)
{
    const UiMenu& resource = PreviewContextMenuResource();
    ASSERT_EQ(resource.items.size(), 1u);
    const UiMenuItem* timecode = resource.FindCommand(kDisplayTimecode);
    ASSERT_NE(timecode, nullptr);
    EXPECT_EQ(timecode->text, "Display Timecode\tShift+I");
    EXPECT_EQ(resource.FindCommand(kFullScreen)->text, "&Full Screen\tAlt+Return");
    EXPECT_EQ(resource.FindCommand(kForward)->text, "Forward\t->");
}

TEST(ContextMenuModelTest, ItemsFollowTheState)
{
    struct Case
    {
        const char* name;
        ContextMenuState state;
        int32_t id;
        const char* look;
    };
    ContextMenuState none;
    ContextMenuState one = none;
    one.showOpen = true;
    one.showCount = 1;
    ContextMenuState three = one;
    three.showCount = 3;
    ContextMenuState background = none;
    background.hasBackgroundImage = true;
    ContextMenuState switches = none;
    switches.fullScreen = switches.topMost = switches.muted = true;
    switches.showInfo = switches.showPcFps = switches.showLaserFps = switches.showTimecode = true;
    ContextMenuState dsps = none;
    dsps.dspSelectionEnabled = true;
    dsps.postedFrameCurrent = true;
    ContextMenuState control = three;
    control.controlBuild = true;

    const Case cases[] = {
        {"no show", none, kClose, "grey"},
        {"no show", none, kCloseAll, "grey"},
        {"no show", none, kPlayPause, "grey"},
        {"no show", none, kForward, "grey"},
        {"no show", none, kBackward, "grey"},
        {"no show", none, kNextFile, "grey"},
        {"no show", none, kStop, "present"},
        {"no show", none, kCut, "grey"},
        {"no show", none, kCopy, "present"},
        {"no show", none, kFullScreen, "present"},
        {"no show", none, kSelectDsps, "absent"},
        {"no show", none, kClear, "absent"},
        {"no show", none, kPlaybackControl, "absent"},
        {"no show", none, kStopLoading, "absent"},
        {"no show", none, kReload, "absent"},
        {"no show", none, kManual, "absent"},
        {"one show", one, kClose, "present"},
        {"one show", one, kPlayPause, "present"},
        {"one show", one, kNextFile, "grey"},
        {"one show", one, kPreviousFile, "grey"},
        {"three shows", three, kNextFile, "present"},
        {"three shows", three, kPreviousFile, "present"},
        {"background", background, kCut, "present"},
        {"switches", switches, kFullScreen, "check"},
        {"switches", switches, kAlwaysOnTop, "check"},
        {"switches", switches, kMute, "check"},
        {"switches", switches, kInfos, "check"},
        {"switches", switches, kDisplayPcFps, "check"},
        {"switches", switches, kDisplayLaserFps, "check"},
        {"switches", switches, kDisplayTimecode, "check"},
        {"no switches", none, kDisplayPcFps, "present"},
        {"no switches", none, kMute, "present"},
        {"dsps", dsps, kSelectDsps, "present"},
        {"posted frame", dsps, kClear, "present"},
        {"control", control, kReload, "present"},
        {"control", control, kStopLoading, "present"},
        {"control", control, kOpen, "absent"},
        {"control", control, kCloseAll, "absent"},
        {"control", control, kNextFile, "absent"},
        {"control", control, kCopy, "absent"},
        {"control", control, kExit, "absent"},
        {"control", control, kCaptionFrame, "absent"},
        {"control", control, kClose, "present"},
        {"control", control, kPlaybackControl, "absent"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Look(Prepared(c.state), c.id), c.look) << c.name << ", id " << c.id;
    for (const ContextMenuState& state : {none, one, three, background, switches, dsps, control})
        EXPECT_TRUE(SeparatorsTidy(Prepared(state).items));
}

} // namespace
