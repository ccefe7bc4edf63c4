#pragma once
// LValueHandlerDummy: the fallback handler with its inert value. A reference that finds no
// handler yields it, so that callers always have a handler to read from (zero and false).

#include "messaging/value_dummy.h"
#include "messaging/value_handler.h"

template <class> class XNeverDestroyed;

class LValueHandlerDummy : public LValueHandler
{
  public:
    // The one process-wide object, made on first use and never destroyed.
    static LValueHandlerDummy& Get();

    bool Receive(LMsg& msg) override { return false; }
    bool Send(LMsg& msg) override { return false; }
    bool MakeWorkingCopy() override { return false; }
    bool CommitWorkingCopy() override { return false; }
    bool DiscardWorkingCopy() override { return false; }

  private:
    template <class> friend class XNeverDestroyed;
    LValueHandlerDummy() : LValueHandler(&value_) {}

    LValueDummy value_;
};
