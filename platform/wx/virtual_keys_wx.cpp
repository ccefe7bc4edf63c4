#include "platform/wx/virtual_keys_wx.h"

#include <gtk/gtk.h>
#include <wx/defs.h>
#include <wx/event.h>

#include <array>

namespace {

struct KeyPair
{
    int wx;
    int32_t vk;
};

constexpr std::array kKeys{
    KeyPair{WXK_BACK, 0x08},      KeyPair{WXK_TAB, 0x09},       KeyPair{WXK_RETURN, 0x0D},
    KeyPair{WXK_SHIFT, 0x10},     KeyPair{WXK_CONTROL, 0x11},   KeyPair{WXK_ALT, 0x12},
    KeyPair{WXK_PAUSE, 0x13},     KeyPair{WXK_CAPITAL, 0x14},   KeyPair{WXK_ESCAPE, 0x1B},
    KeyPair{WXK_SPACE, 0x20},     KeyPair{WXK_PAGEUP, 0x21},    KeyPair{WXK_PAGEDOWN, 0x22},
    KeyPair{WXK_END, 0x23},       KeyPair{WXK_HOME, 0x24},      KeyPair{WXK_LEFT, 0x25},
    KeyPair{WXK_UP, 0x26},        KeyPair{WXK_RIGHT, 0x27},     KeyPair{WXK_DOWN, 0x28},
    KeyPair{WXK_INSERT, 0x2D},    KeyPair{WXK_DELETE, 0x2E},    KeyPair{WXK_NUMPAD_ENTER, 0x0D},
    KeyPair{WXK_MULTIPLY, 0x6A},  KeyPair{WXK_ADD, 0x6B},       KeyPair{WXK_SUBTRACT, 0x6D},
    KeyPair{WXK_DECIMAL, 0x6E},   KeyPair{WXK_DIVIDE, 0x6F},    KeyPair{WXK_NUMPAD_MULTIPLY, 0x6A},
    KeyPair{WXK_NUMPAD_ADD, 0x6B}, KeyPair{WXK_NUMPAD_SUBTRACT, 0x6D}, KeyPair{WXK_NUMPAD_DECIMAL, 0x6E},
    KeyPair{WXK_NUMPAD_DIVIDE, 0x6F}, KeyPair{';', 0xBA},      KeyPair{'=', 0xBB},
    KeyPair{',', 0xBC},           KeyPair{'-', 0xBD},           KeyPair{'.', 0xBE},
    KeyPair{'/', 0xBF},           KeyPair{'`', 0xC0},           KeyPair{'[', 0xDB},
    KeyPair{'\\', 0xDC},          KeyPair{']', 0xDD},           KeyPair{'\'', 0xDE},
    // The keypad's own forms (Num Lock off) mean what the main keys mean.
    KeyPair{WXK_NUMPAD_SPACE, 0x20}, KeyPair{WXK_NUMPAD_TAB, 0x09}, KeyPair{WXK_NUMPAD_PAGEUP, 0x21},
    KeyPair{WXK_NUMPAD_PAGEDOWN, 0x22}, KeyPair{WXK_NUMPAD_END, 0x23}, KeyPair{WXK_NUMPAD_HOME, 0x24},
    KeyPair{WXK_NUMPAD_LEFT, 0x25}, KeyPair{WXK_NUMPAD_UP, 0x26},  KeyPair{WXK_NUMPAD_RIGHT, 0x27},
    KeyPair{WXK_NUMPAD_DOWN, 0x28}, KeyPair{WXK_NUMPAD_INSERT, 0x2D}, KeyPair{WXK_NUMPAD_DELETE, 0x2E},
    KeyPair{WXK_NUMPAD_F1, 0x70},   KeyPair{WXK_NUMPAD_F2, 0x71},  KeyPair{WXK_NUMPAD_F3, 0x72},
    KeyPair{WXK_NUMPAD_F4, 0x73},
};

constexpr int32_t kVkF1 = 0x70;
constexpr int32_t kVkNumpad0 = 0x60;
constexpr int kFunctionKeys = 24;

} // namespace

int32_t VirtualKeyFromWx(int key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return key;
    if (key >= 'a' && key <= 'z')
        return key - 'a' + 'A';
    if (key >= WXK_F1 && key < WXK_F1 + kFunctionKeys)
        return kVkF1 + (key - WXK_F1);
    if (key >= WXK_NUMPAD0 && key <= WXK_NUMPAD9)
        return kVkNumpad0 + (key - WXK_NUMPAD0);
    for (const KeyPair& pair : kKeys) {
        if (pair.wx == key)
            return pair.vk;
    }
    return 0;
}

int WxKeyFromVirtualKey(int32_t vk)
{
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return vk;
    if (vk >= kVkF1 && vk < kVkF1 + kFunctionKeys)
        return WXK_F1 + (vk - kVkF1);
    if (vk >= kVkNumpad0 && vk <= kVkNumpad0 + 9)
        return WXK_NUMPAD0 + (vk - kVkNumpad0);
    for (const KeyPair& pair : kKeys) {
        if (pair.vk == vk)
            return pair.wx;
    }
    return WXK_NONE;
}

namespace {

// On a layout without Latin letters the key's first-group symbol names the letter, so that
// Ctrl+C still copies; 0 when that is no letter either.
int32_t LatinLetterOfKey(const wxKeyEvent& event)
{
    GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_display_get_default());
    guint keyval = 0;
    if (keymap == nullptr ||
        !gdk_keymap_translate_keyboard_state(keymap, event.GetRawKeyFlags(), GdkModifierType(0), 0, &keyval,
                                             nullptr, nullptr, nullptr))
        return 0;
    const guint upper = gdk_keyval_to_upper(keyval);
    return upper >= GDK_KEY_A && upper <= GDK_KEY_Z ? static_cast<int32_t>('A' + (upper - GDK_KEY_A)) : 0;
}

} // namespace

uint32_t ModifiersFromWx(const wxKeyboardState& state)
{
    return (state.ShiftDown() ? kUiShift : 0) | (state.ControlDown() ? kUiCtrl : 0) |
           (state.AltDown() ? kUiAlt : 0);
}

UiKeyEvent KeyEventFromWx(const wxKeyEvent& event)
{
    int32_t key = VirtualKeyFromWx(event.GetKeyCode());
    if (key == 0 && gdk_display_get_default() != nullptr)
        key = LatinLetterOfKey(event);
    return {key, ModifiersFromWx(event)};
}

UiMouseEvent MouseEventFromWx(const wxMouseEvent& event)
{
    const uint32_t buttons = (event.LeftIsDown() ? kUiLeftButton : 0) |
                             (event.MiddleIsDown() ? kUiMiddleButton : 0) |
                             (event.RightIsDown() ? kUiRightButton : 0);
    return {{event.GetX(), event.GetY()},
            ModifiersFromWx(event),
            buttons,
            static_cast<uint32_t>(event.GetTimestamp())};
}
