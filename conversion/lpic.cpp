#include "lpic.h"

#include <algorithm>

void LPic::SetCount(int32_t count)
{
    entries_.resize(static_cast<std::size_t>(std::max(count, 0)));
}
