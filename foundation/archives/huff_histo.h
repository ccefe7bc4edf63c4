#pragma once
// Symbol counts over a range of symbols, from which a Huffman table is built.

#include <cstdint>
#include <memory>
#include <vector>

class LHuffHisto
{
  public:
    LHuffHisto() = default;
    LHuffHisto(LHuffHisto&&) = default;
    LHuffHisto& operator=(LHuffHisto&&) = default;
    virtual ~LHuffHisto() = default;

    void Clear();
    // Clears and makes zeroed counts for min..max; false when the range is empty or too big.
    bool SetRange(int32_t min, int32_t max);
    // n <= 0 changes nothing; a symbol outside the range is refused.
    bool Add(int32_t symbol, int64_t n = 1);
    // 0 outside the range.
    int64_t Get(int32_t symbol) const;

    bool HasRange() const { return size_ > 0; }
    int32_t Min() const { return min_; }
    int32_t Max() const { return max_; }
    int64_t Size() const { return size_; }
    // Symbols with a count above 0.
    int64_t Used() const { return static_cast<int64_t>(usedSymbols_.size()); }
    int64_t Total() const { return total_; }
    // The used symbols in ascending order.
    std::vector<int32_t> UsedSymbols() const;

  private:
    // Wide ranges are mostly empty (a 16-bit field of a few hundred values, 24-bit colours):
    // counts live in pages made when a symbol of theirs is first counted, so a range costs the
    // pages it uses, whatever the allocator does with large zeroed blocks.
    using Page = std::unique_ptr<int64_t[]>;

    bool InRange(int32_t symbol) const { return HasRange() && symbol >= min_ && symbol <= max_; }
    int64_t& CountOf(int32_t symbol);

    int32_t min_ = 0;
    int32_t max_ = 0;
    int64_t size_ = 0;
    std::vector<Page> pages_;
    std::vector<int32_t> usedSymbols_; // in the order they were first counted
    int64_t total_ = 0;
};
