#include "params/beamvista_param_table.h"

#include <array>

namespace {

constexpr BeamvistaField FieldOf(uint8_t LBeamvistaPars::*member)
{
    return {member, nullptr, nullptr, nullptr};
}
constexpr BeamvistaField FieldOf(int32_t LBeamvistaPars::*member)
{
    return {nullptr, member, nullptr, nullptr};
}
constexpr BeamvistaField FieldOf(float LBeamvistaPars::*member)
{
    return {nullptr, nullptr, member, nullptr};
}
constexpr BeamvistaField FieldOf(XAString LBeamvistaPars::*member)
{
    return {nullptr, nullptr, nullptr, member};
}

// clang-format off
#define ZYL_BEAMVISTA_ROW(field, name, storage, def, min, max, step, intDigits, fracDigits, width, block, tag) \
    BeamvistaParamDef{name, BeamvistaStorage::storage, def, min, max, step, kBeamvistaFineStep, intDigits, \
                      fracDigits, width, BeamvistaBlock::block, tag, FieldOf(&LBeamvistaPars::field)},
// clang-format on

constexpr std::array<BeamvistaParamDef, kBeamvistaParamCount> kTable = {{
#include "params/beamvista_param_list.inc"
}};

#undef ZYL_BEAMVISTA_ROW

// An integer parameter is a switch, kept in one byte, exactly when its range is 0..1.
constexpr bool StorageFollowsRange()
{
    for (const BeamvistaParamDef& def : kTable) {
        const bool switchRange = def.minimum == 0 && def.maximum == 1;
        if ((def.storage == BeamvistaStorage::Byte) !=
            (switchRange && def.storage != BeamvistaStorage::Float && def.storage != BeamvistaStorage::Text))
            return false;
    }
    return true;
}
static_assert(StorageFollowsRange());

// Blocks follow one another in field order, so visiting the rows in order visits the blocks in
// their order.
constexpr bool BlocksInOrder()
{
    for (size_t i = 1; i < kTable.size(); ++i) {
        if (kTable[i].block < kTable[i - 1].block)
            return false;
    }
    return true;
}
static_assert(BlocksInOrder());

// The background rows are four blocks of the same eight members, tagged 0x7100 + 0x100 n + 0x10 k.
constexpr bool BackgroundRowsInPlace()
{
    constexpr int32_t kFirstTag = 0x7100;
    for (int32_t n = 0; n < kBeamvistaBackgroundCount; ++n) {
        for (int32_t k = 0; k < kBeamvistaBgMemberCount; ++k) {
            const BeamvistaParamDef& def =
                kTable[kBeamvistaFirstBackgroundRow + kBeamvistaBgMemberCount * n + k];
            if (def.block != BeamvistaBlock::Backgrounds || def.tag != kFirstTag + 0x100 * n + 0x10 * k)
                return false;
        }
    }
    return true;
}
static_assert(BackgroundRowsInPlace());

} // namespace

std::span<const BeamvistaParamDef, kBeamvistaParamCount> BeamvistaParamTable()
{
    return kTable;
}
