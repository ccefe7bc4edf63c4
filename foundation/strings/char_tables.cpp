#include "foundation/strings/char_tables.h"

#include <array>
#include <climits>

namespace {

constexpr char kBlank = ' ';
constexpr char kRunMark = 0x01;
constexpr char kRunOpen = 0x01;
constexpr char kRunClose = 0x02;

// Code page 850 in Windows-1252, with the system's own deviations: B0/B1 hold the single
// quotation marks, F2 the double low quotation mark, FA the ellipsis, FB-FD the bytes 81-83 and
// FE the euro sign; characters Windows-1252 lacks are 0.
constexpr std::array<uint8_t, 256> kOemToAnsi = {
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, // 0_
    0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F, // 1_
    0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F, // 2_
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F, // 3_
    0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F, // 4_
    0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F, // 5_
    0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F, // 6_
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B, 0x7C, 0x7D, 0x7E, 0x7F, // 7_
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5, // 8_
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xF8, 0xA3, 0xD8, 0x00, 0x00, // 9_
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0x00, 0x00, 0xBF, 0xAE, 0x00, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB, // A_
    0x91, 0x92, 0x00, 0x00, 0x00, 0xC1, 0xC2, 0xC0, 0xA9, 0x00, 0x00, 0x00, 0x00, 0xA2, 0xA5, 0x00, // B_
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE3, 0xC3, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // C_
    0x00, 0x00, 0xCA, 0xCB, 0xC8, 0x00, 0xCD, 0xCE, 0xCF, 0x00, 0x00, 0x00, 0x00, 0xA6, 0xCC, 0x00, // D_
    0xD3, 0xDF, 0xD4, 0xD2, 0xF5, 0xD5, 0xB5, 0x00, 0x00, 0xDA, 0xDB, 0xD9, 0xFD, 0xDD, 0xAF, 0xB4, // E_
    0x00, 0x00, 0x84, 0x00, 0xB6, 0xA7, 0x00, 0x00, 0xB0, 0x00, 0x85, 0x81, 0x82, 0x83, 0x80, 0x00, // F_
};

constexpr char16_t kEuroSign = 0x20AC;
constexpr char16_t kLeftSingleQuote = 0x2018;
constexpr char16_t kRightSingleQuote = 0x2019;
constexpr uint8_t kAnsiEuro = 0x80;
constexpr uint8_t kAnsiLeftSingleQuote = 0x91;
constexpr uint8_t kAnsiRightSingleQuote = 0x92;
constexpr uint8_t kOemEuro = 0xFE;
constexpr uint8_t kOemLeftSingleQuote = 0xB0;
constexpr uint8_t kOemRightSingleQuote = 0xB1;

struct DerivedTables
{
    std::array<uint8_t, 256> ansiToOem{};
    std::array<char16_t, 256> ansiToUnicode{};

    DerivedTables()
    {
        for (int oem = 0; oem < 256; ++oem) {
            if (const uint8_t ansi = kOemToAnsi[oem])
                ansiToOem[ansi] = static_cast<uint8_t>(oem);
        }
        for (int ansi = 0; ansi < 256; ++ansi)
            ansiToUnicode[ansi] = static_cast<char16_t>(ansi);
        ansiToUnicode[kAnsiEuro] = kEuroSign;
        ansiToUnicode[kAnsiLeftSingleQuote] = kLeftSingleQuote;
        ansiToUnicode[kAnsiRightSingleQuote] = kRightSingleQuote;
    }
};

// Made once, on first use; the static's guard is the flag that records that they exist.
const DerivedTables& Derived() noexcept
{
    static const DerivedTables tables;
    return tables;
}

// Length of the escape marker pair at `text` (2), or 0 when there is none; sets `raw`.
std::size_t RunMarker(const char* text, std::size_t left, bool& raw) noexcept
{
    if (left < 2 || text[0] != kRunMark || (text[1] != kRunOpen && text[1] != kRunClose))
        return 0;
    raw = text[1] == kRunOpen;
    return 2;
}

constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr char32_t kSurrogateFirst = 0xD800;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kSurrogateLast = 0xDFFF;
constexpr char32_t kFirstSupplementary = 0x10000;

bool IsSurrogate(char32_t c) noexcept
{
    return c >= kSurrogateFirst && c <= kSurrogateLast;
}

// Decodes one UTF-8 sequence at `text` into `codePoint`; returns its length, or 0 when the
// bytes are not a valid (shortest-form) sequence.
std::size_t DecodeUtf8(const uint8_t* text, char32_t& codePoint) noexcept
{
    struct Form
    {
        uint8_t mask, lead;
        char32_t minimum;
    };
    static constexpr Form kForms[] = {
        {0x80, 0x00, 0}, {0xE0, 0xC0, 0x80}, {0xF0, 0xE0, 0x800}, {0xF8, 0xF0, 0x10000}};
    for (std::size_t length = 1; length <= 4; ++length) {
        const Form& form = kForms[length - 1];
        if ((text[0] & form.mask) != form.lead)
            continue;
        char32_t value = text[0] & static_cast<uint8_t>(~form.mask);
        for (std::size_t i = 1; i < length; ++i) {
            if ((text[i] & 0xC0) != 0x80)
                return 0;
            value = (value << 6) | (text[i] & 0x3F);
        }
        if (value < form.minimum || value > kMaxCodePoint || IsSurrogate(value))
            return 0;
        codePoint = value;
        return length;
    }
    return 0;
}

// Walks UTF-8 text and hands each 16-bit unit to `emit`.
template <class Emit> void Utf8ToUnits(const char* text, char16_t replacement, Emit emit)
{
    const auto* p = reinterpret_cast<const uint8_t*>(text);
    while (*p) {
        char32_t c = 0;
        std::size_t length = DecodeUtf8(p, c);
        if (length == 0) {
            const char16_t ansi = AnsiToUnicodeTable()[*p];
            c = ansi ? ansi : replacement;
            length = 1;
        }
        if (c >= kFirstSupplementary) {
            c -= kFirstSupplementary;
            emit(static_cast<char16_t>(kSurrogateFirst + (c >> 10)));
            emit(static_cast<char16_t>(kLowSurrogateFirst + (c & 0x3FF)));
        } else {
            emit(static_cast<char16_t>(c));
        }
        p += length;
    }
}

// Walks 16-bit text and hands each UTF-8 byte to `emit`.
template <class Emit> void UnitsToUtf8(const char16_t* text, char replacement, Emit emit)
{
    for (const char16_t* p = text; *p; ++p) {
        char32_t c = *p;
        if (IsSurrogate(c)) {
            const bool paired =
                c < kLowSurrogateFirst && p[1] >= kLowSurrogateFirst && p[1] <= kSurrogateLast;
            if (!paired) {
                emit(replacement);
                continue;
            }
            c = kFirstSupplementary + ((c - kSurrogateFirst) << 10) + (p[1] - kLowSurrogateFirst);
            ++p;
        }
        if (c < 0x80) {
            emit(static_cast<char>(c));
        } else if (c < 0x800) {
            emit(static_cast<char>(0xC0 | (c >> 6)));
            emit(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < kFirstSupplementary) {
            emit(static_cast<char>(0xE0 | (c >> 12)));
            emit(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            emit(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            emit(static_cast<char>(0xF0 | (c >> 18)));
            emit(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            emit(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            emit(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
}

} // namespace

const uint8_t* OemToAnsiTable() noexcept
{
    return kOemToAnsi.data();
}

const uint8_t* AnsiToOemTable() noexcept
{
    return Derived().ansiToOem.data();
}

const char16_t* AnsiToUnicodeTable() noexcept
{
    return Derived().ansiToUnicode.data();
}

void InitCharTables() noexcept
{
    Derived();
}

uint8_t UnicodeToOem(char32_t codePoint) noexcept
{
    switch (codePoint) {
    case kLeftSingleQuote:
        return kOemLeftSingleQuote;
    case kRightSingleQuote:
        return kOemRightSingleQuote;
    case kEuroSign:
        return kOemEuro;
    default:
        return codePoint <= 0xFF ? AnsiToOemTable()[codePoint] : 0;
    }
}

void RecodeBytes(const uint8_t* table, const char* source, std::size_t n, char* destination) noexcept
{
    bool raw = false;
    for (std::size_t i = 0; i < n;) {
        if (const std::size_t marker = RunMarker(source + i, n - i, raw)) {
            destination[i] = source[i];
            destination[i + 1] = source[i + 1];
            i += marker;
            continue;
        }
        const auto c = static_cast<uint8_t>(source[i]);
        destination[i] = raw ? source[i] : (table[c] ? static_cast<char>(table[c]) : kBlank);
        ++i;
    }
}

bool RecodeChanges(const uint8_t* table, const char* text, std::size_t n) noexcept
{
    bool raw = false;
    for (std::size_t i = 0; i < n;) {
        if (const std::size_t marker = RunMarker(text + i, n - i, raw)) {
            i += marker;
            continue;
        }
        const auto c = static_cast<uint8_t>(text[i]);
        if (!raw && table[c] != c)
            return true;
        ++i;
    }
    return false;
}

void Recode8Forward(const char* source, char* destination) noexcept
{
    if (!source) {
        *destination = '\0';
        return;
    }
    const std::size_t n = std::char_traits<char>::length(source);
    RecodeBytes(OemToAnsiTable(), source, n, destination);
    destination[n] = '\0';
}

void Recode8Reverse(const char* source, char* destination) noexcept
{
    if (!source) {
        *destination = '\0';
        return;
    }
    const std::size_t n = std::char_traits<char>::length(source);
    RecodeBytes(AnsiToOemTable(), source, n, destination);
    destination[n] = '\0';
}

XWString Str8To16(const char* text, char16_t replacement)
{
    XWString result;
    if (!text)
        return result;
    std::size_t count = 0;
    Utf8ToUnits(text, replacement, [&count](char16_t) { ++count; });
    if (count > INT32_MAX - 1)
        return result;
    char16_t* out = result.AllocBuffer(static_cast<int32_t>(count));
    if (out)
        Utf8ToUnits(text, replacement, [&out](char16_t unit) { *out++ = unit; });
    return result;
}

XAString Str16To8(const char16_t* text, char replacement)
{
    XAString result;
    if (!text)
        return result;
    std::size_t count = 0;
    UnitsToUtf8(text, replacement, [&count](char) { ++count; });
    if (count > INT32_MAX - 1)
        return result;
    char* out = result.SetLength(static_cast<int32_t>(count));
    if (out)
        UnitsToUtf8(text, replacement, [&out](char byte) { *out++ = byte; });
    return result;
}
