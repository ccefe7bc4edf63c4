#pragma once
// The point list a conversion produces: beam positions with their colours and shutter
// requests. Frame building reads it in order and never changes it.

#include "conversion/lpic_color.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct LPicEntry
{
    double x = 0.0; // -1.0 .. 1.0
    double y = 0.0;
    double z = 0.0;
    LPicColor color;
    uint8_t blank = 0;   // non-zero: beam off
    uint8_t rampOff = 0; // ask for the shutter to close here
    uint8_t rampOn = 0;  // ask for the shutter to open here
};

class LPic
{
  public:
    // Entries are allocated in multiples of this many.
    static constexpr int32_t kDefaultGrowth = 64;

    LPic() = default;
    explicit LPic(int32_t growth) : growth_(growth > 0 ? growth : kDefaultGrowth) {}
    LPic(const LPic& other, int32_t growth);
    LPic(const LPic& other) : LPic(other, other.growth_) {}
    LPic& operator=(const LPic& other) { return Assign(other); }
    virtual ~LPic() = default;

    // Copies the header values and the entries; assigning a picture to itself changes nothing.
    LPic& Assign(const LPic& other);

    int32_t GetCount() const { return static_cast<int32_t>(entries_.size()); }
    const LPicEntry* GetEntries() const { return entries_.data(); }
    LPicEntry* GetEntries() { return entries_.data(); }
    const LPicEntry& operator[](int32_t i) const { return entries_[static_cast<std::size_t>(i)]; }
    LPicEntry& operator[](int32_t i) { return entries_[static_cast<std::size_t>(i)]; }

    // Resizes the list; new entries are zero (beam on at the centre, black).
    void SetCount(int32_t count);
    void Append(const LPicEntry& entry);

    // Colour operations on every entry; those that return a value return the entry count.
    int32_t SetColor(const LPicColor& color);
    void SetWhite();
    int32_t ApplyColorOp(int32_t level);
    void MapColorsPalette1Hsv(bool writeBack, bool brightness, bool saturate);
    void MapColorsPalette1(bool hueOnly, bool writeBack);
    void MapColorsPalette2(bool writeBack);
    void MapColorsPalette3Hsv(bool writeBack, bool brightness, bool saturate);
    void MapColorsPalette3(bool writeBack);

    // Header values that travel with copies; no operation here interprets them.
    static constexpr int32_t kHeaderInts = 5;
    int32_t header[kHeaderInts] = {0, -1, -1, 0, 0};
    double headerReal = -1.0;

  private:
    // Overlap-safe move of whole entries.
    static void MoveEntries(LPicEntry* to, const LPicEntry* from, int32_t count);
    void Reserve(std::size_t count);
    template <typename Op> void ForEachColor(Op op);

    int32_t growth_ = kDefaultGrowth;
    std::vector<LPicEntry> entries_;
};
