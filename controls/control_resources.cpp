#include "controls/control_resources.h"

#include "controls/dialog_template.h"

#include <array>

namespace {

constexpr DialogItem kFrameItems[] = {
    {kFrameSeparatorId, DialogItemKind::kSeparator, {0, 0, 199, 1}, ""},
};

constexpr DialogTemplate kPanelStack{kTemplatePanelStack, ControlWindowKind::kPanelStack, 199, 290, "", {}};
constexpr DialogTemplate kEmptyPanel{kTemplateEmptyPanel, ControlWindowKind::kPanel, 186, 95, "", {}};
constexpr DialogTemplate kFrameDialog{
    kTemplateFrameDialog, ControlWindowKind::kDialog, 200, 279, "Frame Dialog", kFrameItems};

constexpr std::array kDialogs{
    DialogResource{kTemplatePanelStack, &kPanelStack},
    DialogResource{kTemplateEmptyPanel, &kEmptyPanel},
    DialogResource{kTemplateFrameDialog, &kFrameDialog},
};

constexpr std::array kStrings{StringResource{kStringResourceCheck, kResourceCheckText}};

// A closed hand holding the content, black on white.
// clang-format off
constexpr const char* kGrabbingHand[] = {
    "                ",
    "                ",
    "                ",
    "    kk kk kk    ",
    "   kwwkwwkwwkk  ",
    "   kwwkwwkwwkwk ",
    "  kkwwwwwwwwwwk ",
    " kwkwwwwwwwwwwk ",
    " kwwwwwwwwwwwwk ",
    "  kwwwwwwwwwwwk ",
    "  kwwwwwwwwwwk  ",
    "   kwwwwwwwwwk  ",
    "    kwwwwwwwk   ",
    "    kwwwwwwwk   ",
    "    kkkkkkkkk   ",
    "                ",
};
// clang-format on
constexpr int32_t kGrabbingHandHotSpot = 8;

constexpr std::array kPictures{
    PictureResource{ResourceKind::Cursor, kCursorDragScroll, nullptr, 0, kGrabbingHandHotSpot,
                    kGrabbingHandHotSpot, kGrabbingHand},
};

} // namespace

const ResourceTables& ControlResourceTables()
{
    static const ResourceTables tables{{}, kDialogs, kStrings, kPictures, {}};
    return tables;
}
