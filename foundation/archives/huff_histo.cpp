#include "foundation/archives/huff_histo.h"

#include <algorithm>

void LHuffHisto::Clear()
{
    counts_.reset();
    usedSymbols_ = std::vector<int32_t>();
    min_ = max_ = 0;
    size_ = 0;
    total_ = 0;
}

bool LHuffHisto::SetRange(int32_t min, int32_t max)
{
    Clear();
    if (max < min)
        return false;
    const int64_t size = int64_t(max) - min + 1;
    counts_.reset(static_cast<int64_t*>(std::calloc(static_cast<size_t>(size), sizeof(int64_t))));
    if (!counts_)
        return false;
    min_ = min;
    max_ = max;
    size_ = size;
    return true;
}

bool LHuffHisto::Add(int32_t symbol, int64_t n)
{
    if (n <= 0)
        return true;
    if (!InRange(symbol))
        return false;
    int64_t& count = counts_[int64_t(symbol) - min_];
    if (count == 0)
        usedSymbols_.push_back(symbol);
    count += n;
    total_ += n;
    return true;
}

int64_t LHuffHisto::Get(int32_t symbol) const
{
    return InRange(symbol) ? counts_[int64_t(symbol) - min_] : 0;
}

std::vector<int32_t> LHuffHisto::UsedSymbols() const
{
    std::vector<int32_t> symbols = usedSymbols_;
    std::sort(symbols.begin(), symbols.end());
    return symbols;
}
