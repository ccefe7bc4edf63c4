#include "conversion/lpic.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

LPic::LPic(const LPic& other, int32_t growth) : growth_(growth > 0 ? growth : kDefaultGrowth)
{
    Assign(other);
}

LPic& LPic::Assign(const LPic& other)
{
    if (this == &other) {
        return *this;
    }
    std::copy(std::begin(other.header), std::end(other.header), std::begin(header));
    headerReal = other.headerReal;
    SetCount(other.GetCount());
    MoveEntries(entries_.data(), other.entries_.data(), other.GetCount());
    return *this;
}

static_assert(std::is_trivially_copyable_v<LPicEntry>, "entries are moved as whole bytes");

void LPic::MoveEntries(LPicEntry* to, const LPicEntry* from, int32_t count)
{
    if (count > 0) {
        std::memmove(static_cast<void*>(to), from, static_cast<std::size_t>(count) * sizeof(LPicEntry));
    }
}

void LPic::Reserve(std::size_t count)
{
    if (count > entries_.capacity()) {
        const auto step = static_cast<std::size_t>(growth_);
        entries_.reserve((count + step - 1) / step * step);
    }
}

void LPic::SetCount(int32_t count)
{
    const auto n = static_cast<std::size_t>(std::max(count, 0));
    Reserve(n);
    entries_.resize(n);
}

void LPic::Append(const LPicEntry& entry)
{
    Reserve(entries_.size() + 1);
    entries_.push_back(entry);
}

template <typename Op> void LPic::ForEachColor(Op op)
{
    for (LPicEntry& e : entries_) {
        op(e.color);
    }
}

int32_t LPic::SetColor(const LPicColor& color)
{
    ForEachColor([&color](LPicColor& c) { c = color; });
    return GetCount();
}

void LPic::SetWhite()
{
    LPicColor white;
    white.Set(255, 255, 255);
    SetColor(white);
}

int32_t LPic::ApplyColorOp(int32_t level)
{
    ForEachColor([level](LPicColor& c) { c.WhitenIfDark(level); });
    return GetCount();
}

void LPic::MapColorsPalette1Hsv(bool writeBack, bool brightness, bool saturate)
{
    ForEachColor([=](LPicColor& c) { c.MapPalette1Hsv(writeBack, brightness, saturate); });
}

void LPic::MapColorsPalette1(bool hueOnly, bool writeBack)
{
    ForEachColor([=](LPicColor& c) { c.MapPalette1(hueOnly, writeBack); });
}

void LPic::MapColorsPalette2(bool writeBack)
{
    ForEachColor([=](LPicColor& c) { c.MapPalette2(writeBack); });
}

void LPic::MapColorsPalette3Hsv(bool writeBack, bool brightness, bool saturate)
{
    ForEachColor([=](LPicColor& c) { c.MapPalette3Hsv(writeBack, brightness, saturate); });
}

void LPic::MapColorsPalette3(bool writeBack)
{
    ForEachColor([=](LPicColor& c) { c.MapPalette3(writeBack); });
}
