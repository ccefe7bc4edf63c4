#pragma once
// XAString: an immutable 8-bit text in a counted block, shared by copying. Every change builds a
// new block of exactly length + 1 bytes (text and terminator) and swaps it in; the empty string
// holds no block at all and reads as a static empty text.

#include "foundation/strings/text_formatter.h"
#include "foundation/strings/xa_block.h"

#include <compare>
#include <cstdint>
#include <string_view>

class XAString
{
  public:
    XAString() noexcept = default;
    XAString(const char* text);            // NOLINT: a text converts to a string implicitly
    XAString(const char* text, int32_t n); // at most n characters, stopping at a terminator
    // Exactly the bytes of `bytes`; the result is empty when they do not fit a string.
    explicit XAString(std::string_view bytes);
    XAString(const XAString& other) noexcept = default;
    XAString(XAString&& other) noexcept;
    ~XAString() = default;

    XAString& operator=(const XAString& other) noexcept;
    XAString& operator=(XAString&& other) noexcept;
    XAString& operator=(const char* text);

    static XAString XAStringEmpty() noexcept { return XAString(); }
    static XAString XAStringFromChars(const char* text) { return XAString(text); }
    static XAString XAStringFromCharsB(const char* text) { return XAString(text); }
    static XAString XAStringFromCharsN(const char* text, int32_t n) { return XAString(text, n); }

    // The formatter's text (at most 255 characters); the format is checked against the arguments.
    template <FormatArgumentType... Args>
    static XAString Format(CheckedFormat<std::type_identity_t<Args>...> format, const Args&... args)
    {
        const auto items = MakeFormatArgs(args...);
        return FormatV(format.Text(), FormatArgs(items.data(), sizeof...(Args)));
    }
    static XAString FormatV(const char* format, FormatArgs args);

    // Replaces the text by a copy of a zero-terminated text (null or empty gives the empty string).
    void AssignChars(const char* text);
    // Drops the old text and hands out a fresh block of n + 1 bytes with a zero at position n for
    // the caller to fill; the length is n until the caller sets it with SetBufferLength. Null (and
    // the empty string) when n <= 0 or the heap is exhausted.
    char* AllocBuffer(int32_t n);
    // Sets the length after filling a fresh AllocBuffer/SetLength block: clipped to the block and
    // terminated there. Only for a block nobody else holds yet.
    void SetBufferLength(int32_t n) noexcept;
    // The length becomes n and the caller gets a fresh block of n + 1 bytes with a zero at n.
    // n <= 0 gives the empty string and null.
    char* SetLength(int32_t n);

    // The text; the static empty text when the string is empty. Never null.
    const char* CStr() const noexcept { return length_ > 0 ? text_.As<const char>() : kEmptyText; }
    int32_t Length() const noexcept { return length_; }
    bool IsEmpty() const noexcept { return length_ <= 0; }
    std::string_view View() const noexcept { return {CStr(), static_cast<std::size_t>(Length())}; }
    const XABlock& Block() const noexcept { return text_; }

    // Exact byte comparison with a zero-terminated text; null counts as empty.
    bool Equals(const char* text) const noexcept;
    bool Differs(const char* text) const noexcept { return !Equals(text); }
    // Number of fields at `separator` (occurrences + 1); 0 for a null or empty separator or text.
    int32_t CountOf(const char* separator) const noexcept;
    // The field with that index (from 0); an index past the last separator gives the last field.
    XAString Field(int32_t index, const char* separator) const;

    static XAString Plus(const XAString& a, const XAString& b);
    static XAString PlusChars(const XAString& a, const char* text);
    static XAString CharsPlus(const char* text, const XAString& b);
    void Append(const XAString& other);
    void AppendChars(const char* text);
    XAString& operator+=(const XAString& other)
    {
        Append(other);
        return *this;
    }
    XAString& operator+=(const char* text)
    {
        AppendChars(text);
        return *this;
    }

    // Characters from start up to, not including, end; shares the block when all is asked for.
    XAString Sub(int32_t start, int32_t end) const;
    // Exactly n characters: blanks added or the text cut.
    XAString PadRight(int32_t n) const;
    // Without leading and/or trailing blanks (0x20 only).
    XAString Trim(bool leading, bool trailing) const;
    // Every occurrence of `from` (left to right, no overlap) replaced by `to`; null `to` removes.
    XAString Replace(const char* from, const char* to) const;
    // The text through the inverse code table (ANSI to OEM) / the code table (OEM to ANSI),
    // leaving escaped runs alone; shared when nothing changes.
    XAString RecodeReverse() const;
    XAString RecodeForward() const;

    friend bool operator==(const XAString& a, const XAString& b) noexcept { return a.View() == b.View(); }
    friend bool operator==(const XAString& a, const char* text) noexcept { return a.Equals(text); }
    friend std::strong_ordering operator<=>(const XAString& a, const XAString& b) noexcept
    {
        return a.View() <=> b.View();
    }
    friend XAString operator+(const XAString& a, const XAString& b) { return Plus(a, b); }
    friend XAString operator+(const XAString& a, const char* text) { return PlusChars(a, text); }
    friend XAString operator+(const char* text, const XAString& b) { return CharsPlus(text, b); }

  private:
    static constexpr const char* kEmptyText = "";

    // A fresh block of n + 1 bytes with the terminator written; the string's length is n.
    char* NewText(int32_t n);
    void CopyFrom(const char* text, std::size_t n);
    XAString RecodeWith(const uint8_t* table) const;

    XABlock text_;
    int32_t length_ = 0;
};

// Element of keyed value lists: a kind and a shared name (released by ReleaseEachValueEntry).
struct XAValueEntry
{
    int32_t kind = 0;
    XAString name;
};
