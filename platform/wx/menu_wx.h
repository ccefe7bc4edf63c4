// Menus of the toolkit built from menu models (platform/ui_menu.h). Shortcut texts ("\tCtrl+O")
// are shown beside the items as text only: keys take their own way through the windows, so no
// item may take a key before the view sees it.
#pragma once

#include "platform/ui_menu.h"

#include <wx/string.h>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

class wxMenu;

// The item's text without its shortcut text.
wxString MenuLabel(const std::string& text);

// Appends the items; the toolkit numbers them (its ids stay below 0x7FFF, command ids may not)
// and `commands` maps its numbers back. An item is a check item when it is checked or when
// `checkable` says so.
void AppendMenuItems(wxMenu& menu, const std::vector<UiMenuItem>& items, std::map<int, int32_t>& commands,
                     const std::function<bool(int32_t id)>& checkable = {});

// The shortcut's text parsed as the window system writes it: modifiers joined by "+" (or a space
// before an arrow) and a key name; false for a text it cannot show.
struct MenuShortcut
{
    uint32_t key = 0; // the window system's key symbol
    uint32_t modifiers = 0; // kUiShift, kUiCtrl, kUiAlt
};
bool ParseMenuShortcut(const std::string& text, MenuShortcut& shortcut);
