#include "platform/ui_menu.h"

#include <algorithm>

namespace {

template <class Items> auto FindIn(Items& items, int32_t id) -> decltype(&items[0])
{
    for (auto& item : items) {
        if (item.kind == UiMenuItem::Kind::Command && item.id == id)
            return &item;
        if (auto* found = FindIn(item.items, id))
            return found;
    }
    return nullptr;
}

bool RemoveIn(std::vector<UiMenuItem>& items, int32_t id)
{
    const auto isCommand = [id](const UiMenuItem& item) {
        return item.kind == UiMenuItem::Kind::Command && item.id == id;
    };
    bool removed = std::erase_if(items, isCommand) > 0;
    for (UiMenuItem& item : items)
        removed = RemoveIn(item.items, id) || removed;
    return removed;
}

} // namespace

UiMenuItem* UiMenu::FindCommand(int32_t id)
{
    return FindIn(items, id);
}

const UiMenuItem* UiMenu::FindCommand(int32_t id) const
{
    return FindIn(items, id);
}

bool UiMenu::RemoveCommand(int32_t id)
{
    return RemoveIn(items, id);
}
