// UiMenu: a menu as plain data: the menu resources, the menu bar and the popup menus are built
// from it. An item is a command (id > 0), a separator, or a sub-menu with its own items.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct UiMenuItem
{
    enum class Kind { Command, Separator, SubMenu };

    Kind kind = Kind::Command;
    int32_t id = 0;
    // Text as the resource gives it: "&" marks the mnemonic, "\t" starts the accelerator's text.
    std::string text;
    bool enabled = true;
    bool checked = false;
    std::vector<UiMenuItem> items; // the sub-menu's items

    static UiMenuItem Command(int32_t id, std::string text)
    {
        UiMenuItem item;
        item.id = id;
        item.text = std::move(text);
        return item;
    }
    static UiMenuItem Separator()
    {
        UiMenuItem item;
        item.kind = Kind::Separator;
        return item;
    }
    static UiMenuItem SubMenu(std::string text, std::vector<UiMenuItem> items)
    {
        return {Kind::SubMenu, 0, std::move(text), true, false, std::move(items)};
    }
};

struct UiMenu
{
    std::vector<UiMenuItem> items;

    // The command with this id anywhere in the tree; null when absent.
    UiMenuItem* FindCommand(int32_t id);
    const UiMenuItem* FindCommand(int32_t id) const;
    // Removes every command with this id; true when one was found.
    bool RemoveCommand(int32_t id);
};
