#include "platform/com/z_variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct ConversionCase
{
    ZVariant from;
    ZVariantType to;
    HRESULT result;
    ZVariant expected;
};

TEST(ZVariantTest, ConvertsAsContainersDo)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const ConversionCase cases[] = {
        // Texts read as numbers: rounded half to even, blanks allowed, nothing else after them.
        {ZVariant::FromText("37.5"), ZVariantType::I4, S_OK, ZVariant::FromI4(38)},
        {ZVariant::FromText("36.5"), ZVariantType::I4, S_OK, ZVariant::FromI4(36)},
        {ZVariant::FromText(" -12 "), ZVariantType::I4, S_OK, ZVariant::FromI4(-12)},
        {ZVariant::FromText("+7"), ZVariantType::I4, S_OK, ZVariant::FromI4(7)},
        {ZVariant::FromText("1e3"), ZVariantType::I4, S_OK, ZVariant::FromI4(1000)},
        {ZVariant::FromText("abc"), ZVariantType::I4, DISP_E_TYPEMISMATCH, {}},
        {ZVariant::FromText("12abc"), ZVariantType::I4, DISP_E_TYPEMISMATCH, {}},
        {ZVariant::FromText(""), ZVariantType::I4, DISP_E_TYPEMISMATCH, {}},
        {ZVariant::FromText("0x10"), ZVariantType::I4, DISP_E_TYPEMISMATCH, {}},
        {ZVariant::FromText("99999999999"), ZVariantType::I4, DISP_E_OVERFLOW, {}},
        {ZVariant::FromText("1e999"), ZVariantType::R4, DISP_E_OVERFLOW, {}},
        {ZVariant::FromText("inf"), ZVariantType::R4, DISP_E_TYPEMISMATCH, {}},
        {ZVariant::FromText("nan"), ZVariantType::R4, DISP_E_TYPEMISMATCH, {}},
        {ZVariant::FromText("0.25"), ZVariantType::R4, S_OK, ZVariant::FromR4(0.25f)},
        {ZVariant::FromText("tRUe"), ZVariantType::Bool, S_OK, ZVariant::FromBool(true)},
        {ZVariant::FromText("False"), ZVariantType::Bool, S_OK, ZVariant::FromBool(false)},
        {ZVariant::FromText("0"), ZVariantType::Bool, S_OK, ZVariant::FromBool(false)},
        {ZVariant::FromText("-1"), ZVariantType::Bool, S_OK, ZVariant::FromBool(true)},
        {ZVariant::FromText("yes"), ZVariantType::Bool, DISP_E_TYPEMISMATCH, {}},
        // Reals to integers: half to even; what does not fit overflows.
        {ZVariant::FromR4(2.5f), ZVariantType::I4, S_OK, ZVariant::FromI4(2)},
        {ZVariant::FromR4(-3.5f), ZVariantType::I4, S_OK, ZVariant::FromI4(-4)},
        {ZVariant::FromR4(3e9f), ZVariantType::I4, DISP_E_OVERFLOW, {}},
        {ZVariant::FromR4(nan), ZVariantType::I4, DISP_E_OVERFLOW, {}},
        // True is -1 as a number.
        {ZVariant::FromBool(true), ZVariantType::I4, S_OK, ZVariant::FromI4(-1)},
        {ZVariant::FromBool(true), ZVariantType::R4, S_OK, ZVariant::FromR4(-1)},
        {ZVariant::FromI4(5), ZVariantType::Bool, S_OK, ZVariant::FromBool(true)},
        {ZVariant::FromI4(7), ZVariantType::R4, S_OK, ZVariant::FromR4(7)},
        // Texts of values.
        {ZVariant::FromI4(-42), ZVariantType::Text, S_OK, ZVariant::FromText("-42")},
        {ZVariant::FromR4(0.29f), ZVariantType::Text, S_OK, ZVariant::FromText("0.29")},
        {ZVariant::FromR4(38), ZVariantType::Text, S_OK, ZVariant::FromText("38")},
        {ZVariant::FromR4(100), ZVariantType::Text, S_OK, ZVariant::FromText("100")},
        {ZVariant::FromR4(1500), ZVariantType::Text, S_OK, ZVariant::FromText("1500")},
        {ZVariant::FromR4(1e20f), ZVariantType::Text, S_OK, ZVariant::FromText("1e+20")},
        {ZVariant::FromBool(false), ZVariantType::Text, S_OK, ZVariant::FromText("False")},
        // Nothing is zero.
        {ZVariant(), ZVariantType::I4, S_OK, ZVariant::FromI4(0)},
        {ZVariant(), ZVariantType::Text, S_OK, ZVariant::FromText("")},
    };
    for (const ConversionCase& c : cases) {
        SCOPED_TRACE(ZVariantDisplayText(c.from) + " to type " + std::to_string(static_cast<int>(c.to)));
        ZVariant out = ZVariant::FromText("untouched");
        EXPECT_EQ(c.from.ChangeType(c.to, out), c.result);
        EXPECT_EQ(out, Succeeded(c.result) ? c.expected : ZVariant::FromText("untouched"));
    }
}

} // namespace
