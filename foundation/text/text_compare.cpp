#include "foundation/text/text_compare.h"

namespace {

struct FoldPair
{
    unsigned char lower;
    unsigned char upper;
};

// The accented letters of code page 850 that have a partner of the other case.
constexpr FoldPair kCodePage850Pairs[] = {
    {0x84, 0x8E}, {0x94, 0x99}, {0x81, 0x9A}, {0x82, 0x90}, {0x83, 0xB6}, {0x85, 0xB7}, {0x86, 0x8F},
    {0x87, 0x80}, {0x88, 0xD2}, {0x89, 0xD3}, {0x8A, 0xD4}, {0x8B, 0xD8}, {0x8C, 0xD7}, {0x8D, 0xDE},
    {0x91, 0x92}, {0x93, 0xE2}, {0x95, 0xE3}, {0x96, 0xEA}, {0x97, 0xEB}, {0x9B, 0x9D}, {0xA0, 0xB5},
    {0xA1, 0xD6}, {0xA2, 0xE0}, {0xA3, 0xE9}, {0xA4, 0xA5}, {0xC6, 0xC7}, {0xE4, 0xE5}, {0xEC, 0xED},
};

constexpr CaseFoldTable MakeAsciiFold()
{
    CaseFoldTable table{};
    for (int c = 0; c < 256; ++c)
        table[c] = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return table;
}

constexpr CaseFoldTable MakeSystemFold()
{
    CaseFoldTable table = MakeAsciiFold();
    for (const FoldPair& pair : kCodePage850Pairs)
        table[pair.lower] = pair.upper;
    return table;
}

// Built by the compiler, so no compare can run before the tables stand.
constexpr CaseFoldTable kSystemFold = MakeSystemFold();
constexpr CaseFoldTable kAsciiFold = MakeAsciiFold();

constexpr char kMarker[] = {'#', 'U', '_'};
constexpr int kMarkerLength = sizeof(kMarker);

const unsigned char* Bytes(const char* text)
{
    return reinterpret_cast<const unsigned char*>(text ? text : "");
}

bool EqualFolded(const char* a, const char* b, const CaseFoldTable& fold)
{
    const unsigned char* p = Bytes(a);
    const unsigned char* q = Bytes(b);
    for (;; ++p, ++q) {
        if (fold[*p] != fold[*q])
            return false;
        if (*p == 0)
            return true;
    }
}

int CompareFolded(const char* a, const char* b, const CaseFoldTable& fold)
{
    if (!a)
        return b ? -1 : 0;
    if (!b)
        return 1;
    const unsigned char* p = Bytes(a);
    const unsigned char* q = Bytes(b);
    for (;; ++p, ++q) {
        const unsigned char x = fold[*p];
        const unsigned char y = fold[*q];
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
    }
}

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

bool IsSeparator(unsigned char c)
{
    return c == '/' || c == '\\';
}

bool StartsWithMarker(const unsigned char* text)
{
    for (int i = 0; i < kMarkerLength; ++i) {
        if (kAsciiFold[text[i]] != static_cast<unsigned char>(kMarker[i]))
            return false;
    }
    return true;
}

int Sign(long long difference)
{
    return difference < 0 ? -1 : (difference > 0 ? 1 : 0);
}

// Compares the digit runs at *p and *q by value, whatever their length; with equal values the
// shorter run comes first. Leaves both pointers on the character that ended each run.
int CompareDigitRuns(const unsigned char*& p, const unsigned char*& q)
{
    const unsigned char* runA = p;
    const unsigned char* runB = q;
    while (IsDigit(*p))
        ++p;
    while (IsDigit(*q))
        ++q;
    const unsigned char* valueA = runA;
    const unsigned char* valueB = runB;
    while (valueA < p && *valueA == '0')
        ++valueA;
    while (valueB < q && *valueB == '0')
        ++valueB;
    if (int order = Sign((p - valueA) - (q - valueB)))
        return order;
    for (; valueA < p; ++valueA, ++valueB) {
        if (*valueA != *valueB)
            return *valueA < *valueB ? -1 : 1;
    }
    return Sign((p - runA) - (q - runB));
}

} // namespace

const CaseFoldTable& CaseFold()
{
    return kSystemFold;
}

const CaseFoldTable& CaseFoldAscii()
{
    return kAsciiFold;
}

unsigned char FoldChar(unsigned char c)
{
    return kSystemFold[c];
}

unsigned char FoldCharAscii(unsigned char c)
{
    return kAsciiFold[c];
}

bool StrEqual(const char* a, const char* b)
{
    const unsigned char* p = Bytes(a);
    const unsigned char* q = Bytes(b);
    for (; *p == *q; ++p, ++q) {
        if (*p == 0)
            return true;
    }
    return false;
}

bool StrEqualNoCase(const char* a, const char* b)
{
    return EqualFolded(a, b, kSystemFold);
}

bool StrEqualNoCaseAscii(const char* a, const char* b)
{
    return EqualFolded(a, b, kAsciiFold);
}

int StrCompareNoCase(const char* a, const char* b)
{
    return CompareFolded(a, b, kSystemFold);
}

int StrCompareNoCaseAscii(const char* a, const char* b)
{
    return CompareFolded(a, b, kAsciiFold);
}

int StrCompareNatural(const char* a, const char* b)
{
    if (!a)
        return b ? -1 : 0;
    if (!b)
        return 1;
    const unsigned char* p = Bytes(a);
    const unsigned char* q = Bytes(b);
    if (StartsWithMarker(p) && StartsWithMarker(q))
        return StrCompareNoCaseAscii(a, b);
    for (;;) {
        if (IsDigit(*p) && IsDigit(*q)) {
            if (int order = CompareDigitRuns(p, q))
                return order;
        }
        const unsigned char x = kAsciiFold[*p];
        const unsigned char y = kAsciiFold[*q];
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
        ++p;
        ++q;
        if (IsSeparator(x) && StartsWithMarker(p) && StartsWithMarker(q))
            return StrCompareNoCaseAscii(reinterpret_cast<const char*>(p), reinterpret_cast<const char*>(q));
    }
}

int32_t FindNoCase(const char* text, int32_t length, const char* needle, int32_t start)
{
    if (!text || !needle || *needle == 0)
        return -1;
    if (start < 0)
        start = 0;
    const unsigned char* haystack = Bytes(text);
    const unsigned char* pattern = Bytes(needle);
    const unsigned char first = kSystemFold[pattern[0]];
    for (int32_t i = start; i < length; ++i) {
        if (kSystemFold[haystack[i]] != first)
            continue;
        int32_t k = 1;
        while (pattern[k] != 0 && i + k < length && kSystemFold[haystack[i + k]] == kSystemFold[pattern[k]])
            ++k;
        if (pattern[k] == 0)
            return i;
    }
    return -1;
}
