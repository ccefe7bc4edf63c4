#include "messaging/value_modify_msg_encoder.h"

LValueHandler* LValueModifyMsgEncoder::QueryHandler()
{
    LValueModifyMsg msg(0, LValueModifyMsg::kTypeQuery, LValueModifyMsg::kItemValue);
    Send(msg);
    return msg.handler;
}

CError LValueModifyMsgEncoder::SendBool(uint32_t flags, bool value, int32_t item, int32_t* errorPos)
{
    LValueModifyMsg msg(flags, LValueModifyMsg::kTypeBool, item);
    msg.SetPayloadBool(value);
    return SendForResult(msg, errorPos);
}

CError LValueModifyMsgEncoder::SendInt(uint32_t flags, int32_t value, int32_t item, int32_t* errorPos)
{
    LValueModifyMsg msg(flags, LValueModifyMsg::kTypeInt, item);
    msg.SetPayloadInt(value);
    return SendForResult(msg, errorPos);
}

CError LValueModifyMsgEncoder::SendDouble(uint32_t flags, double value, int32_t item, int32_t* errorPos)
{
    LValueModifyMsg msg(flags, LValueModifyMsg::kTypeDouble, item);
    msg.SetPayloadDouble(value);
    return SendForResult(msg, errorPos);
}

CError LValueModifyMsgEncoder::SendString(uint32_t flags, const XAString& text, int32_t item,
                                          int32_t* errorPos)
{
    LValueModifyMsg msg(flags, LValueModifyMsg::kTypeString, item);
    msg.stringA = text;
    return SendForResult(msg, errorPos);
}

CError LValueModifyMsgEncoder::SendPair(uint32_t flags, int32_t& first, int32_t& second, int32_t item,
                                        int32_t* errorPos)
{
    LValueModifyMsg msg(flags, LValueModifyMsg::kTypeStepBy, item);
    msg.pairFirst = first;
    msg.pairSecond = second;
    CError result = SendForResult(msg, errorPos);
    first = msg.pairFirst;
    second = msg.pairSecond;
    return result;
}

CError LValueModifyMsgEncoder::SendStepUp(uint32_t flags, int32_t item, int32_t* errorPos)
{
    LValueModifyMsg msg(flags, LValueModifyMsg::kTypeStepUp, item);
    return SendForResult(msg, errorPos);
}

CError LValueModifyMsgEncoder::SendReset(uint32_t flags, int32_t item, int32_t* errorPos)
{
    LValueModifyMsg msg(flags, LValueModifyMsg::kTypeReset, item);
    return SendForResult(msg, errorPos);
}

CError LValueModifyMsgEncoder::SendForResult(LValueModifyMsg& msg, int32_t* errorPos)
{
    Send(msg);
    if (errorPos)
        *errorPos = msg.ErrorPos();
    return msg.Result();
}
