#include "controls/system_colours.h"

#include <utility>

namespace {

const SystemColourSource* g_current = nullptr;

} // namespace

const SystemColourPalette& SystemColourPalette::Classic()
{
    static const SystemColourPalette classic(Table{
        MakeRgb(0, 0, 0),       // button text
        MakeRgb(192, 192, 192), // button face
        MakeRgb(255, 255, 255), // button highlight
        MakeRgb(128, 128, 128), // button shadow
        MakeRgb(223, 223, 223), // 3-D light
        MakeRgb(64, 64, 64),    // 3-D dark shadow
        MakeRgb(0, 0, 0),       // window text
        MakeRgb(255, 255, 255), // window
    });
    return classic;
}

const SystemColourSource& CurrentSystemColours()
{
    return g_current ? *g_current : SystemColourPalette::Classic();
}

const SystemColourSource* SetSystemColours(const SystemColourSource* source)
{
    return std::exchange(g_current, source);
}
