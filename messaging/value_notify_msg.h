#pragma once
// LValueNotifyMsg: tells observers that a value changed (kind 0, while the transaction runs),
// that the change was rolled back (1) or that it is done (2). Built from the message that caused
// it, so it carries that message's flags and result.

#include "messaging/value_msg.h"

#include <cstdint>

class LValueHandler;

class LValueNotifyMsg : public LValueMsg
{
  public:
    static constexpr int32_t kChanged = 0;
    static constexpr int32_t kRolledBack = 1;
    static constexpr int32_t kDone = 2;

    LValueNotifyMsg(const LValueMsg& cause, int32_t kind, LValueHandler* handler) noexcept
        : LValueMsg(cause), kind(kind), handler(handler)
    {
    }

    int32_t kind;
    // The handler whose value changed, or the fallback handler for the notifications that a
    // transaction sends to the observers of whole branches.
    LValueHandler* handler;
};
