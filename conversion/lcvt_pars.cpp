#include "conversion/lcvt_pars.h"

namespace {

constexpr uint32_t kGroupBits = 0xFFFFu;
constexpr int32_t kAlternativeVariant = 1;
constexpr int32_t kAlternativeFirst = 294;
constexpr std::array<int32_t, 5> kAlternativeValues{2, 3, 4, 2, 3};
constexpr int32_t kFourEntryFirst = 206;
constexpr int32_t kTwoEntryFirst = 224;
constexpr int32_t kEntryWidth = 4;

template <typename T, std::size_t N> T* FieldOf(std::array<T, N>& fields, int32_t n, CvtParKind kind)
{
    const CvtParDef& def = CvtParDefinition(n);
    if (def.number == 0 || def.kind != kind || def.slot < 0 || static_cast<std::size_t>(def.slot) >= N) {
        return nullptr;
    }
    return &fields[static_cast<std::size_t>(def.slot)];
}

} // namespace

LCvtPars::LCvtPars()
{
    InitPointerTables();
    SetDefaults(kAllGroups, 0);
}

LCvtPars::LCvtPars(const LCvtPars& other)
    : switches_(other.switches_), ints_(other.ints_), reals_(other.reals_), texts_(other.texts_)
{
    InitPointerTables();
}

LCvtPars& LCvtPars::operator=(const LCvtPars& other)
{
    switches_ = other.switches_;
    ints_ = other.ints_;
    reals_ = other.reals_;
    texts_ = other.texts_;
    return *this;
}

uint8_t* LCvtPars::Switch(int32_t n)
{
    return FieldOf(switches_, n, CvtParKind::kSwitch);
}

int32_t* LCvtPars::Int(int32_t n)
{
    return FieldOf(ints_, n, CvtParKind::kInteger);
}

double* LCvtPars::Real(int32_t n)
{
    return FieldOf(reals_, n, CvtParKind::kReal);
}

XAString* LCvtPars::Text(int32_t n)
{
    return FieldOf(texts_, n, CvtParKind::kText);
}

void LCvtPars::InitPointerTables()
{
    for (int32_t j = 0; j < 4; ++j) {
        const int32_t base = kFourEntryFirst + kEntryWidth * j;
        const auto at = static_cast<std::size_t>(j);
        FourEntryPointers.enabled[at] = Switch(base);
        FourEntryPointers.first[at] = Real(base + 1);
        FourEntryPointers.second[at] = Real(base + 2);
        FourEntryPointers.count[at] = Int(base + 3);
    }
    for (int32_t j = 0; j < 2; ++j) {
        const int32_t base = kTwoEntryFirst + kEntryWidth * j;
        const auto at = static_cast<std::size_t>(j);
        TwoEntryPointers.first[at] = Real(base);
        TwoEntryPointers.second[at] = Real(base + 1);
        TwoEntryPointers.third[at] = Real(base + 2);
        TwoEntryPointers.count[at] = Int(base + 3);
    }
}

void LCvtPars::SetDefaults(uint32_t mask, int32_t variant)
{
    for (int32_t n = 1; n <= kCvtParCount; ++n) {
        const CvtParDef& def = CvtParDefinition(n);
        const uint32_t shared = mask & def.tag;
        if ((shared & kGroupBits) != 0 && (shared & ~kGroupBits) == 0) {
            ResetField(def, variant);
        }
    }
}

void LCvtPars::ResetField(const CvtParDef& def, int32_t variant)
{
    const int32_t n = def.number;
    switch (def.kind) {
    case CvtParKind::kSwitch:
        *Switch(n) = static_cast<uint8_t>(def.defaultValue);
        break;
    case CvtParKind::kInteger: {
        const int32_t alternative = n - kAlternativeFirst;
        const bool useAlternative = variant == kAlternativeVariant && alternative >= 0 &&
                                    alternative < static_cast<int32_t>(kAlternativeValues.size());
        *Int(n) = useAlternative ? kAlternativeValues[static_cast<std::size_t>(alternative)]
                                 : static_cast<int32_t>(def.defaultValue);
        break;
    }
    case CvtParKind::kReal:
        *Real(n) = def.defaultValue;
        break;
    case CvtParKind::kText:
        *Text(n) = def.text;
        break;
    }
}
