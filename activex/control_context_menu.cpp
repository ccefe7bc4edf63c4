#include "activex/control_context_menu.h"

#include "platform/resources.h"
#include "shell/command_ids.h"

std::optional<UiMenu> ControlFallbackMenu()
{
    const UiMenu* resource = FindMenuResource(kControlMenuId);
    if (resource == nullptr) {
        return std::nullopt;
    }
    for (const UiMenuItem& item : resource->items) {
        if (item.kind != UiMenuItem::Kind::SubMenu) {
            continue;
        }
        UiMenu menu{item.items};
        if (UiMenuItem* about = menu.FindCommand(command_id::kAbout)) {
            about->text = kControlAboutItem;
        }
        return menu;
    }
    return std::nullopt;
}
