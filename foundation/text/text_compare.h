#pragma once
// Text comparisons. Two case folds stand side by side:
// - the system fold, one 256-byte table of the ASCII letters and the accented letter pairs of
//   code page 850, for the system's own 8-bit texts (keys, parameter names);
// - the ASCII fold, for names that come from the operating system (file and folder names are
//   UTF-8, whose bytes the code page pairs would wrongly make equal).
// Null texts count as the empty text throughout.

#include <array>
#include <cstdint>

using CaseFoldTable = std::array<unsigned char, 256>;

// The system fold: every byte to itself, lower-case letters to their upper-case partners.
const CaseFoldTable& CaseFold();
// The ASCII fold: only a-z to A-Z.
const CaseFoldTable& CaseFoldAscii();

unsigned char FoldChar(unsigned char c);
unsigned char FoldCharAscii(unsigned char c);

bool StrEqual(const char* a, const char* b);
bool StrEqualNoCase(const char* a, const char* b);
bool StrEqualNoCaseAscii(const char* a, const char* b);

// -1, 0 or 1 comparing folded bytes as unsigned values.
int StrCompareNoCase(const char* a, const char* b);
int StrCompareNoCaseAscii(const char* a, const char* b);

// Natural order of file names (ASCII fold): digit runs compare as numbers of any length, and
// with equal values the run with fewer digits comes first (7 before 07). Two texts that both
// begin with the marker "#u_" compare by StrCompareNoCaseAscii, as does the rest of both texts
// after a common separator that both continue with the marker.
int StrCompareNatural(const char* a, const char* b);

// Index of the first occurrence of needle in text[start, length) under the system fold; -1 when
// the needle is null or empty, start is at or past length, or there is none. A start below 0
// counts as 0.
int32_t FindNoCase(const char* text, int32_t length, const char* needle, int32_t start);
