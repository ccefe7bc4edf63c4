#include "conversion/cvt_par_table.h"

#include <gtest/gtest.h>

#include <string>

TEST(CvtParTable, KindCountsAndTextPlaces)
{
    EXPECT_EQ(CvtParKindCount(CvtParKind::kSwitch), 159);
    EXPECT_EQ(CvtParKindCount(CvtParKind::kInteger), 76);
    EXPECT_EQ(CvtParKindCount(CvtParKind::kReal), 109);
    EXPECT_EQ(CvtParKindCount(CvtParKind::kText), 10);
    const int32_t texts[] = {318, 332, 333, 335, 336, 337, 344, 346, 353, 354};
    int32_t slot = 0;
    for (int32_t n : texts) {
        EXPECT_EQ(CvtParDefinition(n).kind, CvtParKind::kText) << n;
        EXPECT_EQ(CvtParDefinition(n).slot, slot++) << n;
    }
    EXPECT_EQ(std::string(CvtParDefinition(335).text), "C:\\AutoSave\\vuRant");
    EXPECT_EQ(std::string(CvtParDefinition(336).text), "vuRant");
    EXPECT_EQ(std::string(CvtParDefinition(318).text), "");
    EXPECT_EQ(CvtParDefinition(0).number, 0);
    EXPECT_EQ(CvtParDefinition(355).number, 0);
}

TEST(CvtParTable, EveryDefaultWithinItsRange)
{
    for (int32_t n = 1; n <= kCvtParCount; ++n) {
        const CvtParDef& d = CvtParDefinition(n);
        ASSERT_EQ(d.number, n);
        if (d.kind == CvtParKind::kText) {
            continue;
        }
        EXPECT_LE(d.minimum, d.defaultValue) << n;
        EXPECT_LE(d.defaultValue, d.maximum) << n;
        EXPECT_GT(d.step, 0.0) << n;
        if (d.kind == CvtParKind::kSwitch) {
            EXPECT_EQ(d.maximum, 1.0) << n;
            EXPECT_EQ(d.step, 0.1) << n;
        }
    }
}

TEST(CvtParTable, GroupSizesFromTheTags)
{
    int32_t groups[3] = {};
    int32_t textsIn1000 = 0;
    for (int32_t n = 1; n <= kCvtParCount; ++n) {
        const CvtParDef& d = CvtParDefinition(n);
        const uint32_t group = d.tag & 0xFFFFu;
        groups[0] += group == 0x1;
        groups[1] += group == 0x10;
        groups[2] += group == 0x1000;
        textsIn1000 += group == 0x1000 && d.kind == CvtParKind::kText;
    }
    EXPECT_EQ(groups[0], 239);
    EXPECT_EQ(groups[1], 23);
    EXPECT_EQ(groups[2], 92);
    EXPECT_EQ(textsIn1000, 10);
}

TEST(CvtParTable, ValuesOtherPartsRelyOn)
{
    struct Case
    {
        int32_t n;
        CvtParKind kind;
        double def, min, step;
    };
    const Case cases[] = {
        {96, CvtParKind::kInteger, -1, -1, 0.01},
        {98, CvtParKind::kInteger, -1, -1, 0.01},
        {100, CvtParKind::kInteger, -1, -1, 0.01},
        {15, CvtParKind::kReal, 300, 1e-6, 0.001},
        {303, CvtParKind::kInteger, 600, 0, 2},
        {248, CvtParKind::kInteger, 2, 0, 0.1},
        {249, CvtParKind::kInteger, 6000, 0, 1},
        {250, CvtParKind::kInteger, 1000, 0, 1},
        {16, CvtParKind::kSwitch, 0, 0, 0.1},
        {18, CvtParKind::kSwitch, 0, 0, 0.1},
        {19, CvtParKind::kSwitch, 0, 0, 0.1},
        {46, CvtParKind::kInteger, 0, 0, 0.01},
        {82, CvtParKind::kSwitch, 1, 0, 0.1},
        {84, CvtParKind::kInteger, 32, 0, 0.01},
        {293, CvtParKind::kInteger, 20, 0, 0.01},
        {294, CvtParKind::kInteger, 5, 0, 0.01},
        {35, CvtParKind::kReal, 0, -1e99, 0.0001},
        // Read by the conversion context.
        {47, CvtParKind::kInteger, 0, 0, 0.01},
        {81, CvtParKind::kSwitch, 0, 0, 0.1},
        {85, CvtParKind::kSwitch, 0, 0, 0.1},
        {86, CvtParKind::kSwitch, 0, 0, 0.1},
        {87, CvtParKind::kSwitch, 0, 0, 0.1},
        {88, CvtParKind::kSwitch, 0, 0, 0.1},
        {89, CvtParKind::kSwitch, 0, 0, 0.1},
        // Read and written by the dependency checker.
        {141, CvtParKind::kReal, 0.003, 0, 1e-5},
        {142, CvtParKind::kReal, 0.0031, 0, 1e-5},
        {143, CvtParKind::kReal, 0.02, 0, 0.0001},
        {147, CvtParKind::kSwitch, 1, 0, 0.1},
        {148, CvtParKind::kReal, 0.0001, 0, 1e-6},
        {149, CvtParKind::kReal, 0, 0, 0.1},
        {150, CvtParKind::kSwitch, 1, 0, 0.1},
        {151, CvtParKind::kReal, 0.0031, 0, 1e-5},
        {152, CvtParKind::kReal, 0, 0, 0.1},
    };
    for (const Case& c : cases) {
        const CvtParDef& d = CvtParDefinition(c.n);
        EXPECT_EQ(d.kind, c.kind) << c.n;
        EXPECT_EQ(d.defaultValue, c.def) << c.n;
        EXPECT_EQ(d.minimum, c.min) << c.n;
        EXPECT_EQ(d.step, c.step) << c.n;
    }
    // The repeated entries 206-221 (switch, real, real, integer) and 224-231 (real, real, real, integer).
    const double entries4[4][4] = {
        {1, 140, 0.015, 4}, {1, 145, 0.015, 3}, {1, 150, 0.015, 2}, {0, 155, 0.015, 1}};
    const CvtParKind kinds4[4] = {CvtParKind::kSwitch, CvtParKind::kReal, CvtParKind::kReal,
                                  CvtParKind::kInteger};
    for (int32_t j = 0; j < 4; ++j) {
        for (int32_t k = 0; k < 4; ++k) {
            const CvtParDef& d = CvtParDefinition(206 + 4 * j + k);
            EXPECT_EQ(d.defaultValue, entries4[j][k]) << d.number;
            EXPECT_EQ(d.kind, kinds4[k]) << d.number;
        }
    }
    const double entries2[2][4] = {{1, 0.008, 2.005, 4}, {10, 0.015, 2.015, 4}};
    for (int32_t j = 0; j < 2; ++j) {
        for (int32_t k = 0; k < 4; ++k) {
            const CvtParDef& d = CvtParDefinition(224 + 4 * j + k);
            EXPECT_EQ(d.defaultValue, entries2[j][k]) << d.number;
            EXPECT_EQ(d.kind, k == 3 ? CvtParKind::kInteger : CvtParKind::kReal) << d.number;
        }
    }
    EXPECT_EQ(CvtParDefinition(14).format.before, 4);
    EXPECT_EQ(CvtParDefinition(25).format.after, 9);
}
