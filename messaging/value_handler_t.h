#pragma once
// LValueHandlerT: a value handler that embeds its value of class V (the owner value) and, while
// a change is in progress, a working copy of it in a counted block of its own.

#include "messaging/value_handler.h"
#include "foundation/strings/xa_block.h"

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
        V* copy = workingCopy_.NewObject<V>(value_);
        if (copy == nullptr) {
            return false;
        }
        SetCurrentValue(copy);
        return true;
    }

    bool CommitWorkingCopy() override
    {
        if (!workingCopy_) {
            return false;
        }
        value_ = *workingCopy_.As<V>();
        return DiscardWorkingCopy();
    }

    bool DiscardWorkingCopy() override
    {
        SetCurrentValue(&value_);
        workingCopy_.Clear();
        return true;
    }

  private:
    V value_;
    XABlock workingCopy_;
};
