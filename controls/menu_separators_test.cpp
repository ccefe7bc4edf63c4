#include "controls/menu_separators.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Items by label: "-" a separator, ">" a submenu.
class ListMenu final : public LMenuItems
{
  public:
    explicit ListMenu(std::vector<std::string> items) : items_(std::move(items)) {}

    int32_t ItemCount() const override { return static_cast<int32_t>(items_.size()); }
    bool IsSeparator(int32_t position) const override { return items_.at(position) == "-"; }
    void RemoveItem(int32_t position) override { items_.erase(items_.begin() + position); }

    const std::vector<std::string>& Items() const { return items_; }

  private:
    std::vector<std::string> items_;
};

TEST(RemoveRedundantMenuSeparators, LeavesNoLeadingTrailingOrDoubledSeparators)
{
    struct Case
    {
        std::vector<std::string> menu;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{"-", "Open", "-", "-", "Exit", "-"}, {"Open", "-", "Exit"}},
        {{"-", "-", "-"}, {}},
        {{">", "-", ">"}, {">", "-", ">"}},
        {{"-", ">", "-", "-", "-", "Exit"}, {">", "-", "Exit"}},
        {{}, {}},
        {{"Open"}, {"Open"}},
    };
    for (const Case& c : cases) {
        ListMenu menu(c.menu);
        RemoveRedundantMenuSeparators(&menu);
        EXPECT_EQ(menu.Items(), c.expected);
    }
    RemoveRedundantMenuSeparators(nullptr);
}

// A menu model is tidied at every level: the main menu loses commands in its sub-menus.
TEST(RemoveRedundantMenuSeparators, TidiesAMenuModelAndItsSubMenus)
{
    using Item = UiMenuItem;
    std::vector<UiMenuItem> items{Item::Separator(),
                                  Item::SubMenu("File", {Item::Command(1, "Open"), Item::Separator(),
                                                         Item::Separator(), Item::Command(2, "Exit"),
                                                         Item::Separator()}),
                                  Item::Separator()};
    RemoveRedundantMenuSeparators(items);
    ASSERT_EQ(items.size(), 1u);
    ASSERT_EQ(items[0].items.size(), 3u);
    EXPECT_EQ(items[0].items[0].id, 1);
    EXPECT_EQ(items[0].items[1].kind, UiMenuItem::Kind::Separator);
    EXPECT_EQ(items[0].items[2].id, 2);
}

} // namespace
