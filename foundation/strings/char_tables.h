#pragma once
// The system's 8-bit codes: the OEM code (code page 850 with the system's own deviations) and the
// ANSI code (Windows-1252), with the tables between them and to Unicode. The recoders work on
// these legacy byte codes; UTF-8 text is converted to 16 bits by Str8To16 / Str16To8.
//
// Recoded text may hold escaped runs: bytes 01 01 open one, 01 02 close it, and the bytes inside
// are copied unchanged.

#include "foundation/strings/xa_string.h"
#include "foundation/strings/xw_string.h"

#include <cstddef>
#include <cstdint>

// OEM code -> Windows-1252 byte, 0 where there is none. Codes 00-7F map to themselves.
const uint8_t* OemToAnsiTable() noexcept;
// Windows-1252 byte -> OEM code, 0 where there is none (built on first use).
const uint8_t* AnsiToOemTable() noexcept;
// Windows-1252 byte -> Unicode code point (built on first use).
const char16_t* AnsiToUnicodeTable() noexcept;

// Builds the derived tables; later calls do nothing. The table accessors call it themselves.
void InitCharTables() noexcept;

// OEM code of a Unicode code point, 0 when the OEM code has no such character.
uint8_t UnicodeToOem(char32_t codePoint) noexcept;

// UTF-8 text to 16-bit text. A byte that does not start a valid UTF-8 sequence is read as a
// Windows-1252 byte (texts of old stored files); `replacement` stands for what has no 16-bit form.
XWString Str8To16(const char* text, char16_t replacement);
// 16-bit text to UTF-8 text; `replacement` stands for an unpaired surrogate.
XAString Str16To8(const char16_t* text, char replacement);

// Zero-terminated OEM text to ANSI text / ANSI text to OEM text. Source and destination may be
// the same buffer; the length stays. Characters without equivalent become blanks.
void Recode8Forward(const char* source, char* destination) noexcept;
void Recode8Reverse(const char* source, char* destination) noexcept;
// The recoding step of both: n bytes through `table`, escaped runs copied unchanged.
void RecodeBytes(const uint8_t* table, const char* source, std::size_t n, char* destination) noexcept;
// True when recoding n bytes through `table` would change any of them.
bool RecodeChanges(const uint8_t* table, const char* text, std::size_t n) noexcept;
