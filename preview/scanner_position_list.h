#pragma once
// The scanner positions that drew something this frame, with the brightest colour each showed:
// the glow marks of the overlay are drawn from it.

#include <cstdint>

struct ScannerPosition
{
    float x = 0.0f, y = 0.0f;
    float maxRed = 0.0f, maxGreen = 0.0f, maxBlue = 0.0f;
    bool used = false; // something was lit from here
};

class ScannerPositionList
{
  public:
    static constexpr int32_t kCapacity = 32;
    static constexpr float kMatchDistance = 0.001f;

    // The entry within kMatchDistance of (x, y) on both axes, else a new one; -1 once the list
    // is full. An entry nothing has lit yet keeps its place and coordinates.
    int32_t Register(float x, float y);
    // Raises the entry's maxima to the colour; nothing for -1.
    void Track(int32_t index, float r, float g, float b);
    void Clear() { count_ = 0; }

    int32_t Count() const { return count_; }
    const ScannerPosition& operator[](int32_t index) const { return entries_[index]; }

  private:
    ScannerPosition entries_[kCapacity];
    int32_t count_ = 0;
};
