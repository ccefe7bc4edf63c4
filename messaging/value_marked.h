#pragma once
// LValueMarked: the two switches every value with data has, the default marking and the enabled
// switch, served as integer items; the value classes build on it.

#include "messaging/value.h"

class LValueMarked : public LValue
{
  public:
    using LValue::GetInt;

    // The two switches as 0 or 1; other items as LValue answers them.
    bool GetInt(int32_t& out, int32_t item) const override;
    // Sets a switch (any number but 0 turns it on); other items are ignored.
    void SetFromInt(LValueModifyMsg& msg, int32_t value) override;

  protected:
    void SetMarks(bool defaultMarking, bool enabled);

    // Whether a change answers no error when it has to clamp or cut the value.
    static bool IsQuiet(const LValueModifyMsg& msg);
    // Whether a change of a limit brings the value into the new limits at once.
    static bool ReclampsAtOnce(const LValueModifyMsg& msg);

  private:
    bool defaultMarking_ = false;
    bool enabled_ = true;
};
