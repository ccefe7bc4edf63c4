#include "foundation/strings/text_formatter.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <string_view>

#include "foundation/strings/number_text.h"

namespace {

constexpr char kBlank = ' ';
constexpr int32_t kDecimalWidth = 11; // sign and ten digits of any 32-bit value
constexpr int32_t kHexWidth = 8;
constexpr int32_t kMinHexDigits = 1;
constexpr int32_t kDefaultDoubleExpDigits = 14;
// %u with a width: the fixed form takes this many integer and fraction digits to fit from.
constexpr int32_t kFittedDigits = 10;
// %u with a width uses the fixed form only below this magnitude.
constexpr double kFittedLimit = 1e11;
constexpr int32_t kThousandsGroup = 3;

// Writes characters at the end of the text until the room runs out; then it ends the text
// there and refuses every further character.
class FormatOutput
{
  public:
    FormatOutput(char* end, int32_t room) : out_(end), room_(room) {}

    int32_t Room() const { return room_; }

    bool Put(char c)
    {
        if (room_ == 0) {
            *out_ = 0;
            return false;
        }
        *out_++ = c;
        --room_;
        return true;
    }

    bool Put(std::string_view text)
    {
        return std::all_of(text.begin(), text.end(), [this](char c) { return Put(c); });
    }

    // Takes back characters already written; their room stays used.
    void Retreat(int32_t count) { out_ -= count; }

    void Finish() { *out_ = 0; }

  private:
    char* out_;
    int32_t room_;
};

// Hands out the arguments in order; a missing one, or one of another kind, reads as zero.
class FormatArgReader
{
  public:
    explicit FormatArgReader(FormatArgs args) : args_(args) {}

    FormatArg Next(FormatArgKind kind)
    {
        FormatArg arg;
        arg.kind = kind;
        if (next_ < args_.size() && args_[next_].kind == kind) {
            arg = args_[next_];
        }
        ++next_;
        return arg;
    }

  private:
    FormatArgs args_;
    size_t next_ = 0;
};

// The arguments of one conversion with the field widths already clamped to the room.
struct Conversion
{
    char letter = 0;
    FormatFlags flags;
    FormatArg args[kMaxFormatConversionArgs];
    int32_t room = 0;

    int32_t Integer(int32_t i) const { return args[i].integer; }
    double Real(int32_t i) const { return args[i].real; }
    std::string_view Text(int32_t i) const { return args[i].text ? args[i].text : ""; }
    int32_t Width(int32_t i) const { return std::clamp(args[i].integer, 0, room); }
};

// One field of at most 255 characters, built before it is written.
class Field
{
  public:
    void Append(std::string_view text)
    {
        std::copy(text.begin(), text.end(), text_ + length_);
        length_ += static_cast<int32_t>(text.size());
    }
    void AppendBlanks(int32_t count)
    {
        std::memset(text_ + length_, kBlank, std::max(count, 0));
        length_ += std::max(count, 0);
    }
    void MarkCut(bool mark)
    {
        if (mark && length_ > 0) {
            text_[length_ - 1] = kFormatCutMark;
        }
    }
    std::string_view View() const { return {text_, static_cast<size_t>(length_)}; }

  private:
    char text_[kFormatBufferSize];
    int32_t length_ = 0;
};

std::string_view SkipLeadingBlanks(std::string_view text)
{
    const size_t start = text.find_first_not_of(kBlank);
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

std::string_view TrimBlanks(std::string_view text)
{
    text = SkipLeadingBlanks(text);
    return text.substr(0, text.find_last_not_of(kBlank) + 1);
}

int32_t TrailingBlankCount(std::string_view text)
{
    return static_cast<int32_t>(text.size() - TrimBlanks(text).size());
}

int32_t Length(std::string_view text)
{
    return static_cast<int32_t>(text.size());
}

std::string_view Head(std::string_view text, int32_t count)
{
    return text.substr(0, static_cast<size_t>(count));
}

// The double argument in single precision; beyond its range it becomes an infinity.
float ToSingle(double value)
{
    if (std::isfinite(value) && std::fabs(value) > FLT_MAX) {
        return value < 0 ? -HUGE_VALF : HUGE_VALF;
    }
    return static_cast<float>(value);
}

bool WriteLeft(FormatOutput& out, const Conversion& c)
{
    const std::string_view text = SkipLeadingBlanks(c.Text(0));
    const int32_t width = c.Width(1);
    Field field;
    field.Append(Head(text, width));
    field.MarkCut(c.flags.dot && Length(text) > width);
    field.AppendBlanks(width - Length(field.View()));
    return out.Put(field.View());
}

bool WriteRight(FormatOutput& out, const Conversion& c)
{
    const std::string_view text = TrimBlanks(c.Text(0));
    const int32_t width = c.Width(1);
    Field field;
    field.AppendBlanks(width - Length(text));
    field.Append(Head(text, width));
    field.MarkCut(c.flags.dot && Length(text) > width);
    return out.Put(field.View());
}

bool WriteCentred(FormatOutput& out, const Conversion& c)
{
    const std::string_view text = TrimBlanks(c.Text(0));
    const int32_t width = c.Width(1);
    Field field;
    field.AppendBlanks((width - Length(text)) / 2);
    field.Append(Head(text, width));
    field.MarkCut(c.flags.dot && Length(text) > width);
    field.AppendBlanks(width - Length(field.View()));
    return out.Put(field.View());
}

bool WriteAtMost(FormatOutput& out, const Conversion& c)
{
    const std::string_view text = c.Text(0);
    const int32_t width = c.Width(1);
    Field field;
    field.Append(Head(text, width));
    field.MarkCut(c.flags.dot && Length(text) > width);
    return out.Put(field.View());
}

// %n: the blanks after the text are written, then taken back; they still count against the room.
bool WriteTrimmed(FormatOutput& out, const Conversion& c)
{
    const std::string_view text = SkipLeadingBlanks(c.Text(0));
    if (!out.Put(text)) {
        return false;
    }
    out.Retreat(TrailingBlankCount(text));
    return true;
}

bool WriteNumberText(FormatOutput& out, const char* text)
{
    return out.Put(SkipLeadingBlanks(text));
}

bool WriteIntegerField(FormatOutput& out, const Conversion& c)
{
    char text[kNumberTextSize];
    const int32_t width = c.Width(1);
    FmtIntRight(text, c.Integer(0), width);
    if (c.flags.zero) {
        std::replace(text, text + std::strspn(text, " "), kBlank, '0');
    }
    return out.Put(std::string_view(text, width));
}

bool WriteGrouped(FormatOutput& out, const Conversion& c)
{
    const int64_t value = c.Integer(0);
    uint64_t magnitude = static_cast<uint64_t>(value < 0 ? -value : value);
    constexpr int32_t kGroupedSize = 16; // "-2,147,483,648"
    char text[kGroupedSize];
    char* p = text + kGroupedSize;
    while (magnitude >= 1000) {
        for (int32_t i = 0; i < kThousandsGroup; ++i) {
            *--p = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        }
        *--p = ',';
    }
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (value < 0) {
        *--p = '-';
    }
    return out.Put(std::string_view(p, static_cast<size_t>(text + kGroupedSize - p)));
}

bool WriteHex(FormatOutput& out, uint32_t value, int32_t digits)
{
    char text[kNumberTextSize];
    FmtHex(text, value, std::clamp(digits, kMinHexDigits, kHexWidth));
    return out.Put(text);
}

bool WriteFixed(FormatOutput& out, const Conversion& c)
{
    const int32_t intDigits = c.Width(1);
    const int32_t fracDigits = c.Width(2);
    const int32_t width = c.flags.dot ? c.Width(3) : 0;
    char text[kNumberTextSize];
    if (c.flags.doublePrecision) {
        FmtDoubleFixed(text, c.Real(0), intDigits, fracDigits, width);
    } else {
        FmtFloatFixed(text, ToSingle(c.Real(0)), intDigits, fracDigits, width);
    }
    return WriteNumberText(out, text);
}

bool WriteExponent(FormatOutput& out, const Conversion& c)
{
    char text[kNumberTextSize];
    if (c.flags.doublePrecision) {
        FmtDoubleExp(text, c.Real(0), c.flags.dot ? c.Integer(1) : kDefaultDoubleExpDigits);
    } else {
        FmtFloatExp(text, ToSingle(c.Real(0)), c.flags.dot ? c.Integer(1) : 0);
    }
    return WriteNumberText(out, text);
}

bool WriteShortest(FormatOutput& out, const Conversion& c)
{
    const double value = c.Real(0);
    const int32_t width = c.flags.dot ? c.Width(1) : 0;
    char text[kNumberTextSize];
    const bool fitted = width > 0 && std::fabs(value) < kFittedLimit;
    if (fitted && c.flags.doublePrecision) {
        FmtDoubleFixed(text, value, kFittedDigits, kFittedDigits, width);
    } else if (fitted) {
        FmtFloatFixed(text, ToSingle(value), kFittedDigits, kFittedDigits, width);
    } else if (c.flags.doublePrecision) {
        FmtDoubleGeneral(text, value);
    } else {
        FmtFloatGeneral(text, ToSingle(value));
    }
    return WriteNumberText(out, text);
}

bool WriteDecimal(FormatOutput& out, int32_t value)
{
    char text[kNumberTextSize];
    FmtIntRight(text, value, kDecimalWidth);
    return WriteNumberText(out, text);
}

// Writes one conversion; false once the room has run out.
bool WriteConversion(FormatOutput& out, const Conversion& c)
{
    switch (c.letter) {
    case 's':
        return out.Put(c.Text(0));
    case 'n':
        return WriteTrimmed(out, c);
    case 'l':
        return WriteLeft(out, c);
    case 'r':
        return WriteRight(out, c);
    case 'c':
        return WriteCentred(out, c);
    case 'm':
        return WriteAtMost(out, c);
    case 'x':
        return out.Put(static_cast<char>(c.Integer(0) & 0xFF));
    case 'd':
        return WriteDecimal(out, c.Integer(0));
    case 'i':
        return WriteIntegerField(out, c);
    case 'k':
        return WriteGrouped(out, c);
    case 'h':
        return WriteHex(out, static_cast<uint32_t>(c.Integer(0)), kHexWidth);
    case 'p':
        return WriteHex(out, static_cast<uint32_t>(c.Integer(0)), c.Integer(1));
    case 'f':
        return WriteFixed(out, c);
    case 'e':
        return WriteExponent(out, c);
    case 'u':
        return WriteShortest(out, c);
    default:
        return true;
    }
}

} // namespace

void FormatCoreV(const char* format, char* buffer, FormatArgs args)
{
    if (format == nullptr || buffer == nullptr) {
        return;
    }
    const int32_t length = static_cast<int32_t>(strnlen(buffer, kFormatBufferSize));
    if (length >= kFormatMaxText) {
        return;
    }
    FormatOutput out(buffer + length, kFormatMaxText - length);
    FormatArgReader reader(args);
    for (;;) {
        const char c = *format++;
        if (c == 0) {
            out.Finish();
            return;
        }
        if (c != '%') {
            if (!out.Put(c)) {
                return;
            }
            continue;
        }
        Conversion conversion;
        format = ReadFormatFlags(format, conversion.flags);
        if (*format == 0) {
            out.Finish();
            return;
        }
        const char character = *format++;
        conversion.letter = FormatConversionLetter(character);
        if (conversion.letter == 0) {
            if (!out.Put(character)) {
                return;
            }
            continue;
        }
        const FormatConversionArgs wanted = ConversionArgs(conversion.letter, conversion.flags);
        for (int32_t i = 0; i < wanted.count; ++i) {
            conversion.args[i] = reader.Next(wanted.kinds[i]);
        }
        conversion.room = out.Room();
        if (!WriteConversion(out, conversion)) {
            return;
        }
    }
}

void FormatStringV(const char* format, char* buffer, FormatArgs args)
{
    if (buffer == nullptr) {
        return;
    }
    buffer[0] = 0;
    FormatCoreV(format, buffer, args);
}
