#include "preview/context_menu_model.h"

#include "controls/menu_separators.h"
#include "preview/preview_command_ids.h"

#include <array>

namespace {

using namespace preview_command;
using Item = UiMenuItem;

UiMenu BuildContextMenu()
{
    UiMenu menu;
    menu.items = {Item::SubMenu(
        "Preview",
        {Item::Command(kClear, "Clear"),
         Item::Separator(),
         Item::Command(kReload, "&Reload"),
         Item::Command(kStopLoading, "Stop &Loading"),
         Item::Separator(),
         Item::Command(kOpen, "&Open\tCtrl+O"),
         Item::Command(kClose, "&Close\tCtrl+W"),
         Item::Command(kCloseAll, "Close &All\tCtrl+Del"),
         Item::Command(kSelectDsps, "Select DSPs\tCtrl+S"),
         Item::Separator(),
         Item::Command(kFullScreen, "&Full Screen\tAlt+Return"),
         Item::Command(kAlwaysOnTop, "Always On Top\tCtrl+T"),
         Item::Command(kCaptionFrame, "Caption/Frame\tCtrl+M"),
         Item::Separator(),
         Item::Command(kInfos, "Infos\tI"),
         Item::SubMenu("Info Select", {Item::Command(kDisplayTimecode, "Display Timecode\tShift+I"),
                                       Item::Command(kDisplayLaserFps, "Display Laser Fps\tAlt+I"),
                                       Item::Command(kDisplayPcFps, "Display PC Fps\tCtrl+I")}),
         Item::Command(kPlaybackControl, "Playback Control\tE"),
         Item::Separator(),
         Item::Command(kPlayPause, "Play/Pause\tSpace"),
         Item::Command(kStop, "Stop"),
         Item::Command(kMute, "Mute\tM"),
         Item::Separator(),
         Item::Command(kBeginning, "Beginning\tHome"),
         Item::Command(kEnd, "End\tEnd"),
         Item::Command(kForward, "Forward\t->"),
         Item::Command(kBackward, "Backward\t<-"),
         Item::Separator(),
         Item::Command(kNextFile, "Next File\tDown"),
         Item::Command(kPreviousFile, "Previous File\tUp"),
         Item::Separator(),
         Item::Command(kCut, "&Cut\tCtrl+X"),
         Item::Command(kCopy, "Copy\tCtrl+C"),
         Item::Command(kPaste, "&Paste\tCtrl+V"),
         Item::Separator(),
         Item::Command(kProperties, "&Properties\tCtrl+P"),
         Item::Command(kResetProperties, "&Reset Properties\tCtrl+R"),
         Item::Separator(),
         Item::Command(kManual, "&Manual\tF1"),
         Item::Command(kAbout, "&About"),
         Item::Separator(),
         Item::Command(kExit, "Exit\tAlt+F4")})};
    return menu;
}

void Check(UiMenu& menu, int32_t id, bool on)
{
    if (UiMenuItem* item = menu.FindCommand(id))
        item->checked = on;
}

void Enable(UiMenu& menu, int32_t id, bool on)
{
    if (UiMenuItem* item = menu.FindCommand(id))
        item->enabled = on;
}

constexpr std::array kAlwaysRemoved{kPlaybackControl, kStopLoading, kReload, kManual};
constexpr std::array kControlRemoved{kPlaybackControl, kManual,       kOpen,        kCloseAll,
                                     kNextFile,        kPreviousFile, kCut,         kCopy,
                                     kPaste,           kExit,         kAlwaysOnTop, kCaptionFrame};

} // namespace

const UiMenu& PreviewContextMenuResource()
{
    static const UiMenu menu = BuildContextMenu();
    return menu;
}

void UpdateContextMenuModel(UiMenu& menu, const ContextMenuState& state)
{
    Check(menu, kFullScreen, state.fullScreen);
    Check(menu, kAlwaysOnTop, state.topMost);
    Check(menu, kInfos, state.showInfo);
    Check(menu, kDisplayPcFps, state.showPcFps);
    Check(menu, kDisplayLaserFps, state.showLaserFps);
    Check(menu, kDisplayTimecode, state.showTimecode);
    Check(menu, kMute, state.muted);

    for (const int32_t id : {kClose, kCloseAll, kPlayPause, kForward, kBackward})
        Enable(menu, id, state.showOpen);
    for (const int32_t id : {kNextFile, kPreviousFile})
        Enable(menu, id, state.showCount > 1);
    Enable(menu, kCut, state.hasBackgroundImage);

    if (state.controlBuild) {
        for (const int32_t id : kControlRemoved)
            menu.RemoveCommand(id);
    } else {
        for (const int32_t id : kAlwaysRemoved)
            menu.RemoveCommand(id);
    }
    if (!state.dspSelectionEnabled)
        menu.RemoveCommand(kSelectDsps);
    if (!state.postedFrameCurrent)
        menu.RemoveCommand(kClear);
    RemoveRedundantMenuSeparators(menu.items);
}
