#include "platform/wx/virtual_keys_wx.h"

#include <wx/defs.h>

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
