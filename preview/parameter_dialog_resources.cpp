#include "preview/parameter_dialog_resources.h"

#include "preview/parameter_panel_templates.h"

#include <array>

namespace {

// 16 x 15 glyphs in the letters of platform/glyph_palette.h: a circular arrow; the same around a
// crossed-out page; an open folder; a disk.
// clang-format off
constexpr const char* kResetGlyph[] = {
    "                ",
    "      bbbb      ",
    "    bbBBBBbb b  ",
    "   bB      Bbb  ",
    "  bB       bbb  ",
    "  bB      bbbb  ",
    " bB             ",
    " bB             ",
    " bB             ",
    "  bB         bB ",
    "  bB        bB  ",
    "   bB      Bb   ",
    "    bbBBBBbb    ",
    "      bbbb      ",
    "                ",
};

constexpr const char* kResetIgnoringShowGlyph[] = {
    "kkkkkkkkk       ",
    "kwwwwwwwkk  bb  ",
    "kwRwwwwRwwk bb  ",
    "kwwRwwRwwwwkbb  ",
    "kwwwRRwwwwwk b  ",
    "kwwwRRwwwwwk    ",
    "kwwRwwRwwwwk b  ",
    "kwRwwwwRwwwk bB ",
    "kRwwwwwwRwwk bB ",
    "kwwwwwwwwRwk bB ",
    "kwwwwwwwwwRkbB  ",
    "kwwwwwwwwwwkB   ",
    "kkkkkkkkkkkk    ",
    "    bbBBBBbb    ",
    "      bbbb      ",
};

constexpr const char* kLoadGlyph[] = {
    "                ",
    "                ",
    " kkkk           ",
    "kYYYYk          ",
    "kYwYYkkkkkkkk   ",
    "kwYwYwYwYwYYk   ",
    "kYwYkkkkkkkkkkk ",
    "kwYkyyyyyyyyyyk ",
    "kYkyyyyyyyyyyk  ",
    "kwkyyyyyyyyyyk  ",
    "kkyyyyyyyyyyk   ",
    "kkyyyyyyyyyyk   ",
    "kkkkkkkkkkkk    ",
    "                ",
    "                ",
};

constexpr const char* kSaveGlyph[] = {
    " kkkkkkkkkkkkkk ",
    " kckwwwwwwwwkck ",
    " kckwwwwwwwwkkk ",
    " kckwwwwwwwwkck ",
    " kckwwwwwwwwkck ",
    " kckwwwwwwwwkck ",
    " kcckkkkkkkkcck ",
    " kcccccccccccck ",
    " kcckkkkkkkkcck ",
    " kcckkkkkksskck ",
    " kcckkkkkksskck ",
    " kcckkkkkksskck ",
    " kcckkkkkkkkkck ",
    "  kkkkkkkkkkkkk ",
    "                ",
};
// clang-format on

constexpr std::array kToolsWithPreview{
    ToolbarButton{kCommandResetAll, kResetGlyph},
    ToolbarButton{kCommandResetIgnoringShow, kResetIgnoringShowGlyph},
    ToolbarButton{kCommandLoadParameters, kLoadGlyph},
    ToolbarButton{kCommandSaveParameters, kSaveGlyph},
};
constexpr std::array kToolsWithoutPreview{ToolbarButton{kCommandResetAll, kResetGlyph}};

constexpr std::array kToolbars{
    ToolbarResource{kToolbarWithPreview, kToolsWithPreview},
    ToolbarResource{kToolbarWithoutPreview, kToolsWithoutPreview},
};

constexpr std::array kStrings{
    StringResource{kCommandResetAll, "Reset all Parameters to Defaults"},
    StringResource{kCommandResetIgnoringShow, "Reset all Parameters to Defaults  (Ignore Zyl Parameters)"},
    StringResource{kCommandLoadParameters, "Load Parameters from File"},
    StringResource{kCommandSaveParameters, "Save current Parameters to File"},
};

} // namespace

const ResourceTables& ParameterDialogResourceTables()
{
    static const ResourceTables tables{{}, ParameterPanelTemplates(), kStrings, {}, kToolbars};
    return tables;
}
