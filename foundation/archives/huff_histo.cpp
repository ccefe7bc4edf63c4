#include "foundation/archives/huff_histo.h"

#include <algorithm>
#include <new>

namespace {
// Small pages: a frame's symbols are few and often far apart (colours, durations).
constexpr int32_t kPageBits = 8;
constexpr int64_t kPageSize = int64_t(1) << kPageBits;
} // namespace

void LHuffHisto::Clear()
{
    pages_ = std::vector<Page>();
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
    try {
        pages_.resize(static_cast<size_t>((size + kPageSize - 1) >> kPageBits));
    } catch (const std::bad_alloc&) {
        return false;
    }
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
    int64_t& count = CountOf(symbol);
    if (count == 0)
        usedSymbols_.push_back(symbol);
    count += n;
    total_ += n;
    return true;
}

int64_t LHuffHisto::Get(int32_t symbol) const
{
    if (!InRange(symbol))
        return 0;
    const int64_t index = int64_t(symbol) - min_;
    const Page& page = pages_[static_cast<size_t>(index >> kPageBits)];
    return page ? page[index & (kPageSize - 1)] : 0;
}

int64_t& LHuffHisto::CountOf(int32_t symbol)
{
    const int64_t index = int64_t(symbol) - min_;
    Page& page = pages_[static_cast<size_t>(index >> kPageBits)];
    if (!page)
        page = std::make_unique<int64_t[]>(kPageSize);
    return page[index & (kPageSize - 1)];
}

std::vector<int32_t> LHuffHisto::UsedSymbols() const
{
    std::vector<int32_t> symbols = usedSymbols_;
    std::sort(symbols.begin(), symbols.end());
    return symbols;
}
