#pragma once
// One modify message to a copy of a value, as the value tables of the tests describe it.

#include <cmath>
#include <string>

#include "messaging/value.h"
#include "messaging/value_modify_msg.h"

struct ValueChange
{
    const char* what = "";
    int32_t type = 0;
    uint32_t flags = 0;
    int32_t item = 0;
    double number = 0;     // the payload of types 1, 2, 3 and the position of type 5
    const char* text = ""; // the payload of type 4
    int32_t count = 0;     // type 6: the step count sent
};

struct ValueOutcome
{
    std::string itemText; // the item's text afterwards
    std::string error;    // the message's error text
    int32_t errorPos = -1;
    int32_t count = 0; // type 6: the step count sent back
};

// Positions of type-5 messages are given within this range.
constexpr int32_t kTestRangeLow = 0;
constexpr int32_t kTestRangeHigh = 100;

inline ValueOutcome ApplyChange(LValue& value, const ValueChange& change)
{
    LValueModifyMsg msg(change.flags, change.type, change.item);
    switch (change.type) {
    case LValueModifyMsg::kTypeBool:
        msg.SetPayloadBool(change.number != 0);
        break;
    case LValueModifyMsg::kTypeInt:
    case LValueModifyMsg::kTypeFromRange:
        msg.SetPayloadInt(static_cast<int32_t>(change.number));
        break;
    case LValueModifyMsg::kTypeDouble:
        msg.SetPayloadDouble(change.number);
        break;
    case LValueModifyMsg::kTypeString:
        msg.stringA = change.text;
        break;
    default:
        break;
    }
    msg.rangeLow = kTestRangeLow;
    msg.rangeHigh = kTestRangeHigh;
    msg.pairFirst = 7;
    msg.pairSecond = change.count;
    value.Receive(msg);
    return {value.GetString(change.item).CStr(), msg.Result().ErrorText().CStr(), msg.ErrorPos(),
            msg.pairSecond};
}
