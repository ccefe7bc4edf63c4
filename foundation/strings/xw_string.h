#pragma once
// XWString: an immutable 16-bit text in a counted block, with the same rules as XAString: shared
// by copying, exactly length + 1 characters per block, no block for the empty string.

#include "foundation/strings/xa_block.h"

#include <cstdint>
#include <string_view>

class XWString
{
  public:
    XWString() noexcept = default;
    explicit XWString(const char16_t* text) { Assign(text); }
    explicit XWString(std::u16string_view text);
    XWString(const XWString& other) noexcept = default;
    XWString(XWString&& other) noexcept;
    ~XWString() = default;

    XWString& operator=(const XWString& other) noexcept;
    XWString& operator=(XWString&& other) noexcept;

    // Replaces the text by a copy of a zero-terminated text (null or empty gives the empty string).
    void Assign(const char16_t* text);
    // Drops the old text and hands out a fresh block of n + 1 characters with a zero at n for the
    // caller to fill; the length is n until the caller sets it with SetBufferLength. Null (and the
    // empty string) when n <= 0 or the heap is exhausted.
    char16_t* AllocBuffer(int32_t n);
    // Sets the length after filling a fresh AllocBuffer block: clipped to the block and
    // terminated there. Only for a block nobody else holds yet.
    void SetBufferLength(int32_t n) noexcept;

    // The text; a static empty text when the string is empty. Never null.
    const char16_t* CStr() const noexcept { return length_ > 0 ? text_.As<const char16_t>() : kEmptyText; }
    int32_t Length() const noexcept { return length_; }
    bool IsEmpty() const noexcept { return length_ <= 0; }
    std::u16string_view View() const noexcept { return {CStr(), static_cast<std::size_t>(Length())}; }
    const XABlock& Block() const noexcept { return text_; }

    // Characters from start up to, not including, end; shares the block when all is asked for.
    XWString Sub(int32_t start, int32_t end) const;

    friend bool operator==(const XWString& a, const XWString& b) noexcept { return a.View() == b.View(); }

  private:
    static constexpr const char16_t* kEmptyText = u"";

    void CopyFrom(const char16_t* text, std::size_t n);

    XABlock text_;
    int32_t length_ = 0;
};
