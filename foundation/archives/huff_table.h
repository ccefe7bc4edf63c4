#pragma once
// A Huffman table: built from a histogram or read from its serialised form, it codes one
// symbol at a time on a bit stream. Tables are stored with the data they coded, so building,
// the serialised form and the codes are bit-exact.

#include "foundation/archives/bit_archive.h"

#include <cstdint>
#include <vector>

class LHuffHisto;

class LHuffTable
{
  public:
    LHuffTable() = default;
    LHuffTable(const LHuffTable&) = delete;
    LHuffTable& operator=(const LHuffTable&) = delete;
    virtual ~LHuffTable() = default;

    void Clear();
    bool Build(const LHuffHisto& histogram);
    // Needed after Build and before Encode.
    bool PrepareEncode();
    bool Encode(int32_t symbol, LBitArchive& bits);
    bool Decode(int32_t& out, LBitArchive& bits) const;
    // The same bits read, faster: whole codes at a time through lookup tables, over the bytes the
    // source already holds. Most codes end in the first table, inline here.
    bool Decode(int32_t& out, LBitArchiveBytes& bits) const
    {
        uint32_t window = 0;
        if (rootLookupBits_ == 0 || !bits.PeekBits(rootLookupBits_, window))
            return DecodeFrom(root_, out, bits);
        const LookupEntry& entry = lookup_[window];
        bits.SkipBits(entry.bits);
        if (!entry.leaf)
            return DecodeFrom(entry.target, out, bits);
        out = entry.target;
        return !bits.Failed();
    }
    bool Write(LBitArchive& bits) const;
    bool Read(LBitArchive& bits);

    // Built from a histogram or read with nodes.
    bool HasNodes() const { return nodeCount_ > 0; }
    int64_t Used() const { return used_; }
    int32_t Min() const { return min_; }
    int32_t Max() const { return max_; }
    int32_t Width() const { return width_; }
    int32_t Depth() const { return depth_; }
    int32_t NodeCount() const { return nodeCount_; }

  private:
    struct Node
    {
        int32_t previous = -1; // list links, used while building
        int32_t next = -1;
        int32_t parent = -1;
        int32_t left = -1;
        int32_t right = -1;
        int32_t key = 0; // the symbol of a leaf, 0 for an inner node
        int64_t count = 0;

        bool IsLeaf() const { return left < 0; }
    };

    struct LookupEntry
    {
        int32_t target; // the symbol when a leaf is reached, else the node
        int16_t bits;
        int16_t leaf;
    };

    // A leaf's code, root first in the low `length` bits; kNoLeafCode where Encode still walks.
    struct LeafCode
    {
        uint32_t bits;
        int32_t length;
    };
    static constexpr int32_t kNoLeafCode = -1;

    struct LookupTable
    {
        int32_t offset; // of its first entry
        int32_t bits;
    };

    // Decoding from a node on, through the tables below it, else bit by bit.
    bool DecodeFrom(int32_t node, int32_t& out, LBitArchiveBytes& bits) const;
    bool MergeNodes();
    bool ReadTree(LBitArchive& bits, int64_t announcedNodes);
    void Finish();
    std::vector<int32_t> SubtreeHeights() const;
    void BuildLookup(const std::vector<int32_t>& heights);
    LeafCode LeafCodeOf(int32_t leaf) const;
    // The index in leaves_ of symbol's leaf, or -1.
    int64_t LeafIndexOf(int32_t symbol) const;

    int64_t used_ = 0;
    int32_t min_ = 0;
    int32_t max_ = 0;
    int32_t width_ = 0;
    int32_t depth_ = 0;
    std::vector<Node> nodes_; // the node store; empty until built or read
    int32_t nodeCount_ = 0;
    int32_t root_ = -1;
    std::vector<int32_t> leaves_; // sorted by symbol, for encoding
    // The code of each leaf of leaves_, so that a symbol is one write instead of a walk up the
    // tree.
    std::vector<LeafCode> leafCodes_;
    // For each symbol from min_ on, its index in leaves_ (-1: none), when the range is small
    // enough to be looked up directly rather than searched.
    std::vector<int32_t> leafOfSymbol_;
    std::vector<uint8_t> codeBuffer_;
    // For decoding several bits at a time.
    std::vector<LookupEntry> lookup_;
    std::vector<LookupTable> lookupTables_; // the root's first, from entry 0
    int32_t rootLookupBits_ = 0;            // its width; 0 without tables
    std::vector<int32_t> tableOf_;          // per node, its table or -1
};
