#pragma once
// LValueNotifyMsg: tells observers that a value changed (kChanged, while the transaction runs),
// that the change was rolled back (kRolledBack) or that it is done (kDone). Built from the message
// that caused it, so it carries that message's flags and result.

#include "messaging/value_msg.h"

#include <cstdint>

class LValueHandler;

class LValueNotifyMsg : public LValueMsg
{
  public:
    // The kinds are numbered as messages carry them; a message may carry a number that names none
    // of them, which the decoders refuse.
    enum Kind : int32_t {
        kChanged = 0,
        kRolledBack = 1,
        kDone = 2,
    };

    LValueNotifyMsg(const LValueMsg& cause, Kind kind, LValueHandler* handler) noexcept
        : LValueMsg(cause), kind(kind), handler(handler)
    {
    }
    // A kind given as a bare number.
    LValueNotifyMsg(const LValueMsg& cause, int32_t kind, LValueHandler* handler) noexcept
        : LValueNotifyMsg(cause, static_cast<Kind>(kind), handler)
    {
    }

    Kind kind;
    // The handler whose value changed, or the fallback handler for the notifications that a
    // transaction sends to the observers of whole branches.
    LValueHandler* handler;
};
