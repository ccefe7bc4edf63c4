#include "platform/com/dispatch_table.h"

#include <gtest/gtest.h>

namespace {

constexpr ZVariantType kTwoParameters[] = {ZVariantType::I4, ZVariantType::Text};
constexpr DispatchMember kMembers[] = {
    {1, "Width", DispatchMemberKind::Property, ZVariantType::R4},
    {2, "State", DispatchMemberKind::ReadOnlyProperty, ZVariantType::I4},
    {3, "Run", DispatchMemberKind::Method, ZVariantType::Text, kTwoParameters},
};

TEST(DispatchTableTest, FindsNamesInAnyCase)
{
    ASSERT_NE(FindDispatchMember(kMembers, "wIDTH"), nullptr);
    EXPECT_EQ(FindDispatchMember(kMembers, "wIDTH")->id, 1);
    EXPECT_EQ(FindDispatchMember(kMembers, "Widths"), nullptr);
    EXPECT_EQ(FindDispatchMember(kMembers, DISPID{3})->name, std::string("Run"));
}

TEST(DispatchTableTest, ChecksHowAMemberIsAsked)
{
    const ZVariant one[] = {ZVariant::FromText("1.5")};
    const ZVariant two[] = {ZVariant::FromText("4"), ZVariant::FromI4(9)};
    struct Case
    {
        DISPID id;
        uint16_t flags;
        std::span<const ZVariant> arguments;
        HRESULT result;
        uint16_t resolved;
    };
    const Case cases[] = {
        {1, kDispatchPropertyGet, {}, S_OK, kDispatchPropertyGet},
        {1, kDispatchPropertyGet | kDispatchMethod, {}, S_OK, kDispatchPropertyGet},
        {1, kDispatchPropertyPut, one, S_OK, kDispatchPropertyPut},
        {1, kDispatchPropertyPut, {}, DISP_E_BADPARAMCOUNT, 0},
        {2, kDispatchPropertyPut, one, DISP_E_MEMBERNOTFOUND, 0},
        {3, kDispatchMethod, two, S_OK, kDispatchMethod},
        {3, kDispatchMethod, one, DISP_E_BADPARAMCOUNT, 0},
        {3, kDispatchPropertyGet, {}, DISP_E_MEMBERNOTFOUND, 0},
        {4, kDispatchPropertyGet, {}, DISP_E_MEMBERNOTFOUND, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "member " << c.id << " flags " << c.flags);
        DispatchCall call;
        EXPECT_EQ(CheckDispatchCall(kMembers, c.id, c.flags, c.arguments, call), c.result);
        EXPECT_EQ(call.flags, c.resolved);
    }
}

TEST(DispatchTableTest, ConvertsArgumentsToTheMembersTypes)
{
    DispatchCall call;
    const ZVariant two[] = {ZVariant::FromText("4"), ZVariant::FromI4(9)};
    ASSERT_EQ(CheckDispatchCall(kMembers, 3, kDispatchMethod, two, call), S_OK);
    EXPECT_EQ(call.arguments[0], ZVariant::FromI4(4));
    EXPECT_EQ(call.arguments[1], ZVariant::FromText("9"));

    const ZVariant bad[] = {ZVariant::FromText("wide")};
    EXPECT_EQ(CheckDispatchCall(kMembers, 1, kDispatchPropertyPut, bad, call), DISP_E_TYPEMISMATCH);
}

} // namespace
