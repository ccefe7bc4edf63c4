#include "preview/parameter_panel_templates.h"

#include "controls/dialog_template.h"

#include <array>

namespace {

using K = DialogItemKind;

constexpr DialogItem kMainItems[] = {
    {kNoItemId, K::kLabel, {20, 7, 37, 8}, "Line Width:"},
    {2234, K::kEdit, {60, 5, 40, 12}, ""},
    {2235, K::kSpin, {100, 5, 8, 12}, ""},
    {2204, K::kCheckbox, {5, 25, 44, 10}, "Graphics"},
    {kNoItemId, K::kLabel, {20, 41, 29, 8}, "Intensity:"},
    {2206, K::kEdit, {60, 40, 40, 12}, ""},
    {2207, K::kSpin, {100, 40, 8, 12}, ""},
    {kNoItemId, K::kLabel, {20, 57, 16, 8}, "Size:"},
    {2212, K::kEdit, {60, 55, 40, 12}, ""},
    {2213, K::kSpin, {100, 55, 8, 12}, ""},
    {2218, K::kSpinXY, {110, 55, 13, 12}, ""},
    {2214, K::kEdit, {125, 55, 40, 12}, ""},
    {2215, K::kSpin, {165, 55, 8, 12}, ""},
    {kNoItemId, K::kLabel, {20, 73, 28, 8}, "Position:"},
    {2216, K::kEdit, {60, 70, 40, 12}, ""},
    {2217, K::kSpin, {100, 70, 8, 12}, ""},
    {2219, K::kSpinXY, {110, 70, 13, 12}, ""},
    {2220, K::kEdit, {125, 70, 40, 12}, ""},
    {2221, K::kSpin, {165, 70, 8, 12}, ""},
    {2205, K::kCheckbox, {5, 90, 28, 10}, "Fog"},
    {kNoItemId, K::kLabel, {20, 107, 29, 8}, "Intensity:"},
    {2222, K::kEdit, {60, 105, 40, 12}, ""},
    {2223, K::kSpin, {100, 105, 8, 12}, ""},
    {2224, K::kEdit, {125, 105, 40, 12}, ""},
    {2225, K::kSpin, {165, 105, 8, 12}, ""},
    {kNoItemId, K::kLabel, {20, 121, 28, 8}, "Position:"},
    {2226, K::kEdit, {60, 120, 40, 12}, ""},
    {2227, K::kSpin, {100, 120, 8, 12}, ""},
    {2237, K::kSpinXY, {110, 120, 13, 12}, ""},
    {2228, K::kEdit, {125, 120, 40, 12}, ""},
    {2229, K::kSpin, {165, 120, 8, 12}, ""},
    {2208, K::kCheckbox, {5, 140, 57, 10}, "Beam Detect"},
    {kNoItemId, K::kLabel, {20, 158, 29, 8}, "Intensity:"},
    {2230, K::kEdit, {60, 155, 40, 12}, ""},
    {2231, K::kSpin, {100, 155, 8, 12}, ""},
    {kNoItemId, K::kLabel, {20, 172, 26, 8}, "Repeat:"},
    {2236, K::kEdit, {60, 170, 40, 12}, ""},
    {2238, K::kSpin, {100, 170, 8, 12}, ""},
    {2209, K::kCheckbox, {5, 190, 54, 10}, "Beam Table"},
    {kNoItemId, K::kLabel, {20, 209, 29, 8}, "Intensity:"},
    {2232, K::kEdit, {60, 206, 40, 12}, ""},
    {2233, K::kSpin, {100, 206, 8, 12}, ""},
};

constexpr DialogItem kFogItems[] = {
    {2210, K::kCheckbox, {5, 5, 56, 10}, "True 3D Fog"},
    {kNoItemId, K::kLabel, {5, 21, 32, 8}, "Structure:"},
    {2211, K::kEdit, {45, 20, 40, 12}, ""},
    {2218, K::kSpin, {85, 20, 8, 12}, ""},
    {kNoItemId, K::kLabel, {5, 36, 24, 8}, "Clouds:"},
    {2214, K::kEdit, {45, 35, 40, 12}, ""},
    {2219, K::kSpin, {85, 35, 8, 12}, ""},
    {kNoItemId, K::kLabel, {5, 52, 24, 8}, "Speed:"},
    {2220, K::kEdit, {45, 50, 40, 12}, ""},
    {2221, K::kSpin, {85, 50, 8, 12}, ""},
    {kNoItemId, K::kLabel, {5, 68, 31, 8}, "Direction:"},
    {2234, K::kEdit, {45, 65, 40, 12}, ""},
    {2235, K::kSpin, {85, 65, 8, 12}, ""},
    {2236, K::kEdit, {105, 65, 40, 12}, ""},
    {2237, K::kSpin, {145, 65, 8, 12}, ""},
    {kNoItemId, K::kLabel, {5, 83, 24, 8}, "Rotate:"},
    {2238, K::kEdit, {45, 80, 40, 12}, ""},
    {2239, K::kSpin, {85, 80, 8, 12}, ""},
};

constexpr DialogItem kOpenGlItems[] = {
    {2201, K::kCheckbox, {5, 5, 105, 10}, "Force generic OpenGl driver"},
    {2033, K::kCheckbox, {5, 20, 92, 10}, "Enhanced Line Drawing"},
    {2036, K::kCheckbox, {5, 35, 97, 10}, "Enhanced Beam Drawing"},
    {2034, K::kCheckbox, {5, 50, 72, 10}, "Line/Beam Profile"},
    {2035, K::kCheckbox, {5, 65, 77, 10}, "Polygon Smoothing"},
    {2210, K::kCheckbox, {5, 80, 56, 10}, "True 3D Fog"},
    {2204, K::kPushButton, {5, 95, 60, 14}, "Load Defaults"},
    {2202, K::kPushButton, {70, 95, 60, 14}, "Save As Default"},
    {2203, K::kPushButton, {5, 115, 125, 14}, "Reset To System Default"},
};

constexpr DialogItem kBackgroundItems[] = {
    {2240, K::kCheckbox, {10, 10, 8, 8}, ""},
    {2241, K::kPushButton, {23, 8, 32, 12}, "Load"},
    {2242, K::kEdit, {65, 8, 130, 12}, "", true},
    {kNoItemId, K::kLabel, {25, 31, 29, 8}, "Intensity:"},
    {2243, K::kEdit, {65, 30, 40, 12}, ""},
    {2244, K::kSpin, {105, 30, 8, 12}, ""},
    {kNoItemId, K::kLabel, {25, 47, 16, 8}, "Size:"},
    {2245, K::kEdit, {65, 45, 40, 12}, ""},
    {2246, K::kSpin, {105, 45, 8, 12}, ""},
    {2249, K::kSpinXY, {115, 45, 13, 12}, ""},
    {2247, K::kEdit, {131, 45, 40, 12}, ""},
    {2248, K::kSpin, {171, 45, 8, 12}, ""},
    {kNoItemId, K::kLabel, {25, 63, 28, 8}, "Position:"},
    {2250, K::kEdit, {65, 60, 40, 12}, ""},
    {2251, K::kSpin, {105, 60, 8, 12}, ""},
    {2254, K::kSpinXY, {115, 60, 13, 12}, ""},
    {2252, K::kEdit, {131, 60, 40, 12}, ""},
    {2253, K::kSpin, {171, 60, 8, 12}, ""},
};

constexpr ControlWindowKind kPanel = ControlWindowKind::kPanel;
constexpr DialogTemplate kMain{kTemplateParamMain, kPanel, 181, 226, "", kMainItems};
constexpr DialogTemplate kFog{kTemplateParamFog, kPanel, 161, 101, "", kFogItems};
constexpr DialogTemplate kOpenGl{kTemplateParamOpenGl, kPanel, 136, 136, "", kOpenGlItems};
constexpr DialogTemplate kBackground{kTemplateParamBackground, kPanel, 201, 81, "", kBackgroundItems};

constexpr std::array kTemplates{
    DialogResource{kTemplateParamOpenGl, &kOpenGl},
    DialogResource{kTemplateParamMain, &kMain},
    DialogResource{kTemplateParamFog, &kFog},
    DialogResource{kTemplateParamBackground, &kBackground},
};

} // namespace

std::span<const DialogResource> ParameterPanelTemplates()
{
    return kTemplates;
}
