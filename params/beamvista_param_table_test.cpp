#include "params/beamvista_param_table.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <string>

#include "params/beamvista_parameter_objects.h"
#include "messaging/value_double_fmt1.h"
#include "messaging/value_int.h"
#include "messaging/value_string.h"

namespace {

enum class Kind { Int, Real, Text };

struct ExpectedRow
{
    const char* name;
    Kind kind;
    double defaultValue;
    double minimum;
    double maximum; // the maximum length for a text
    double step;
    int32_t format[3];
};

// A second transcription of the parameter list, kept apart from the one the code is made from.
const ExpectedRow kExpected[] = {
    {"o_graphics_force", Kind::Int, 2, 0, 2, 0.01, {0, 0, 0}},
    {"o_graphics_intensity", Kind::Real, 1, 0, 9, 0.001, {1, 4, 0}},
    {"o_graphics_size_x", Kind::Real, 1, -10, 10, 0.001, {1, 4, 0}},
    {"o_graphics_size_y", Kind::Real, 1, -10, 10, 0.001, {1, 4, 0}},
    {"o_graphics_pos_x", Kind::Real, 0, -10, 10, 0.001, {1, 4, 0}},
    {"o_graphics_pos_y", Kind::Real, 0, -10, 10, 0.001, {1, 4, 0}},
    {"o_fog_force", Kind::Int, 2, 0, 2, 0.01, {0, 0, 0}},
    {"o_fog_intensity", Kind::Real, 1, 0, 9, 0.001, {1, 4, 0}},
    {"o_fog_min_int", Kind::Real, 1, 0, 9, 0.001, {1, 4, 0}},
    {"o_scanner_pos_x", Kind::Real, 0, -10, 10, 0.001, {1, 4, 0}},
    {"o_scanner_pos_y", Kind::Real, 0, -10, 10, 0.001, {1, 4, 0}},
    {"o_beam_detect_force", Kind::Int, 2, 0, 2, 0.01, {0, 0, 0}},
    {"o_beam_detect_intensity", Kind::Real, 1, 0, 9, 0.001, {1, 4, 0}},
    {"o_beam_detect_repeat", Kind::Int, 0, -100, 100, 0.01, {0, 0, 0}},
    {"o_beam_tab_force", Kind::Int, 2, 0, 2, 0.01, {0, 0, 0}},
    {"o_beam_tab_intensity", Kind::Real, 1, 0, 9, 0.001, {1, 4, 0}},
    {"o_line_width", Kind::Real, 2, 0, 99, 0.001, {1, 4, 0}},
    {"o_fog_structure", Kind::Real, 1, 0, 1, 0.001, {1, 4, 0}},
    {"o_fog_cloud_mix", Kind::Real, 0.3, 0, 1, 0.001, {1, 4, 0}},
    {"o_fog_speed", Kind::Real, 0.05, -1000000, 1000000, 0.0001, {3, 4, 0}},
    {"o_fog_dir", Kind::Real, -70, -360, 360, 0.1, {3, 4, 0}},
    {"o_fog_dir2", Kind::Real, 20, -360, 360, 0.1, {3, 4, 0}},
    {"o_fog_rot", Kind::Real, 29.12, -360, 360, 0.1, {3, 4, 0}},
    {"o_force_generic_opengl", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"o_enhanced_lines", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"o_beam_profile", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"o_polygon_smooth", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"o_fog_3d", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"o_enhanced_lines_beam", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"o_opengl_reset", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"o_opengl_default", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"o_opengl_save_as_default", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"o_no_blending", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"o_draw_circle", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"o_draw_plane", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"o_simulate", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"o_sim_pos", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"o_sim_intensity", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"o_sim_freqf", Kind::Real, 1, 0, 100, 0.001, {3, 4, 0}},
    {"o_sim_color_delayf", Kind::Real, 0.85, 0, 4, 0.0005, {2, 4, 0}},
    {"o_bg0", Kind::Int, 2, 0, 2, 0.01, {0, 0, 0}},
    {"o_bg0_load", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"o_bg0_filename", Kind::Text, 0, 0, 255, 0, {0, 0, 0}},
    {"o_bg0_intensity", Kind::Real, 1, 0, 9, 0.001, {1, 4, 0}},
    {"o_bg0_size_x", Kind::Real, 1, -10, 10, 0.001, {1, 4, 0}},
    {"o_bg0_size_y", Kind::Real, 1, -10, 10, 0.001, {1, 4, 0}},
    {"o_bg0_pos_x", Kind::Real, 0, -20, 20, 0.001, {1, 4, 0}},
    {"o_bg0_pos_y", Kind::Real, 0, -20, 20, 0.001, {1, 4, 0}},
    {"o_bg1", Kind::Int, 2, 0, 2, 0.01, {0, 0, 0}},
    {"o_bg1_load", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"o_bg1_filename", Kind::Text, 0, 0, 255, 0, {0, 0, 0}},
    {"o_bg1_intensity", Kind::Real, 1, 0, 9, 0.001, {1, 4, 0}},
    {"o_bg1_size_x", Kind::Real, 1, -10, 10, 0.001, {1, 4, 0}},
    {"o_bg1_size_y", Kind::Real, 1, -10, 10, 0.001, {1, 4, 0}},
    {"o_bg1_pos_x", Kind::Real, 0, -20, 20, 0.001, {1, 4, 0}},
    {"o_bg1_pos_y", Kind::Real, 0, -20, 20, 0.001, {1, 4, 0}},
    {"o_bg2", Kind::Int, 2, 0, 2, 0.01, {0, 0, 0}},
    {"o_bg2_load", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"o_bg2_filename", Kind::Text, 0, 0, 255, 0, {0, 0, 0}},
    {"o_bg2_intensity", Kind::Real, 1, 0, 9, 0.001, {1, 4, 0}},
    {"o_bg2_size_x", Kind::Real, 1, -10, 10, 0.001, {1, 4, 0}},
    {"o_bg2_size_y", Kind::Real, 1, -10, 10, 0.001, {1, 4, 0}},
    {"o_bg2_pos_x", Kind::Real, 0, -20, 20, 0.001, {1, 4, 0}},
    {"o_bg2_pos_y", Kind::Real, 0, -20, 20, 0.001, {1, 4, 0}},
    {"o_bg3", Kind::Int, 2, 0, 2, 0.01, {0, 0, 0}},
    {"o_bg3_load", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"o_bg3_filename", Kind::Text, 0, 0, 255, 0, {0, 0, 0}},
    {"o_bg3_intensity", Kind::Real, 1, 0, 9, 0.001, {1, 4, 0}},
    {"o_bg3_size_x", Kind::Real, 1, -10, 10, 0.001, {1, 4, 0}},
    {"o_bg3_size_y", Kind::Real, 1, -10, 10, 0.001, {1, 4, 0}},
    {"o_bg3_pos_x", Kind::Real, 0, -20, 20, 0.001, {1, 4, 0}},
    {"o_bg3_pos_y", Kind::Real, 0, -20, 20, 0.001, {1, 4, 0}},
    {"0x10010", Kind::Int, 1, 1, 10, 0.01, {0, 0, 0}},
    {"0x21015", Kind::Real, 2, 0, 99, 0.001, {1, 4, 0}},
    {"0x21020", Kind::Real, 0, -99, 99, 0.001, {1, 4, 0}},
    {"0x21030", Kind::Real, 1, -99, 99, 0.001, {1, 4, 0}},
    {"0x21040", Kind::Real, 0.5, -99, 99, 0.001, {1, 4, 0}},
    {"0x21050", Kind::Real, 1, 0, 99, 0.001, {1, 4, 0}},
    {"0x21060", Kind::Real, 0, 0, 1, 0.001, {1, 4, 0}},
    {"0x21070", Kind::Real, 1, 0, 99, 0.001, {1, 4, 0}},
    {"0x21080", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"0x21090", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"0x9007", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"0x9008", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"0x9009", Kind::Real, 0, -100, 100, 0.0001, {3, 4, 0}},
    {"0x9010", Kind::Real, 0, -100, 100, 0.0001, {3, 4, 0}},
    {"0x11100", Kind::Real, 30, 0, 999, 0.001, {3, 4, 0}},
    {"0x11110", Kind::Real, 1, 0.001, 10, 0.001, {3, 4, 0}},
    {"0x11120", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"0x11220", Kind::Real, 1.05, -10, 10, 0.0001, {2, 4, 0}},
    {"0x11230", Kind::Real, 1.11, -10, 10, 0.0001, {2, 4, 0}},
    {"0x11260", Kind::Int, 4, 1, 16, 0.01, {0, 0, 0}},
    {"0x11270", Kind::Int, 3, 0, 32, 0.01, {0, 0, 0}},
    {"0x11280", Kind::Real, 0, 0, 1, 0.0001, {1, 4, 0}},
    {"0x11290", Kind::Real, 0, 0, 1, 0.0001, {1, 4, 0}},
    {"0x91200", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"0x91205", Kind::Int, 115, 0, 255, 0.01, {0, 0, 0}},
    {"0x91206", Kind::Real, 0.97, 0, 1, 0.0001, {1, 4, 0}},
    {"0x91207", Kind::Real, 1.4, 0, 8, 0.001, {1, 4, 0}},
    {"0x91211", Kind::Real, 1, -1000000, 1000000, 0.0001, {3, 4, 0}},
    {"0x91212", Kind::Real, 1, -1000000, 1000000, 0.0001, {3, 4, 0}},
    {"0x91213", Kind::Real, 1, -1000000, 1000000, 0.0001, {3, 4, 0}},
    {"0x91214", Kind::Real, 1, -1000000, 1000000, 0.0001, {3, 4, 0}},
    {"0x91208", Kind::Int, 3, 0, 8, 0.01, {0, 0, 0}},
    {"0x91215", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"0x91224", Kind::Real, 4, 1, 99, 0.001, {1, 4, 0}},
    {"0x91225", Kind::Real, 0.5, 0, 1, 0.001, {1, 4, 0}},
    {"0x91250", Kind::Real, 0.0002, 0, 1, 0.000001, {1, 4, 0}},
    {"0x91260", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"0x2002", Kind::Real, 0, -1000000, 1000000, 0.0001, {3, 4, 0}},
    {"0x2003", Kind::Real, 4, 0, 1000, 0.001, {2, 3, 0}},
    {"0x2004", Kind::Real, 1, 0, 10, 0.001, {2, 3, 0}},
    {"0x93002", Kind::Real, 1, -1000000, 1000000, 0.0001, {3, 4, 0}},
    {"0x94005", Kind::Real, 0, 0, 99, 0.001, {1, 4, 0}},
    {"0x9001", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"0x9002", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"0x9003", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"0x9030", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"0x9040", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"0x10099", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"0x10098", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"0x10100", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"0x10110", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"0x10120", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"0x10130", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"0x10140", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"0x10210", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"0x10220", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"0x10230", Kind::Int, 1, 0, 1, 0.1, {0, 0, 0}},
    {"0x10300", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
    {"0x10310", Kind::Int, 1, 1, 16, 0.01, {0, 0, 0}},
    {"0x20010", Kind::Int, 0, 0, 1, 0.1, {0, 0, 0}},
};

constexpr double kStepScale = 1.0 / 65536.0; // values keep their steps scaled by 2^-16
constexpr int32_t kItemValue = LValueModifyMsg::kItemValue;
constexpr int32_t kItemDefault = LValueModifyMsg::kItemDefault;
constexpr int32_t kItemMinimum = LValueModifyMsg::kItemMinimum;
constexpr int32_t kItemMaximum = LValueModifyMsg::kItemMaximum;
constexpr int32_t kItemStep = LValueModifyMsg::kItemStep;
constexpr int32_t kItemFineStep = LValueModifyMsg::kItemFineStep;

// The handler built for a row holds the row's value class with its arguments, and its value
// starts at the default.
void ExpectHandler(const ExpectedRow& expected, LValueHandler& handler)
{
    const LValue* value = handler.GetOwnerValue();
    EXPECT_EQ(value, handler.GetCurrentValue());
    EXPECT_TRUE(value->IsEnabled());
    if (expected.kind == Kind::Text) {
        ASSERT_NE(dynamic_cast<const LValueString*>(value), nullptr);
        EXPECT_TRUE(value->GetString(kItemValue).IsEmpty());
        EXPECT_TRUE(value->GetString(kItemDefault).IsEmpty());
        EXPECT_EQ(value->GetInt(kItemMaximum), 255);
        return;
    }
    if (expected.kind == Kind::Int) {
        ASSERT_NE(dynamic_cast<const LValueInt*>(value), nullptr);
        EXPECT_EQ(value->GetInt(kItemValue), expected.defaultValue);
        EXPECT_EQ(value->GetInt(kItemDefault), expected.defaultValue);
        EXPECT_EQ(value->GetInt(kItemMinimum), expected.minimum);
        EXPECT_EQ(value->GetInt(kItemMaximum), expected.maximum);
    } else {
        const auto* real = dynamic_cast<const LValueDoubleFmt1*>(value);
        ASSERT_NE(real, nullptr);
        EXPECT_EQ(value->GetDouble(kItemValue), expected.defaultValue);
        EXPECT_EQ(value->GetDouble(kItemDefault), expected.defaultValue);
        EXPECT_EQ(value->GetDouble(kItemMinimum), expected.minimum);
        EXPECT_EQ(value->GetDouble(kItemMaximum), expected.maximum);
        EXPECT_EQ(real->IntDigits(), expected.format[0]);
        EXPECT_EQ(real->FracDigits(), expected.format[1]);
        EXPECT_EQ(real->Width(), expected.format[2]);
    }
    const double step = expected.step * kStepScale;
    EXPECT_NEAR(value->GetDouble(kItemStep), step, step * 1e-12);
    EXPECT_NEAR(value->GetDouble(kItemFineStep), step / 100, step * 1e-14);
}

// Stream tags of the rows before the backgrounds, in row order.
const int32_t kLeadingTags[] = {
    0x1100, 0x1110, 0x1120, 0x1130, 0x1140, 0x1150, 0x1200, 0x1210, 0x1220, 0x1230,
    0x1240, 0x1300, 0x1310, 0x1320, 0x1400, 0x1410, 0x2000, 0x3000, 0x3010, 0x3020,
    0x3030, 0x3040, 0x3050, 0x4000, 0x4010, 0x4020, 0x4030, 0x4040, 0x4050, 0x4100,
    0x4110, 0x4120, 0x4200, 0x5000, 0x5010, 0x6000, 0x6010, 0x6020, 0x6110, 0x6120,
};

TEST(BeamvistaParamTable, RowsAndHandlersMatchTheSecondTranscription)
{
    const auto table = BeamvistaParamTable();
    static_assert(std::size(kExpected) == kBeamvistaParamCount);
    for (int32_t i = 0; i < kBeamvistaParamCount; ++i) {
        const BeamvistaParamDef& def = table[i];
        const ExpectedRow& expected = kExpected[i];
        SCOPED_TRACE(std::string("row ") + std::to_string(i + 1) + " " + expected.name);
        EXPECT_STREQ(def.name, expected.name);
        switch (expected.kind) {
        case Kind::Int:
            EXPECT_TRUE(def.storage == BeamvistaStorage::Byte || def.storage == BeamvistaStorage::Int32);
            break;
        case Kind::Real:
            EXPECT_EQ(def.storage, BeamvistaStorage::Float);
            EXPECT_EQ(def.intDigits, expected.format[0]);
            EXPECT_EQ(def.fracDigits, expected.format[1]);
            EXPECT_EQ(def.width, expected.format[2]);
            break;
        case Kind::Text:
            EXPECT_EQ(def.storage, BeamvistaStorage::Text);
            break;
        }
        EXPECT_EQ(def.defaultValue, expected.defaultValue);
        EXPECT_EQ(def.minimum, expected.minimum);
        EXPECT_EQ(def.maximum, expected.maximum);
        EXPECT_EQ(def.step, expected.step);
        EXPECT_EQ(def.fineStep, 0.0);
        ExpectHandler(expected, BeamvistaParameterObject(i));
    }
}

TEST(BeamvistaParamTable, StorageCountsAndSwitches)
{
    int32_t counts[4] = {};
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        ++counts[static_cast<int>(def.storage)];
        if (def.storage == BeamvistaStorage::Byte) {
            EXPECT_EQ(def.minimum, 0) << def.name;
            EXPECT_EQ(def.maximum, 1) << def.name;
            EXPECT_EQ(def.step, 0.1) << def.name;
        }
    }
    EXPECT_EQ(counts[static_cast<int>(BeamvistaStorage::Byte)], 44);
    EXPECT_EQ(counts[static_cast<int>(BeamvistaStorage::Int32)], 15);
    EXPECT_EQ(counts[static_cast<int>(BeamvistaStorage::Float)], 69);
    EXPECT_EQ(counts[static_cast<int>(BeamvistaStorage::Text)], 4);
}

TEST(BeamvistaParamTable, TagsFollowTheirRules)
{
    const auto table = BeamvistaParamTable();
    std::set<int32_t> seen;
    for (int32_t i = 0; i < kBeamvistaParamCount; ++i) {
        const BeamvistaParamDef& def = table[i];
        int32_t expected = 0;
        if (i < static_cast<int32_t>(std::size(kLeadingTags)))
            expected = kLeadingTags[i];
        else if (i < 72)
            expected = 0x7100 + 0x100 * ((i - 40) / 8) + 0x10 * ((i - 40) % 8);
        else
            expected = static_cast<int32_t>(std::strtol(def.name, nullptr, 16));
        EXPECT_EQ(def.tag, expected) << def.name;
        EXPECT_TRUE(seen.insert(def.tag).second) << "tag shared by " << def.name;
    }
    EXPECT_EQ(table[42].tag, 0x7120); // o_bg0_filename
    EXPECT_EQ(table[71].tag, 0x7470); // o_bg3_pos_y
}

TEST(BeamvistaParamTable, BlocksCoverTheirRows)
{
    struct Range
    {
        int32_t first, last; // rows, counted from 1
        BeamvistaBlock block;
    };
    const Range ranges[] = {{1, 23, BeamvistaBlock::Main},
                            {24, 35, BeamvistaBlock::OpenGl},
                            {36, 40, BeamvistaBlock::Simulation},
                            {41, 72, BeamvistaBlock::Backgrounds},
                            {73, 132, BeamvistaBlock::Extended}};
    const auto table = BeamvistaParamTable();
    for (const Range& range : ranges) {
        for (int32_t row = range.first; row <= range.last; ++row)
            EXPECT_EQ(table[row - 1].block, range.block) << table[row - 1].name;
    }
}

TEST(BeamvistaParamTable, EachRowOwnsOneFieldOfItsStorage)
{
    LBeamvistaPars pars;
    std::set<const void*> addresses;
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        const int set = (def.field.byteField != nullptr) + (def.field.intField != nullptr) +
                        (def.field.floatField != nullptr) + (def.field.textField != nullptr);
        EXPECT_EQ(set, 1) << def.name;
        const void* address =
            WithBeamvistaMember(def, [&](auto member) -> const void* { return &(pars.*member); });
        EXPECT_TRUE(addresses.insert(address).second) << def.name;
    }
}

} // namespace
