#include "platform/virtual_keys.h"
#include "platform/wx/virtual_keys_wx.h"

#include <gtest/gtest.h>
#include <wx/defs.h>

namespace {

TEST(VirtualKeysWxTest, KeypadFormsMeanWhatTheMainKeysMean)
{
    const std::pair<int, int32_t> keys[] = {
        {WXK_NUMPAD_UP, vk::kUp},
        {WXK_UP, vk::kUp},
        {WXK_NUMPAD_DOWN, vk::kDown},
        {WXK_NUMPAD_LEFT, vk::kLeft},
        {WXK_NUMPAD_RIGHT, vk::kRight},
        {WXK_NUMPAD_HOME, vk::kHome},
        {WXK_NUMPAD_END, vk::kEnd},
        {WXK_NUMPAD_PAGEUP, vk::kPageUp},
        {WXK_NUMPAD_PAGEDOWN, vk::kPageDown},
        {WXK_NUMPAD_INSERT, vk::kInsert},
        {WXK_NUMPAD_DELETE, vk::kDelete},
        {WXK_NUMPAD_ENTER, vk::kReturn},
        {WXK_RETURN, vk::kReturn},
        {WXK_NUMPAD_SPACE, vk::kSpace},
        {WXK_NUMPAD_F1, vk::kF1},
        {WXK_F7, vk::kF7},
        {'c', 'C'},
        {'C', 'C'},
    };
    for (const auto& [wx, expected] : keys)
        EXPECT_EQ(VirtualKeyFromWx(wx), expected) << "wx key " << wx;
    EXPECT_EQ(WxKeyFromVirtualKey(vk::kUp), WXK_UP) << "the main key comes back, not the keypad's";
}

} // namespace
