#include "controls/control_strings.h"

#include "platform/resources.h"

namespace {

constexpr size_t kToolTipCharacters = 79;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

bool ToolTipText(int32_t id, std::string& text)
{
    const char* found = id != 0 ? FindStringResource(id) : nullptr;
    if (!found)
        return false;
    const std::string whole = found;
    // Cut after whole UTF-8 characters.
    size_t characters = 0;
    size_t end = 0;
    while (end < whole.size() && characters < kToolTipCharacters) {
        ++end;
        while (end < whole.size() && IsContinuationByte(whole[end]))
            ++end;
        ++characters;
    }
    text = whole.substr(0, end);
    return true;
}
