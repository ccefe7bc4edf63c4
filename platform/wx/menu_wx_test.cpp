#include "platform/wx/menu_wx.h"

#include "platform/ui_input.h"

#include <gdk/gdk.h>
#include <gtest/gtest.h>

namespace {

// The shortcut texts of the menus as the window system shows them beside the items.
TEST(ParseMenuShortcut, ReadsTheMenusShortcutTexts)
{
    struct Case
    {
        const char* text;
        const char* key;
        uint32_t modifiers;
    };
    for (const Case c : {Case{"Ctrl+O", "O", kUiCtrl}, Case{"Alt+Return", "Return", kUiAlt},
                         Case{"Ctrl+Del", "Delete", kUiCtrl}, Case{"F2", "F2", 0u}, Case{"Alt+F4", "F4", kUiAlt},
                         Case{"Space", "space", 0u}, Case{"Shift+I", "I", kUiShift}, Case{"->", "Right", 0u},
                         Case{"Ctrl <-", "Left", kUiCtrl}, Case{"Ctrl+Alt ->", "Right", kUiCtrl | kUiAlt},
                         Case{"Ctrl+Alt+R", "R", kUiCtrl | kUiAlt}, Case{"E", "E", 0u}}) {
        SCOPED_TRACE(c.text);
        MenuShortcut shortcut;
        ASSERT_TRUE(ParseMenuShortcut(c.text, shortcut));
        EXPECT_EQ(shortcut.key, gdk_keyval_from_name(c.key));
        EXPECT_EQ(shortcut.modifiers, c.modifiers);
    }
    MenuShortcut shortcut;
    for (const char* text : {"", "Ctrl+", "Hyper+X", "Ctrl+Nowhere"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseMenuShortcut(text, shortcut));
    }
}

} // namespace
