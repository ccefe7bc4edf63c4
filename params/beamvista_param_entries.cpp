#include "params/internal/beamvista_param_entries.h"

#include "params/beamvista_param_table.h"
#include "params/internal/beamvista_parameter_key.h"
#include "foundation/text/text_compare.h"

namespace {

constexpr int32_t kBuildGrowBy = 256;

// A caption goes in front of the row of the parameter named here.
struct Caption
{
    const char* before;
    int32_t kind;
    const char* text;
};

constexpr Caption kCaptions[] = {
    {"o_graphics_force", kEntryPage, "Main"},
    {"o_fog_structure", kEntryPage, "Fog"},
    {"o_force_generic_opengl", kEntryGroup, "OpenGl Setup"},
    {"o_draw_circle", kEntryGroup, "Test"},
    {"o_simulate", kEntryGroup, "Scanner Simulate Parameters"},
    {"o_bg0", kEntryGroup, "Background 1"},
    {"o_bg1", kEntryGroup, "Background 2"},
    {"o_bg2", kEntryGroup, "Background 3"},
    {"o_bg3", kEntryGroup, "Background 4"},
};

int32_t EntryKindOf(BeamvistaStorage storage)
{
    switch (storage) {
    case BeamvistaStorage::Byte:
        return kEntrySwitch;
    case BeamvistaStorage::Int32:
        return kEntryInt;
    case BeamvistaStorage::Float:
        return kEntryReal;
    case BeamvistaStorage::Text:
        break;
    }
    return kEntryText;
}

const Caption* CaptionBefore(const char* name)
{
    for (const Caption& caption : kCaptions) {
        if (StrEqual(caption.before, name))
            return &caption;
    }
    return nullptr;
}

} // namespace

bool BuildBeamvistaParamEntries(HArray<ValueHandlerDialogEntry>& list)
{
    list.SetSize(0);
    list.SetGrowBy(kBuildGrowBy);
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        if (def.block == BeamvistaBlock::Extended)
            continue;
        if (const Caption* caption = CaptionBefore(def.name))
            list.Append(ValueHandlerDialogEntry(caption->kind, caption->text));
        list.Append(ValueHandlerDialogEntry(EntryKindOf(def.storage), BeamvistaParameterKey(def.name)));
    }
    list.Append(ValueHandlerDialogEntry());
    list.SetGrowBy(0);
    return list.GetSize() > 0;
}
