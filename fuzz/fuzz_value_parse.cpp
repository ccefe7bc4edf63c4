// Text given to each value type, as a typed-in change, and to the parser directly. The first
// byte picks the message flags and the item; the rest is the text. Values must stay inside their
// limits, and an error position must lie inside the text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/text/simple_parser.h"
#include "messaging/value_double.h"
#include "messaging/value_double_fmt1.h"
#include "messaging/value_int.h"
#include "messaging/value_modify_msg.h"
#include "messaging/value_string.h"

namespace {

constexpr int32_t kMaximumLength = 16;
constexpr int32_t kItems = 8;

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void SendText(LValue& value, const std::string& text, uint32_t flags, int32_t item)
{
    LValueModifyMsg msg(flags, LValueModifyMsg::kTypeString, item);
    msg.stringA = text.c_str();
    value.Receive(msg);
    Check(msg.ErrorPos() >= -1 && msg.ErrorPos() <= static_cast<int32_t>(text.size()));
    Check(msg.IsDone() == msg.Result().Failed());
    value.GetString(item);
}

void ParseDirectly(const std::string& text)
{
    LSimpleParser integers(text.c_str());
    int32_t integer = 0;
    integers.SkipBlanks();
    integers.ReadIntRange(integer, -100, 100);
    Check(integer >= -100 && integer <= 100);
    integers.ExpectEnd();
    Check(integers.Column() <= static_cast<int32_t>(text.size()));

    LSimpleParser reals(text.c_str());
    reals.SetCommaFlag(text.size() % 2 == 0);
    double real = 0;
    reals.ReadDoubleRange(real, -1e6, 1e6);
    Check(real >= -1e6 && real <= 1e6);
    uint32_t magnitude = 0;
    reals.ReadUnsignedRange(magnitude, 5, 50);
    Check(reals.GetError().Failed() || (magnitude >= 5 && magnitude <= 50));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const uint32_t flags =
        (data[0] & 0x1 ? LValueMsg::kFlagQuiet : 0) | (data[0] & 0x2 ? LValueMsg::kFlagReclamp : 0);
    const int32_t item = data[0] & 0x4 ? (data[0] >> 3) % kItems + 1 : LValueModifyMsg::kItemValue;
    // The text ends at the first zero byte, as a message's text would.
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string terminated = text.c_str();

    LValueInt integer(0, -1000, 1000, 1, 0, false, true);
    SendText(integer, terminated, flags, item);
    const int32_t v = integer.GetInt(LValueModifyMsg::kItemValue);
    Check(item != LValueModifyMsg::kItemValue || (v >= integer.GetInt(LValueModifyMsg::kItemMinimum) &&
                                                  v <= integer.GetInt(LValueModifyMsg::kItemMaximum)));

    LValueDouble real(0, -1000, 1000, 1, 0, false, true);
    SendText(real, terminated, flags, item);
    const double r = real.GetDouble(LValueModifyMsg::kItemValue);
    Check(item != LValueModifyMsg::kItemValue || (r >= -1000 && r <= 1000));

    LValueDoubleFmt1 formatted(0, -1e300, 1e300, 1, 0, 1, 4, 0);
    SendText(formatted, terminated, flags, item);
    formatted.GetString(LValueModifyMsg::kItemValue);

    LValueString string("", kMaximumLength, false, true);
    SendText(string, terminated, flags, item);
    XWString stored;
    string.GetTextW(stored, LValueModifyMsg::kItemValue);
    Check(stored.Length() <= kMaximumLength || item == LValueModifyMsg::kItemMaximum);

    ParseDirectly(terminated);
    return 0;
}
