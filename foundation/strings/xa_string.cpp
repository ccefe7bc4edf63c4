#include "foundation/strings/xa_string.h"

#include "foundation/strings/char_tables.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr char kBlank = ' ';

// Longest text a string can hold: its length and its block's element count are int32.
constexpr std::size_t kMaxLength = INT32_MAX - 1;

std::size_t TextLength(const char* text) noexcept
{
    return text ? std::strlen(text) : 0;
}

// Concatenation of two non-empty byte runs; the empty string when it does not fit.
XAString Concat(std::string_view a, std::string_view b)
{
    XAString result;
    if (a.size() > kMaxLength - b.size())
        return result;
    char* text = result.SetLength(static_cast<int32_t>(a.size() + b.size()));
    if (text) {
        std::memcpy(text, a.data(), a.size());
        std::memcpy(text + a.size(), b.data(), b.size());
    }
    return result;
}

} // namespace

XAString::XAString(const char* text)
{
    CopyFrom(text, TextLength(text));
}

XAString::XAString(const char* text, int32_t n)
{
    if (text && n > 0)
        CopyFrom(text, strnlen(text, static_cast<std::size_t>(n)));
}

XAString::XAString(std::string_view bytes)
{
    CopyFrom(bytes.data(), bytes.size());
}

XAString::XAString(XAString&& other) noexcept
    : text_(std::move(other.text_)), length_(std::exchange(other.length_, 0))
{
}

XAString& XAString::operator=(const XAString& other) noexcept
{
    text_.Assign(other.text_);
    length_ = other.length_;
    return *this;
}

XAString& XAString::operator=(XAString&& other) noexcept
{
    if (this != &other) {
        text_ = std::move(other.text_);
        length_ = std::exchange(other.length_, 0);
    }
    return *this;
}

XAString& XAString::operator=(const char* text)
{
    AssignChars(text);
    return *this;
}

void XAString::AssignChars(const char* text)
{
    // Copy first: the text may live in this string's own block.
    XAString copy(text);
    *this = std::move(copy);
}

char* XAString::NewText(int32_t n)
{
    length_ = 0;
    char* text =
        static_cast<char*>(text_.Alloc(static_cast<std::size_t>(n) + 1, &XABlock::ReleasePlain, n + 1));
    if (!text)
        return nullptr;
    text[n] = '\0';
    length_ = n;
    return text;
}

void XAString::CopyFrom(const char* text, std::size_t n)
{
    if (n == 0 || n > kMaxLength) {
        text_.Clear();
        length_ = 0;
        return;
    }
    if (char* copy = NewText(static_cast<int32_t>(n)))
        std::memcpy(copy, text, n);
}

char* XAString::AllocBuffer(int32_t n)
{
    return SetLength(n);
}

void XAString::SetBufferLength(int32_t n) noexcept
{
    const int32_t capacity = text_.Count() - 1;
    length_ = std::clamp(n, 0, std::max(capacity, 0));
    if (length_ > 0)
        text_.As<char>()[length_] = '\0';
}

char* XAString::SetLength(int32_t n)
{
    if (n <= 0 || static_cast<std::size_t>(n) > kMaxLength) {
        text_.Clear();
        length_ = 0;
        return nullptr;
    }
    return NewText(n);
}

bool XAString::Equals(const char* text) const noexcept
{
    const std::size_t n = TextLength(text);
    return n == static_cast<std::size_t>(Length()) && std::memcmp(CStr(), text ? text : "", n) == 0;
}

int32_t XAString::CountOf(const char* separator) const noexcept
{
    const std::string_view sep(separator ? separator : "");
    if (sep.empty() || IsEmpty())
        return 0;
    const std::string_view text = View();
    int32_t count = 1;
    for (std::size_t at = text.find(sep); at != std::string_view::npos; at = text.find(sep, at + sep.size()))
        ++count;
    return count;
}

XAString XAString::Field(int32_t index, const char* separator) const
{
    const std::string_view sep(separator ? separator : "");
    if (index < 0 || sep.empty() || IsEmpty())
        return XAString();
    const std::string_view text = View();
    std::size_t start = 0;
    for (int32_t i = 0; i < index; ++i) {
        const std::size_t at = text.find(sep, start);
        if (at == std::string_view::npos)
            break;
        start = at + sep.size();
    }
    const std::size_t end = text.find(sep, start);
    return Sub(static_cast<int32_t>(start),
               end == std::string_view::npos ? Length() : static_cast<int32_t>(end));
}

XAString XAString::Plus(const XAString& a, const XAString& b)
{
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return Concat(a.View(), b.View());
}

XAString XAString::PlusChars(const XAString& a, const char* text)
{
    if (TextLength(text) == 0)
        return a;
    if (a.IsEmpty())
        return XAString(text);
    return Concat(a.View(), text);
}

XAString XAString::CharsPlus(const char* text, const XAString& b)
{
    if (TextLength(text) == 0)
        return b;
    if (b.IsEmpty())
        return XAString(text);
    return Concat(text, b.View());
}

void XAString::Append(const XAString& other)
{
    *this = Plus(*this, other);
}

void XAString::AppendChars(const char* text)
{
    *this = PlusChars(*this, text);
}

XAString XAString::Sub(int32_t start, int32_t end) const
{
    start = std::max(start, 0);
    end = std::min(end, Length());
    if (start >= Length() || start >= end)
        return XAString();
    if (start == 0 && end == Length())
        return *this;
    return XAString(View().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
}

XAString XAString::PadRight(int32_t n) const
{
    if (n <= Length())
        return Sub(0, n);
    XAString result;
    if (char* text = result.SetLength(n)) {
        std::memcpy(text, CStr(), static_cast<std::size_t>(Length()));
        std::memset(text + Length(), kBlank, static_cast<std::size_t>(n - Length()));
    }
    return result;
}

XAString XAString::Trim(bool leading, bool trailing) const
{
    const std::string_view text = View();
    int32_t start = 0;
    int32_t end = Length();
    while (leading && start < end && text[static_cast<std::size_t>(start)] == kBlank)
        ++start;
    while (trailing && end > start && text[static_cast<std::size_t>(end - 1)] == kBlank)
        --end;
    return Sub(start, end);
}

XAString XAString::Replace(const char* from, const char* to) const
{
    const std::string_view pattern(from ? from : "");
    const std::string_view replacement(to ? to : "");
    const std::string_view text = View();
    if (pattern.empty() || text.find(pattern) == std::string_view::npos)
        return *this;

    std::size_t size = 0;
    std::size_t start = 0;
    for (std::size_t at = text.find(pattern); at != std::string_view::npos; at = text.find(pattern, start)) {
        size += at - start + replacement.size();
        start = at + pattern.size();
        if (size > kMaxLength)
            return XAString();
    }
    size += text.size() - start;
    if (size > kMaxLength)
        return XAString();

    XAString result;
    char* out = result.SetLength(static_cast<int32_t>(size));
    if (!out)
        return result;
    start = 0;
    for (std::size_t at = text.find(pattern); at != std::string_view::npos; at = text.find(pattern, start)) {
        out = std::copy(text.begin() + static_cast<std::ptrdiff_t>(start),
                        text.begin() + static_cast<std::ptrdiff_t>(at), out);
        out = std::copy(replacement.begin(), replacement.end(), out);
        start = at + pattern.size();
    }
    std::copy(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(), out);
    return result;
}

XAString XAString::RecodeWith(const uint8_t* table) const
{
    const std::size_t n = static_cast<std::size_t>(Length());
    if (!RecodeChanges(table, CStr(), n))
        return *this;
    XAString result;
    if (char* text = result.SetLength(Length()))
        RecodeBytes(table, CStr(), n, text);
    return result;
}

XAString XAString::RecodeReverse() const
{
    return RecodeWith(AnsiToOemTable());
}

XAString XAString::RecodeForward() const
{
    return RecodeWith(OemToAnsiTable());
}
