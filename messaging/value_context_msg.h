#pragma once
// LValueContextMsg: the value transaction's instruction to a value handler. Kinds 0 (your value
// changed), 3 (announce the roll-back) and 4 (announce the commit) are copied from the modify
// message; 1 (commit) and 2 (roll back) are fresh messages without payload.

#include "messaging/value_msg.h"

#include <cstdint>

class LValueTxInterface;

class LValueContextMsg : public LValueMsg
{
  public:
    static constexpr int32_t kChanged = 0;
    static constexpr int32_t kCommit = 1;
    static constexpr int32_t kRollBack = 2;
    static constexpr int32_t kRollBackDone = 3;
    static constexpr int32_t kCommitDone = 4;
    static constexpr int32_t kLast = kCommitDone;

    explicit LValueContextMsg(int32_t kind) noexcept : kind(kind) {}
    LValueContextMsg(const LValueMsg& cause, int32_t kind, LValueTxInterface* transaction = nullptr) noexcept
        : LValueMsg(cause), kind(kind), transaction(transaction)
    {
    }

    int32_t kind;
    // The running transaction; set for kind 0 only.
    LValueTxInterface* transaction = nullptr;
};
