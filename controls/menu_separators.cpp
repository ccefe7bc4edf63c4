#include "controls/menu_separators.h"

namespace {

// One level of a menu model as the clean-up sees it.
class MenuModelItems final : public LMenuItems
{
  public:
    explicit MenuModelItems(std::vector<UiMenuItem>& items) : items_(items) {}
    int32_t ItemCount() const override { return static_cast<int32_t>(items_.size()); }
    bool IsSeparator(int32_t position) const override
    {
        return items_[position].kind == UiMenuItem::Kind::Separator;
    }
    void RemoveItem(int32_t position) override { items_.erase(items_.begin() + position); }

  private:
    std::vector<UiMenuItem>& items_;
};

} // namespace

void RemoveRedundantMenuSeparators(LMenuItems* menu)
{
    if (menu == nullptr)
        return;
    int32_t position = 0;
    int32_t count = menu->ItemCount();
    while (position < count) {
        const bool redundant = menu->IsSeparator(position) &&
                               (position == 0 || position == count - 1 || menu->IsSeparator(position - 1) ||
                                menu->IsSeparator(position + 1));
        if (redundant) {
            menu->RemoveItem(position);
            // The item that moved up is looked at next, so runs of separators collapse.
            count = menu->ItemCount();
        } else {
            ++position;
        }
    }
}

void RemoveRedundantMenuSeparators(std::vector<UiMenuItem>& items)
{
    MenuModelItems level(items);
    RemoveRedundantMenuSeparators(&level);
    for (UiMenuItem& item : items) {
        if (item.kind == UiMenuItem::Kind::SubMenu)
            RemoveRedundantMenuSeparators(item.items);
    }
}
