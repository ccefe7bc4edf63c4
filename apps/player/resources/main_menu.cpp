#include "apps/player/resources/main_menu.h"

#include "shell/command_ids.h"

namespace {

using namespace command_id;
using Item = UiMenuItem;

UiMenu BuildMainMenu()
{
    UiMenu menu;
    menu.items = {
        Item::SubMenu("&File", {Item::Command(kOpen, "&Open\tCtrl+O"), Item::Command(kClose, "&Close\tCtrl+W"),
                                Item::Command(kCloseAll, "Close &All\tCtrl+Del"),
                                Item::Command(kSelectDsps, "Select DSPs\tCtrl+S"),
                                Item::Command(kRecordZyl, "&Record Zyl\tAlt+R"),
                                Item::Command(kConvertZyl, "Con&vert Zyl\tAlt+C"),
                                Item::Command(kWriteAvi, "Write &AVI\tAlt+A"), Item::Separator(),
                                Item::Command(kExit, "Exit\tAlt+F4")}),
        Item::SubMenu("&Edit", {Item::Command(kCut, "&Cut\tCtrl+X"), Item::Command(kCopy, "&Copy\tCtrl+C"),
                                Item::Command(kPaste, "&Paste\tCtrl+V"), Item::Separator(),
                                Item::Command(kProperties, "&Properties\tP"), Item::Separator(),
                                Item::Command(kResetFile, "Reset To File's Defaults\tCtrl+R"),
                                Item::Command(kResetGeneric, "Reset To Generic Defaults\tCtrl+Alt+R")}),
        Item::SubMenu("&View",
                      {Item::Command(kSize320x240, "320x240\tF2"), Item::Command(kSize640x480, "640x480\tF3"),
                       Item::Command(kSize800x600, "800x600\tF4"), Item::Command(kSize1024x768, "1024x768\tF5"),
                       Item::Separator(), Item::Command(kFullScreen, "Full Screen\tAlt+Return"),
                       Item::Command(kCaptionFrame, "Caption/Frame\tCtrl+M"),
                       Item::Command(kAlwaysOnTop, "Always On Top"), Item::Separator(),
                       Item::Command(kInfos, "Infos\tI"),
                       Item::SubMenu("Info Select", {Item::Command(kDisplayTimecode, "Display Timecode\tShift+I"),
                                                     Item::Command(kDisplayLaserFps, "Display Laser Fps\tAlt+I"),
                                                     Item::Command(kDisplayPcFps, "Display PC Fps\tCtrl+I")}),
                       Item::Separator(), Item::Command(kPlaybackControl, "Playback Control\tE")}),
        Item::SubMenu("&Play", {Item::Command(kPlayPause, "Play/Pause\tSpace"), Item::Command(kMute, "Mute\tM"),
                                Item::Separator(), Item::Command(kNextFile, "Next File\tDown"),
                                Item::Command(kPreviousFile, "Previous File\tUp"), Item::Separator(),
                                Item::Command(kBeginning, "Beginning\tHome"), Item::Command(kEnd, "End\tEnd"),
                                Item::Command(kForward, "Forward\t->"), Item::Command(kBackward, "Backward\t<-"),
                                Item::Command(kFastForward, "Fast Forward\tCtrl ->"),
                                Item::Command(kFastBackward, "Fast Backward\tCtrl <-"),
                                Item::Command(kNextFrame, "Next Frame\tCtrl+Alt ->"),
                                Item::Command(kPreviousFrame, "Previous Frame\tCtrl+Alt <-")}),
        Item::SubMenu("&Help", {Item::Command(kManual, "&Manual\tF1"), Item::Command(kAbout, "&About")}),
    };
    return menu;
}

} // namespace

const UiMenu& MainMenuResource()
{
    static const UiMenu menu = BuildMainMenu();
    return menu;
}
