#include "apps/host/page/page_reader.h"

#include "platform/com/ascii_case.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr std::string_view kClsidPrefix = "clsid:";
constexpr uint32_t kReplacementCharacter = 0xFFFD;
constexpr uint32_t kMaxCodePoint = 0x10FFFF;

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool IsNameCharacter(char c)
{
    return !IsSpace(c) && c != '>' && c != '/' && c != '=' && c != '<' && c != '"' && c != '\'';
}

void AppendUtf8(std::string& text, uint32_t code)
{
    if (code == 0 || code > kMaxCodePoint || (code >= 0xD800 && code <= 0xDFFF)) {
        code = kReplacementCharacter;
    }
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | code >> 6);
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += static_cast<char>(0xE0 | code >> 12);
        text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | code >> 18);
        text += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The character a reference between '&' and ';' stands for; false when it is none we know.
bool DecodeReference(std::string_view body, std::string& out)
{
    static constexpr std::pair<std::string_view, uint32_t> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}};
    if (!body.empty() && body.front() == '#') {
        body.remove_prefix(1);
        const bool hex = !body.empty() && (body.front() == 'x' || body.front() == 'X');
        if (hex) {
            body.remove_prefix(1);
        }
        if (body.empty()) {
            return false;
        }
        uint32_t code = 0;
        for (char c : body) {
            int digit = -1;
            if (c >= '0' && c <= '9') {
                digit = c - '0';
            } else if (hex && c >= 'a' && c <= 'f') {
                digit = c - 'a' + 10;
            } else if (hex && c >= 'A' && c <= 'F') {
                digit = c - 'A' + 10;
            }
            if (digit < 0) {
                return false;
            }
            // Anything past the last code point is out of range however long it goes on.
            code = code > kMaxCodePoint ? code : code * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
        }
        AppendUtf8(out, code);
        return true;
    }
    for (const auto& [name, code] : kNamed) {
        if (body == name) {
            AppendUtf8(out, code);
            return true;
        }
    }
    return false;
}

std::string DecodeReferences(std::string_view text)
{
    // The longest reference we know ("&#x10FFFF;" with leading zeros aside) is short.
    constexpr size_t kLongestReference = 16;
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            const size_t end = text.find(';', i + 1);
            if (end != std::string_view::npos && end - i <= kLongestReference &&
                DecodeReference(text.substr(i + 1, end - i - 1), out)) {
                i = end;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

struct Tag
{
    std::string name;
    bool closing = false;
    std::vector<std::pair<std::string, std::string>> attributes;

    const std::string* Attribute(std::string_view attribute) const
    {
        for (const auto& [key, value] : attributes) {
            if (EqualsIgnoringAsciiCase(key, attribute)) {
                return &value;
            }
        }
        return nullptr;
    }
};

class Scanner
{
  public:
    explicit Scanner(std::string_view html) : html_(html) {}

    // The next tag, skipping text, comments and declarations; false at the end.
    bool NextTag(Tag& tag)
    {
        while (true) {
            const size_t open = html_.find('<', at_);
            if (open == std::string_view::npos) {
                at_ = html_.size();
                return false;
            }
            at_ = open + 1;
            if (html_.substr(open).starts_with("<!--")) {
                SkipPast("-->", open + 4);
                continue;
            }
            if (at_ < html_.size() && (html_[at_] == '!' || html_[at_] == '?')) {
                SkipPast(">", at_);
                continue;
            }
            tag = Tag();
            if (at_ < html_.size() && html_[at_] == '/') {
                tag.closing = true;
                ++at_;
            }
            tag.name = ReadName();
            if (tag.name.empty()) {
                continue;
            }
            ReadAttributes(tag);
            if (!tag.closing && (EqualsIgnoringAsciiCase(tag.name, "script") || EqualsIgnoringAsciiCase(tag.name, "style"))) {
                SkipRawText(tag.name);
            }
            return true;
        }
    }

  private:
    void SkipPast(std::string_view end, size_t from)
    {
        const size_t found = html_.find(end, from);
        at_ = found == std::string_view::npos ? html_.size() : found + end.size();
    }

    // Script and style hold text, not tags, up to their own end tag.
    void SkipRawText(const std::string& name)
    {
        while (at_ < html_.size()) {
            const size_t open = html_.find("</", at_);
            if (open == std::string_view::npos) {
                at_ = html_.size();
                return;
            }
            at_ = open + 2;
            const std::string_view rest = html_.substr(at_, name.size());
            if (EqualsIgnoringAsciiCase(rest, name)) {
                SkipPast(">", at_);
                return;
            }
        }
    }

    void SkipSpaces()
    {
        while (at_ < html_.size() && IsSpace(html_[at_])) {
            ++at_;
        }
    }

    std::string ReadName()
    {
        const size_t start = at_;
        while (at_ < html_.size() && IsNameCharacter(html_[at_])) {
            ++at_;
        }
        return std::string(html_.substr(start, at_ - start));
    }

    std::string ReadValue()
    {
        if (at_ >= html_.size()) {
            return {};
        }
        const char quote = html_[at_];
        if (quote == '"' || quote == '\'') {
            const size_t end = html_.find(quote, at_ + 1);
            const size_t stop = end == std::string_view::npos ? html_.size() : end;
            const std::string_view value = html_.substr(at_ + 1, stop - at_ - 1);
            at_ = end == std::string_view::npos ? html_.size() : end + 1;
            return DecodeReferences(value);
        }
        const size_t start = at_;
        while (at_ < html_.size() && !IsSpace(html_[at_]) && html_[at_] != '>') {
            ++at_;
        }
        return DecodeReferences(html_.substr(start, at_ - start));
    }

    void ReadAttributes(Tag& tag)
    {
        while (true) {
            SkipSpaces();
            if (at_ >= html_.size()) {
                return;
            }
            const char c = html_[at_];
            if (c == '>') {
                ++at_;
                return;
            }
            if (c == '/' || c == '=' || c == '"' || c == '\'' || c == '<') {
                // Stray characters inside a tag are passed over.
                ++at_;
                continue;
            }
            std::string name = ReadName();
            SkipSpaces();
            std::string value;
            if (at_ < html_.size() && html_[at_] == '=') {
                ++at_;
                SkipSpaces();
                value = ReadValue();
            }
            tag.attributes.emplace_back(std::move(name), std::move(value));
        }
    }

    std::string_view html_;
    size_t at_ = 0;
};

// The leading whole number of a size ("640", "640px"); 0 for anything else.
int32_t ReadSize(const std::string* text)
{
    constexpr int32_t kMaxSize = 1 << 16;
    if (text == nullptr) {
        return 0;
    }
    int32_t value = 0;
    size_t i = 0;
    while (i < text->size() && IsSpace((*text)[i])) {
        ++i;
    }
    for (; i < text->size() && (*text)[i] >= '0' && (*text)[i] <= '9'; ++i) {
        value = std::min(kMaxSize, value * 10 + ((*text)[i] - '0'));
    }
    if (i < text->size() && (*text)[i] == '%') {
        return 0;
    }
    return value;
}

std::optional<CLSID> ReadClassId(const std::string* text)
{
    if (text == nullptr || text->size() < kClsidPrefix.size() ||
        !EqualsIgnoringAsciiCase(std::string_view(*text).substr(0, kClsidPrefix.size()), kClsidPrefix)) {
        return std::nullopt;
    }
    return ParseGuid(std::string_view(*text).substr(kClsidPrefix.size()));
}

PageObject MakeObject(const Tag& tag)
{
    PageObject object;
    object.classId = ReadClassId(tag.Attribute("classid"));
    if (const std::string* type = tag.Attribute("type")) {
        object.type = *type;
    }
    object.width = ReadSize(tag.Attribute("width"));
    object.height = ReadSize(tag.Attribute("height"));
    return object;
}

void AddParam(PageObject& object, const Tag& tag)
{
    const std::string* name = tag.Attribute("name");
    if (name == nullptr || name->empty()) {
        return;
    }
    for (const auto& [existing, value] : object.params) {
        if (EqualsIgnoringAsciiCase(existing, *name)) {
            return;
        }
    }
    const std::string* value = tag.Attribute("value");
    object.params.emplace_back(*name, value != nullptr ? *value : std::string());
}

} // namespace

std::vector<PageObject> ReadPageObjects(std::string_view html)
{
    std::vector<PageObject> objects;
    // Indexes of the objects still open, innermost last.
    std::vector<size_t> open;
    Scanner scanner(html.substr(0, std::min(html.size(), kMaxPageBytes)));
    Tag tag;
    while (scanner.NextTag(tag)) {
        if (EqualsIgnoringAsciiCase(tag.name, "object")) {
            if (tag.closing) {
                if (!open.empty()) {
                    open.pop_back();
                }
            } else {
                open.push_back(objects.size());
                objects.push_back(MakeObject(tag));
            }
        } else if (!tag.closing && EqualsIgnoringAsciiCase(tag.name, "param") && !open.empty()) {
            AddParam(objects[open.back()], tag);
        }
    }
    return objects;
}

std::vector<PageObject> ReadPageFile(const std::string& path, CError& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error.SetError(XAString(path.c_str()) + ": " + std::strerror(errno), 0);
        return {};
    }
    std::string html;
    char buffer[65536];
    while (file.read(buffer, sizeof(buffer)) || file.gcount() > 0) {
        html.append(buffer, static_cast<size_t>(file.gcount()));
        if (html.size() > kMaxPageBytes) {
            error.SetError(XAString(path.c_str()) + ": the page is larger than 16 MiB", 0);
            return {};
        }
    }
    if (file.bad()) {
        error.SetError(XAString(path.c_str()) + ": the page could not be read", 0);
        return {};
    }
    return ReadPageObjects(html);
}
