#pragma once
// LValueHandlerT: a value handler that embeds its value of class V (the owner value) and, while
// a change is in progress, a working copy of it. The copy has its room in the handler too: a
// record of many values changes each of them, and a copy made in room of its own would cost an
// allocation a value on every change.

#include "messaging/value_handler.h"

#include <optional>

template <class V> class LValueHandlerT : public LValueHandler
{
  public:
    explicit LValueHandlerT(const V& value) : LValueHandler(&value_), value_(value) {}
    // Drops a pending working copy and the value before the handler base goes.
    ~LValueHandlerT() override = default;

    V& GetValue() { return value_; }
    const V& GetValue() const { return value_; }

    bool MakeWorkingCopy() override
    {
        SetCurrentValue(&workingCopy_.emplace(value_));
        return true;
    }

    bool CommitWorkingCopy() override
    {
        if (!workingCopy_) {
            return false;
        }
        value_ = *workingCopy_;
        return DiscardWorkingCopy();
    }

    bool DiscardWorkingCopy() override
    {
        SetCurrentValue(&value_);
        // Its texts are let go with it.
        workingCopy_.reset();
        return true;
    }

  private:
    V value_;
    std::optional<V> workingCopy_;
};
