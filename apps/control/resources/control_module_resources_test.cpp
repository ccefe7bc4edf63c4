#include "apps/control/resources/control_module_resources.h"

#include "activex/control_context_menu.h"
#include "shell/command_ids.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Without a player the control offers the first popup of menu 144, one About item named after it.
TEST(ControlModuleResourcesTest, FallbackMenuIsTheAboutItemOfMenu144)
{
    EXPECT_FALSE(ControlFallbackMenu());
    ScopedResources installed(ControlModuleResourceTables());
    const std::optional<UiMenu> menu = ControlFallbackMenu();
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->items.size(), 1u);
    EXPECT_EQ(menu->items[0].kind, UiMenuItem::Kind::Command);
    EXPECT_EQ(menu->items[0].id, command_id::kAbout);
    EXPECT_EQ(menu->items[0].text, "&About Zyl Player ActiveX");
}

TEST(ControlModuleResourcesTest, TypeAndPageNamesAndVersion)
{
    ScopedResources installed(ControlModuleResourceTables());
    EXPECT_EQ(std::string(FindStringResource(1)), "Zyl Player ActiveX Control");
    EXPECT_EQ(std::string(FindStringResource(2)), "Zyl Player ActiveX Property Page");
    EXPECT_EQ(ControlModuleFileVersion(), 0x0001000000000001u);
}

} // namespace
