#include "params/beamvista_pars.h"

#include "params/beamvista_param_table.h"

namespace {

// Bits of a selector that select a block, and bits that exclude it.
constexpr uint32_t kSelectingBits = 0x0000ffff;
constexpr uint32_t kExcludingBits = 0xffff0000;

constexpr uint32_t kMainSelector = 0x11;
constexpr uint32_t kOpenGlSelector = 0x22;
constexpr uint32_t kSimulationSelector = 0x11;
constexpr uint32_t kBackgroundsSelector = 0x21;
constexpr uint32_t kExtendedSelector = 0x30022;

} // namespace

LBeamvistaPars::LBeamvistaPars()
{
    SetDefaults();
}

uint32_t LBeamvistaPars::BlockSelector(BeamvistaBlock block)
{
    switch (block) {
    case BeamvistaBlock::Main:
        return kMainSelector;
    case BeamvistaBlock::OpenGl:
        return kOpenGlSelector;
    case BeamvistaBlock::Simulation:
        return kSimulationSelector;
    case BeamvistaBlock::Backgrounds:
        return kBackgroundsSelector;
    case BeamvistaBlock::Extended:
        break;
    }
    return kExtendedSelector;
}

bool LBeamvistaPars::SelectsBlock(uint32_t mask, BeamvistaBlock block)
{
    const uint32_t bits = mask & BlockSelector(block);
    return (bits & kSelectingBits) != 0 && (bits & kExcludingBits) == 0;
}

const BeamvistaParamDef& LBeamvistaPars::BackgroundMember(int32_t k, int32_t n)
{
    return BeamvistaParamTable()[kBeamvistaFirstBackgroundRow + kBeamvistaBgMemberCount * n + k];
}

int32_t& LBeamvistaPars::BgSwitch(int32_t n)
{
    return this->*BackgroundMember(kBgSwitch, n).field.intField;
}

uint8_t& LBeamvistaPars::BgLoad(int32_t n)
{
    return this->*BackgroundMember(kBgLoad, n).field.byteField;
}

XAString& LBeamvistaPars::BgFilename(int32_t n)
{
    return this->*BackgroundMember(kBgFilename, n).field.textField;
}

float& LBeamvistaPars::BgReal(int32_t k, int32_t n)
{
    return this->*BackgroundMember(k, n).field.floatField;
}

void LBeamvistaPars::SetDefaults()
{
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        switch (def.storage) {
        case BeamvistaStorage::Byte:
            this->*def.field.byteField = def.defaultValue != 0 ? 1 : 0;
            break;
        case BeamvistaStorage::Int32:
            this->*def.field.intField = static_cast<int32_t>(def.defaultValue);
            break;
        case BeamvistaStorage::Float:
            this->*def.field.floatField = NarrowToFloat(def.defaultValue);
            break;
        case BeamvistaStorage::Text:
            this->*def.field.textField = XAString();
            break;
        }
    }
}

LBeamvistaPars& BeamvistaDefaultPars()
{
    static LBeamvistaPars defaults;
    return defaults;
}
