#pragma once
// LValueModifyMsgEncoder: something that can send modify messages (a handler reference, a direct
// encoder), with one operation per message type. Each builds the message on the stack, sends it
// and hands back its result and error position; nothing is retried.

#include "foundation/errors/c_error.h"
#include "messaging/value_modify_msg.h"
#include "foundation/strings/xa_string.h"

#include <cstdint>

class LMsg;
class LValueHandler;

class LValueModifyMsgEncoder
{
  public:
    virtual ~LValueModifyMsgEncoder() = default;

    virtual bool Send(LMsg& msg) = 0;

    // The handler that answered a query; null when nobody did.
    LValueHandler* QueryHandler();
    CError SendBool(uint32_t flags, bool value, int32_t item, int32_t* errorPos = nullptr);
    CError SendInt(uint32_t flags, int32_t value, int32_t item, int32_t* errorPos = nullptr);
    CError SendDouble(uint32_t flags, double value, int32_t item, int32_t* errorPos = nullptr);
    CError SendString(uint32_t flags, const XAString& text, int32_t item, int32_t* errorPos = nullptr);
    // Moves by `second` steps in units of 1/65536 step; both come back, `second` holding what
    // was not consumed.
    CError SendPair(uint32_t flags, int32_t& first, int32_t& second, int32_t item,
                    int32_t* errorPos = nullptr);
    CError SendStepUp(uint32_t flags, int32_t item, int32_t* errorPos = nullptr);
    CError SendReset(uint32_t flags, int32_t item, int32_t* errorPos = nullptr);

  private:
    CError SendForResult(LValueModifyMsg& msg, int32_t* errorPos);
};
