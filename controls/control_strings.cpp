#include "controls/control_strings.h"

#include <utility>

namespace {

constexpr size_t kToolTipCharacters = 79;

class BuiltInStrings final : public ControlStringTable
{
  public:
    bool Load(int32_t id, std::string& text) const override
    {
        if (id != kStringResourceCheck)
            return false;
        text = kResourceCheckText;
        return true;
    }
};

const BuiltInStrings g_builtIn;
const ControlStringTable* g_table = nullptr;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

bool LoadControlString(int32_t id, std::string& text)
{
    return (g_table ? *g_table : static_cast<const ControlStringTable&>(g_builtIn)).Load(id, text);
}

const ControlStringTable* SetControlStringTable(const ControlStringTable* table)
{
    return std::exchange(g_table, table);
}

bool ToolTipText(int32_t id, std::string& text)
{
    std::string whole;
    if (id == 0 || !LoadControlString(id, whole))
        return false;
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
