#pragma once
// LValueString: a 16-bit text value with a default and a maximum length in characters. Texts
// given in 8 bits are converted, with '?' for what has no 16-bit form.

#include "messaging/value_marked.h"

class LValueString : public LValueMarked
{
  public:
    // Without arguments: Clear.
    LValueString();
    // Value and default are the converted text; its length is not checked here.
    LValueString(const char* text, int32_t maximumLength, bool defaultMarking, bool enabled);

    using LValue::GetInt;

    virtual void SetAllW(const XWString& text, int32_t maximumLength, bool defaultMarking, bool enabled);
    virtual void SetAllA(const char* text, int32_t maximumLength, bool defaultMarking, bool enabled);
    // Both texts empty, maximum length 255, unmarked, enabled.
    virtual void Clear();
    // Cuts the value and answers an error into the message when it was too long, unless quiet.
    virtual void CheckLength(LValueModifyMsg& msg);
    // Cuts the value to the maximum length; true when nothing had to be cut.
    virtual bool Truncate();

    int32_t ItemType(int32_t item) const override;
    bool GetTextW(XWString& out, int32_t item) const override;
    bool GetTextA(XAString& out, int32_t item) const override;
    bool GetInt(int32_t& out, int32_t item) const override;
    void SetFromInt(LValueModifyMsg& msg, int32_t value) override;
    void SetFromTextW(LValueModifyMsg& msg, const XWString& text) override;

  private:
    XWString value_;
    XWString default_;
    int32_t maximumLength_ = 0;
};
