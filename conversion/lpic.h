#pragma once
// The point list a conversion produces: beam positions with their colours and shutter
// requests. Frame building reads it in order and never changes it.

#include <cstddef>
#include <cstdint>
#include <vector>

// An entry's colour; the palette index is the one of the last palette mapping and also
// travels into frames as the point's 6-bit attribute.
struct LPicColor
{
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
    int32_t index = 0;
};

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
    LPic() = default;
    virtual ~LPic() = default;
    LPic(const LPic&) = default;
    LPic& operator=(const LPic&) = default;

    int32_t GetCount() const { return static_cast<int32_t>(entries_.size()); }
    const LPicEntry* GetEntries() const { return entries_.data(); }
    LPicEntry* GetEntries() { return entries_.data(); }
    const LPicEntry& operator[](int32_t i) const { return entries_[static_cast<std::size_t>(i)]; }
    LPicEntry& operator[](int32_t i) { return entries_[static_cast<std::size_t>(i)]; }

    // Resizes the list; new entries are zero (beam on at the centre, black).
    void SetCount(int32_t count);
    void Append(const LPicEntry& entry) { entries_.push_back(entry); }

  private:
    std::vector<LPicEntry> entries_;
};
