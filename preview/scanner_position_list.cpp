#include "preview/scanner_position_list.h"

#include <algorithm>
#include <cmath>

int32_t ScannerPositionList::Register(float x, float y)
{
    for (int32_t i = 0; i < count_; ++i)
        if (std::fabs(entries_[i].x - x) <= kMatchDistance && std::fabs(entries_[i].y - y) <= kMatchDistance)
            return i;
    if (count_ >= kCapacity)
        return -1;
    entries_[count_] = ScannerPosition{x, y};
    return count_++;
}

void ScannerPositionList::Track(int32_t index, float r, float g, float b)
{
    if (index < 0 || index >= count_)
        return;
    ScannerPosition& entry = entries_[index];
    entry.maxRed = std::max(entry.maxRed, r);
    entry.maxGreen = std::max(entry.maxGreen, g);
    entry.maxBlue = std::max(entry.maxBlue, b);
    entry.used = true;
}
