#pragma once
// LSimpleParser: reads numbers out of a short zero-terminated 8-bit text, the way the value model
// turns typed-in text into an integer or a real. Every reading operation answers true on success
// and false after recording an error; the first error recorded stays, later ones are dropped,
// and the operations keep running and setting their out values after an error.

#include <cstdint>

#include "foundation/errors/c_error.h"
#include "foundation/strings/xa_string.h"

class LSimpleParser
{
  public:
    // The parser does not own the text; a null text reads as the empty text.
    explicit LSimpleParser(const char* text);
    LSimpleParser(const LSimpleParser&) = delete;
    LSimpleParser& operator=(const LSimpleParser&) = delete;
    virtual ~LSimpleParser() = default;

    // When on, ',' serves as decimal point as well as '.'.
    void SetCommaFlag(bool on) { commaFlag_ = on ? 1 : 0; }

    // True when at least one blank (' ' or TAB) was skipped.
    bool SkipBlanks();
    bool ExpectEnd();

    bool ReadInt(int32_t& out);
    bool ReadIntRange(int32_t& out, int32_t min, int32_t max);
    bool ReadUnsignedRange(uint32_t& out, uint32_t min, uint32_t max);
    bool ReadDouble(double& out);
    bool ReadDoubleRange(double& out, double min, double max);

    // An error holding the first error text, or ok when none was recorded.
    CError GetError() const;
    // Keeps the first error only; the text gets the line and column of the position. Answers false.
    bool RecordError(const XAString& message);

    // Offset of the next character from the start of the text.
    int32_t Column() const { return static_cast<int32_t>(position_ - lineStart_); }
    const char* Position() const { return position_; }

  private:
    bool AtDigit() const { return IsDigit(*position_); }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    bool IsDecimalPoint(char c) const { return c == '.' || (c == ',' && commaFlag_ != 0); }
    bool UnsignedRangeError(uint32_t min, uint32_t max);
    bool IntRangeError(int32_t min, int32_t max);
    void SkipDigits();
    bool ReadExponent(double& value);

    XAString error_;
    const char* position_;
    const char* lineStart_;
    int32_t line_ = 0;
    int16_t commaFlag_ = 0;
};
