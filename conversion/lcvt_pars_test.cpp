#include "conversion/lcvt_pars.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool AtDefault(const LCvtPars& p, int32_t n)
{
    const CvtParDef& d = CvtParDefinition(n);
    switch (d.kind) {
    case CvtParKind::kSwitch:
        return *p.Switch(n) == d.defaultValue;
    case CvtParKind::kInteger:
        return *p.Int(n) == d.defaultValue;
    case CvtParKind::kReal:
        return *p.Real(n) == d.defaultValue;
    case CvtParKind::kText:
        return std::string(p.Text(n)->CStr()) == d.text;
    }
    return false;
}

// Moves every field off its default.
void Disturb(LCvtPars& p)
{
    for (int32_t n = 1; n <= kCvtParCount; ++n) {
        if (uint8_t* s = p.Switch(n)) {
            *s = static_cast<uint8_t>(1 - *s);
        } else if (int32_t* i = p.Int(n)) {
            *i += 1000000;
        } else if (double* r = p.Real(n)) {
            *r += 0.5;
        } else {
            *p.Text(n) = "changed";
        }
    }
}

// Written from the tag table: which fields a reset with this mask selects.
bool Selected(int32_t n, uint32_t mask)
{
    auto in = [n](int32_t a, int32_t b) { return n >= a && n <= b; };
    uint32_t tag = 0x1;
    if (in(1, 11)) {
        tag = 0x20010;
    } else if (in(13, 24)) {
        tag = 0x10;
    } else if (n == 12 || in(48, 53) || in(318, 354)) {
        tag = 0x21000;
    } else if (in(25, 42) || in(224, 239) || in(304, 317)) {
        tag = 0x1000;
    } else if (in(67, 80) || in(90, 122) || n == 128 || n == 156) {
        tag = 0x10001;
    }
    const uint32_t shared = mask & tag;
    return (shared & 0xFFFF) != 0 && (shared >> 16) == 0;
}

} // namespace

TEST(LCvtPars, NewRecordHoldsEveryDefault)
{
    const LCvtPars p;
    for (int32_t n = 1; n <= kCvtParCount; ++n) {
        EXPECT_TRUE(AtDefault(p, n)) << n;
    }
    EXPECT_STREQ(p.Text(335)->CStr(), "C:\\AutoSave\\vuRant");
    EXPECT_STREQ(p.Text(336)->CStr(), "vuRant");
    EXPECT_EQ(p.Switch(14), nullptr);
    EXPECT_EQ(p.Real(0), nullptr);
    EXPECT_EQ(p.Int(355), nullptr);
}

TEST(LCvtPars, SetDefaultsMaskSweep)
{
    const uint32_t groups[] = {0, 0x1, 0x10, 0x1000, 0x1011};
    const uint32_t keeps[] = {0, 0x10000, 0x20000, 0x30000};
    for (uint32_t g : groups) {
        for (uint32_t k : keeps) {
            LCvtPars p;
            Disturb(p);
            p.SetDefaults(g | k, 0);
            for (int32_t n = 1; n <= kCvtParCount; ++n) {
                ASSERT_EQ(AtDefault(p, n), Selected(n, g | k))
                    << "mask " << std::hex << (g | k) << std::dec << " n " << n;
            }
        }
    }
}

TEST(LCvtPars, VariantOneGivesAlternativeValues)
{
    LCvtPars p;
    p.SetDefaults(0x1, 1);
    const int32_t expected[] = {2, 3, 4, 2, 3};
    for (int32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(*p.Int(294 + i), expected[i]);
    }
    EXPECT_EQ(*p.Int(293), 20);
    p.SetDefaults(0x10, 1);
    EXPECT_EQ(*p.Int(294), 2);
    p.SetDefaults(0x1, 0);
    EXPECT_EQ(*p.Int(294), 5);
}

TEST(LCvtPars, PointerTablesPointIntoTheirOwnRecord)
{
    LCvtPars p;
    *p.FourEntryPointers.second[0] = 0.5;
    EXPECT_EQ(*p.Real(208), 0.5);
    EXPECT_EQ(*p.FourEntryPointers.count[3], 1);
    EXPECT_EQ(*p.FourEntryPointers.enabled[3], 0);
    EXPECT_EQ(*p.TwoEntryPointers.first[1], 10.0);
    EXPECT_EQ(*p.TwoEntryPointers.count[0], 4);

    const LCvtPars copy(p);
    EXPECT_EQ(copy.FourEntryPointers.second[0], copy.Real(208));
    EXPECT_EQ(*copy.Real(208), 0.5);
    LCvtPars assigned;
    assigned = p;
    EXPECT_EQ(assigned.TwoEntryPointers.third[1], assigned.Real(230));
    EXPECT_EQ(*assigned.Real(208), 0.5);
}
