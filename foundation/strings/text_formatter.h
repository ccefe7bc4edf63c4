#pragma once

// The system's own text formatter. A conversion is '%', any number of the flags '.', '0' and '^',
// and one conversion character; field widths and digit counts are never written in the format
// but taken from the arguments:
//
//   %s text            %n text without leading and trailing blanks
//   %l text, w         left-aligned in w characters      %r text, w   right-aligned in w
//   %c text, w         centred in w characters           %m text, w   at most w characters
//   %x int             one character, the low byte       %d int       signed decimal
//   %i int, w          right-aligned in w (with '0': zeros instead of blanks)
//   %k int             decimal with ',' between groups of three digits
//   %h int             8 hexadecimal digits              %p int, n    the lowest n (1..8) digits
//   %f real, W, P [,D] fixed form: W integer digits, P fraction digits, width D
//   %e real [,D]       exponent form with D fraction digits
//   %u real [,D]       shortest form, or with D > 0 the fixed form fitted into D characters
//
// '.' takes the extra argument D of %f, %e and %u, and marks a cut text in %l, %r, %c and %m by
// replacing the last character written with 0xFA; '^' keeps %f, %e and %u in double precision
// (without it the value is rounded to single precision first). Any other character after '%'
// (also '%') is written as it is. The text never grows beyond 255 characters.
//
// Since no compiler checks this dialect, FormatString and XAString::Format check a constant
// format against the types of their arguments at compile time: integers of at most 32 bits
// (and enumerations), float or double, and texts (char pointers, or anything with CStr()).
// A format that is only known at run time is passed as RuntimeFormat(text); there a missing
// argument, or one of the wrong kind, reads as 0 or as the empty text.

#include <array>
#include <concepts>
#include <cstdint>
#include <span>
#include <type_traits>

constexpr int32_t kFormatMaxText = 255;
constexpr int32_t kFormatBufferSize = kFormatMaxText + 1;

// Marks the last character of a text that had to be cut to fit its field.
constexpr char kFormatCutMark = static_cast<char>(0xFA);

enum class FormatArgKind : uint8_t { Integer, Real, Text };

struct FormatArg
{
    FormatArgKind kind = FormatArgKind::Integer;
    int32_t integer = 0;
    double real = 0;
    const char* text = nullptr;
};

using FormatArgs = std::span<const FormatArg>;

template <class T>
concept FormatIntegerType = (std::integral<T> || std::is_enum_v<T>)&&!std::same_as<T, bool> &&
                            sizeof(T) <= sizeof(int32_t);

template <class T>
concept FormatRealType = std::same_as<T, float> || std::same_as<T, double>;

template <class T>
concept FormatTextType = std::convertible_to<const T&, const char*> || requires(const T& value)
{
    {
        value.CStr()
        } -> std::convertible_to<const char*>;
};

template <class T>
concept FormatArgumentType = FormatIntegerType<T> || FormatRealType<T> || FormatTextType<T>;

template <FormatArgumentType T> constexpr FormatArgKind FormatArgKindOf()
{
    if constexpr (FormatIntegerType<T>) {
        return FormatArgKind::Integer;
    } else if constexpr (FormatRealType<T>) {
        return FormatArgKind::Real;
    } else {
        return FormatArgKind::Text;
    }
}

template <FormatArgumentType T> constexpr FormatArg MakeFormatArg(const T& value)
{
    FormatArg arg;
    arg.kind = FormatArgKindOf<T>();
    if constexpr (FormatIntegerType<T>) {
        arg.integer = static_cast<int32_t>(value);
    } else if constexpr (FormatRealType<T>) {
        arg.real = value;
    } else if constexpr (std::convertible_to<const T&, const char*>) {
        arg.text = value;
    } else {
        arg.text = value.CStr();
    }
    return arg;
}

// The arguments in order, with one unused slot so that an empty list is a valid array.
template <FormatArgumentType... Args>
constexpr std::array<FormatArg, sizeof...(Args) + 1> MakeFormatArgs(const Args&... args)
{
    return {MakeFormatArg(args)..., FormatArg()};
}

// What a conversion is made of: its flags and the arguments it takes, in order.
struct FormatFlags
{
    bool dot = false;
    bool zero = false;
    bool doublePrecision = false;
};

constexpr int32_t kMaxFormatConversionArgs = 4;

struct FormatConversionArgs
{
    FormatArgKind kinds[kMaxFormatConversionArgs] = {};
    int32_t count = 0;
};

// Reads the flags after a '%' and returns the position of the conversion character.
constexpr const char* ReadFormatFlags(const char* p, FormatFlags& flags)
{
    for (;; ++p) {
        if (*p == '.') {
            flags.dot = true;
        } else if (*p == '0') {
            flags.zero = true;
        } else if (*p == '^') {
            flags.doublePrecision = true;
        } else {
            return p;
        }
    }
}

// The conversion character in lower case, or 0 when the character is written as it is.
constexpr char FormatConversionLetter(char c)
{
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    for (const char letter : "snlrcmxdikhpfeu") {
        if (letter != 0 && letter == lower) {
            return lower;
        }
    }
    return 0;
}

constexpr FormatConversionArgs ConversionArgs(char letter, const FormatFlags& flags)
{
    using enum FormatArgKind;
    FormatConversionArgs args;
    auto take = [&args](FormatArgKind kind) { args.kinds[args.count++] = kind; };
    switch (letter) {
    case 's':
    case 'n':
        take(Text);
        break;
    case 'l':
    case 'r':
    case 'c':
    case 'm':
        take(Text);
        take(Integer);
        break;
    case 'x':
    case 'd':
    case 'k':
    case 'h':
        take(Integer);
        break;
    case 'i':
    case 'p':
        take(Integer);
        take(Integer);
        break;
    case 'f':
        take(Real);
        take(Integer);
        take(Integer);
        break;
    case 'e':
    case 'u':
        take(Real);
        break;
    default:
        break;
    }
    if (flags.dot && (letter == 'f' || letter == 'e' || letter == 'u')) {
        take(Integer);
    }
    return args;
}

enum class FormatCheck { Match, TooFewArguments, TooManyArguments, WrongArgumentType };

// Compares the arguments a format takes with the kinds of the arguments given.
constexpr FormatCheck CheckFormatArguments(const char* format, const FormatArgKind* kinds, int32_t count)
{
    int32_t used = 0;
    for (const char* p = format; *p != 0;) {
        if (*p++ != '%') {
            continue;
        }
        FormatFlags flags;
        p = ReadFormatFlags(p, flags);
        if (*p == 0) {
            break;
        }
        const FormatConversionArgs wanted = ConversionArgs(FormatConversionLetter(*p++), flags);
        for (int32_t i = 0; i < wanted.count; ++i, ++used) {
            if (used >= count) {
                return FormatCheck::TooFewArguments;
            }
            if (kinds[used] != wanted.kinds[i]) {
                return FormatCheck::WrongArgumentType;
            }
        }
    }
    return used == count ? FormatCheck::Match : FormatCheck::TooManyArguments;
}

// Never defined: a call in a constant evaluation names the fault in the compiler's message.
void FormatNeedsMoreArguments();
void FormatNeedsFewerArguments();
void FormatArgumentHasWrongType();

// A format known only at run time: not checked against the arguments.
struct RuntimeFormat
{
    explicit RuntimeFormat(const char* format) : text(format) {}
    const char* text;
};

template <FormatArgumentType... Args> class CheckedFormat
{
  public:
    template <class Text>
    requires std::convertible_to<const Text&, const char*>
    consteval CheckedFormat(const Text& format) : text_(format) // NOLINT: literals convert implicitly
    {
        switch (CheckFormatArguments(text_, kKinds, sizeof...(Args))) {
        case FormatCheck::TooFewArguments:
            FormatNeedsMoreArguments();
            break;
        case FormatCheck::TooManyArguments:
            FormatNeedsFewerArguments();
            break;
        case FormatCheck::WrongArgumentType:
            FormatArgumentHasWrongType();
            break;
        case FormatCheck::Match:
            break;
        }
    }
    CheckedFormat(RuntimeFormat format) : text_(format.text) {} // NOLINT

    const char* Text() const { return text_; }

  private:
    static constexpr FormatArgKind kKinds[sizeof...(Args) + 1] = {FormatArgKindOf<Args>()...,
                                                                  FormatArgKind::Integer};
    const char* text_;
};

// Appends the formatted text to the zero-terminated text in `buffer` (kFormatBufferSize bytes);
// the whole text stops at 255 characters. Nothing happens for a null format or buffer.
void FormatCoreV(const char* format, char* buffer, FormatArgs args);

// FormatCoreV into an emptied buffer.
void FormatStringV(const char* format, char* buffer, FormatArgs args);

template <FormatArgumentType... Args>
void FormatString(CheckedFormat<std::type_identity_t<Args>...> format, char* buffer, const Args&... args)
{
    const auto items = MakeFormatArgs(args...);
    FormatStringV(format.Text(), buffer, FormatArgs(items.data(), sizeof...(Args)));
}
