#include "foundation/strings/xw_string.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// Longest text a string can hold: its length and its block's element count are int32.
constexpr std::size_t kMaxLength = INT32_MAX - 1;

std::size_t TextLength(const char16_t* text) noexcept
{
    return text ? std::char_traits<char16_t>::length(text) : 0;
}

} // namespace

XWString::XWString(std::u16string_view text)
{
    CopyFrom(text.data(), text.size());
}

XWString::XWString(XWString&& other) noexcept
    : text_(std::move(other.text_)), length_(std::exchange(other.length_, 0))
{
}

XWString& XWString::operator=(const XWString& other) noexcept
{
    text_.Assign(other.text_);
    length_ = other.length_;
    return *this;
}

XWString& XWString::operator=(XWString&& other) noexcept
{
    if (this != &other) {
        text_ = std::move(other.text_);
        length_ = std::exchange(other.length_, 0);
    }
    return *this;
}

void XWString::Assign(const char16_t* text)
{
    // Copy first: the text may live in this string's own block.
    XWString copy;
    copy.CopyFrom(text, TextLength(text));
    *this = std::move(copy);
}

char16_t* XWString::AllocBuffer(int32_t n)
{
    length_ = 0;
    if (n <= 0 || static_cast<std::size_t>(n) > kMaxLength) {
        text_.Clear();
        return nullptr;
    }
    const std::size_t count = static_cast<std::size_t>(n) + 1;
    auto* text = static_cast<char16_t*>(text_.Alloc(count * sizeof(char16_t), &XABlock::ReleasePlain, n + 1));
    if (!text)
        return nullptr;
    text[n] = u'\0';
    length_ = n;
    return text;
}

void XWString::SetBufferLength(int32_t n) noexcept
{
    const int32_t capacity = text_.Count() - 1;
    length_ = std::clamp(n, 0, std::max(capacity, 0));
    if (length_ > 0)
        text_.As<char16_t>()[length_] = u'\0';
}

void XWString::CopyFrom(const char16_t* text, std::size_t n)
{
    if (n == 0 || n > kMaxLength) {
        text_.Clear();
        length_ = 0;
        return;
    }
    if (char16_t* copy = AllocBuffer(static_cast<int32_t>(n)))
        std::memcpy(copy, text, n * sizeof(char16_t));
}

XWString XWString::Sub(int32_t start, int32_t end) const
{
    start = std::max(start, 0);
    end = std::min(end, Length());
    if (start >= Length() || start >= end)
        return XWString();
    if (start == 0 && end == Length())
        return *this;
    return XWString(View().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
}
