#include "foundation/archives/huff_table.h"

#include "foundation/archives/bit_archive.h"
#include "foundation/archives/huff_histo.h"

#include <algorithm>
#include <new>
#include <numeric>

namespace {
constexpr const char* kDecodingErrorText = "Decoding Error (2480)";
constexpr const char* kNotInTableText = "Encoding Error (3481)";
constexpr const char* kCodeTooLongText = "Encoding Error (3482)";
constexpr const char* kOutOfMemoryText = "Out of memory!";
constexpr const char* kInvalidTableText = "Invalid Huffman table!";
constexpr int32_t kWidthBits = 5;
constexpr int32_t kNodeCountBits = 32;
// The root's table decodes most codes at once; the tables below it serve the long codes.
constexpr int32_t kRootLookupBits = 11;
constexpr int32_t kLookupBits = 8;
constexpr size_t kLookupEntriesPerNode = 8;
// The width is stored in 5 bits, so a span needs at most 31 bits.
constexpr uint32_t kLargestSpan = 0x7FFFFFFF;
constexpr int64_t kLargestStore = 0x7FFFFFFF;
// The store of a table being read grows with the nodes actually read.
constexpr int64_t kInitialReadNodes = 4096;
// Symbol ranges up to this many symbols are looked up directly when encoding (4 MiB at most).
constexpr int64_t kLargestDirectRange = int64_t{1} << 20;
} // namespace

void LHuffTable::Clear()
{
    used_ = 0;
    min_ = max_ = 0;
    width_ = depth_ = 0;
    nodes_ = std::vector<Node>();
    nodeCount_ = 0;
    root_ = -1;
    leaves_ = std::vector<int32_t>();
    leafCodes_ = std::vector<LeafCode>();
    leafOfSymbol_ = std::vector<int32_t>();
    codeBuffer_ = std::vector<uint8_t>();
    lookup_ = std::vector<LookupEntry>();
    lookupTables_ = std::vector<LookupTable>();
    tableOf_ = std::vector<int32_t>();
    rootLookupBits_ = 0;
}

bool LHuffTable::Build(const LHuffHisto& histogram)
{
    Clear();
    if (!histogram.HasRange())
        return false;
    const uint32_t span = static_cast<uint32_t>(int64_t(histogram.Max()) - histogram.Min());
    const int64_t used = histogram.Used();
    const int64_t storeSize = 2 * used + 4;
    if (span > kLargestSpan || storeSize > kLargestStore)
        return false;
    try {
        nodes_.assign(static_cast<size_t>(storeSize), Node());
    } catch (const std::bad_alloc&) {
        Clear();
        return false;
    }
    // Leaves first, in ascending symbol order.
    for (int32_t symbol : histogram.UsedSymbols()) {
        nodes_[nodeCount_].key = symbol;
        nodes_[nodeCount_].count = histogram.Get(symbol);
        ++nodeCount_;
    }
    used_ = used;
    min_ = histogram.Min();
    max_ = histogram.Max();
    if (!MergeNodes()) {
        Clear();
        return false;
    }
    if (used > 0) {
        width_ = 1;
        while (width_ < 32 && span >= (uint64_t(1) << width_))
            ++width_;
    }
    Finish();
    return true;
}

// Repeatedly merges the two nodes of lowest count into a new inner node, keeping the list
// ordered by count (highest first, ties by key) and searching from where the last new node
// went in. The order of ties decides the codes, so it follows the stored tables exactly.
bool LHuffTable::MergeNodes()
{
    const int32_t leafCount = nodeCount_;
    int32_t head = -1;
    int32_t tail = -1;
    if (leafCount > 0) {
        std::vector<int32_t> order(static_cast<size_t>(leafCount));
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [this](int32_t a, int32_t b) {
            const Node& x = nodes_[a];
            const Node& y = nodes_[b];
            return x.count != y.count ? x.count > y.count : x.key < y.key;
        });
        for (size_t i = 0; i < order.size(); ++i) {
            nodes_[order[i]].previous = i > 0 ? order[i - 1] : -1;
            nodes_[order[i]].next = i + 1 < order.size() ? order[i + 1] : -1;
        }
        head = order.front();
        tail = order.back();
    }

    auto unlink = [&](int32_t n) {
        Node& node = nodes_[n];
        (node.previous >= 0 ? nodes_[node.previous].next : head) = node.next;
        (node.next >= 0 ? nodes_[node.next].previous : tail) = node.previous;
        node.previous = node.next = -1;
    };
    auto insertBefore = [&](int32_t n, int32_t before) {
        Node& node = nodes_[n];
        node.next = before;
        node.previous = before >= 0 ? nodes_[before].previous : tail;
        (node.previous >= 0 ? nodes_[node.previous].next : head) = n;
        (before >= 0 ? nodes_[before].previous : tail) = n;
    };
    // Whether x belongs nearer the head than y.
    auto ahead = [&](int32_t x, int32_t y) {
        const Node& a = nodes_[x];
        const Node& b = nodes_[y];
        return a.count > b.count || (a.count == b.count && a.key < b.key);
    };

    int32_t cursor = -1;
    while (head >= 0 && head != tail) {
        if (nodeCount_ >= static_cast<int64_t>(nodes_.size()))
            return false;
        const int32_t b = tail;
        const int32_t a = nodes_[b].previous;
        const int32_t n = nodeCount_++;
        nodes_[n].left = a;
        nodes_[n].right = b;
        nodes_[n].count = nodes_[a].count + nodes_[b].count;
        nodes_[a].parent = nodes_[b].parent = n;
        while (cursor >= 0 && (cursor == a || cursor == b))
            cursor = nodes_[cursor].previous;
        unlink(a);
        unlink(b);
        cursor = cursor >= 0 ? cursor : tail;
        if (cursor < 0) {
            insertBefore(n, -1);
        } else {
            // Toward the head while n belongs before the cursor, then toward the tail while the
            // cursor belongs before n; running off either end puts n there.
            while (cursor >= 0 && ahead(n, cursor))
                cursor = nodes_[cursor].previous;
            if (cursor < 0) {
                insertBefore(n, head);
            } else {
                while (cursor >= 0 && ahead(cursor, n))
                    cursor = nodes_[cursor].next;
                insertBefore(n, cursor);
            }
        }
        cursor = n;
    }
    root_ = tail;
    return true;
}

void LHuffTable::Finish()
{
    const std::vector<int32_t> heights = SubtreeHeights();
    depth_ = root_ >= 0 ? heights[root_] : 0;
    BuildLookup(heights);
}

// The longest path down from every node, without recursion.
std::vector<int32_t> LHuffTable::SubtreeHeights() const
{
    std::vector<int32_t> heights(static_cast<size_t>(nodeCount_), 0);
    if (root_ < 0)
        return heights;
    std::vector<std::pair<int32_t, bool>> stack{{root_, false}};
    while (!stack.empty()) {
        const auto [n, childrenDone] = stack.back();
        stack.pop_back();
        const Node& node = nodes_[n];
        if (node.IsLeaf())
            continue;
        if (childrenDone) {
            heights[n] = 1 + std::max(heights[node.left], heights[node.right]);
        } else {
            stack.push_back({n, true});
            stack.push_back({node.left, false});
            stack.push_back({node.right, false});
        }
    }
    return heights;
}

// Tables that decode several bits at a time (kRootLookupBits from the root, kLookupBits below):
// one for the root and one for every inner node that a table's full width of bits leads to, as
// far as the memory budget goes. An entry holds the node (or the symbol of the leaf) that a
// pattern of bits leads to and how many of them the code takes (fewer when a leaf comes first).
void LHuffTable::BuildLookup(const std::vector<int32_t>& heights)
{
    if (root_ < 0 || nodes_[root_].IsLeaf())
        return;
    const size_t budget =
        (size_t(1) << kRootLookupBits) + kLookupEntriesPerNode * static_cast<size_t>(nodeCount_);
    tableOf_.assign(static_cast<size_t>(nodeCount_), -1);
    std::vector<int32_t> pending{root_};
    for (size_t next = 0; next < pending.size(); ++next) {
        const int32_t start = pending[next];
        const int32_t width = std::min(heights[start], start == root_ ? kRootLookupBits : kLookupBits);
        const size_t size = size_t(1) << width;
        if (lookup_.size() + size > budget)
            break;
        tableOf_[start] = static_cast<int32_t>(lookupTables_.size());
        lookupTables_.push_back(LookupTable{static_cast<int32_t>(lookup_.size()), width});
        for (uint32_t pattern = 0; pattern < size; ++pattern) {
            int32_t n = start;
            int32_t taken = 0;
            while (!nodes_[n].IsLeaf() && taken < width) {
                const uint32_t bit = (pattern >> (width - 1 - taken)) & 1u;
                n = bit ? nodes_[n].right : nodes_[n].left;
                ++taken;
            }
            const bool leaf = nodes_[n].IsLeaf();
            lookup_.push_back(LookupEntry{leaf ? nodes_[n].key : n, static_cast<int16_t>(taken), leaf});
            if (!leaf)
                pending.push_back(n);
        }
    }
    rootLookupBits_ = lookupTables_.empty() ? 0 : lookupTables_.front().bits;
}

bool LHuffTable::PrepareEncode()
{
    if (nodes_.empty())
        return false;
    if (!codeBuffer_.empty())
        return true;
    std::vector<int32_t> leaves;
    for (int32_t n = 0; n < nodeCount_; ++n) {
        if (!nodes_[n].IsLeaf())
            continue;
        if (static_cast<int64_t>(leaves.size()) >= used_)
            return false;
        leaves.push_back(n);
    }
    std::sort(leaves.begin(), leaves.end(),
              [this](int32_t a, int32_t b) { return nodes_[a].key < nodes_[b].key; });
    leaves_ = std::move(leaves);
    codeBuffer_.assign(static_cast<size_t>((depth_ + 7) / 8 + 1), 0);
    leafCodes_.resize(leaves_.size());
    for (size_t i = 0; i < leaves_.size(); ++i)
        leafCodes_[i] = LeafCodeOf(leaves_[i]);
    const int64_t range = int64_t{max_} - min_ + 1;
    if (range > 0 && range <= kLargestDirectRange) {
        leafOfSymbol_.assign(static_cast<size_t>(range), -1);
        // The first leaf of a symbol, as the search finds it.
        for (size_t i = 0; i < leaves_.size(); ++i) {
            const int64_t at = int64_t{nodes_[leaves_[i]].key} - min_;
            if (at >= 0 && at < range && leafOfSymbol_[static_cast<size_t>(at)] < 0)
                leafOfSymbol_[static_cast<size_t>(at)] = static_cast<int32_t>(i);
        }
    }
    return true;
}

int64_t LHuffTable::LeafIndexOf(int32_t symbol) const
{
    const int64_t at = int64_t{symbol} - min_;
    if (at >= 0 && at < static_cast<int64_t>(leafOfSymbol_.size()))
        return leafOfSymbol_[static_cast<size_t>(at)];
    const auto found = std::lower_bound(leaves_.begin(), leaves_.end(), symbol,
                                        [this](int32_t leaf, int32_t s) { return nodes_[leaf].key < s; });
    if (found == leaves_.end() || nodes_[*found].key != symbol)
        return -1;
    return found - leaves_.begin();
}

// The walk of Encode, done once: a code of up to one write's 32 bits that the walk would write
// without running out of its byte buffer. Longer paths (and a tree whose parents never reach the
// root) keep the walk, with its errors.
LHuffTable::LeafCode LHuffTable::LeafCodeOf(int32_t leaf) const
{
    constexpr int32_t kLongestWrite = 32;
    uint32_t code = 0;
    int32_t length = 0;
    for (int32_t n = leaf; nodes_[n].parent >= 0; n = nodes_[n].parent) {
        if (length == kLongestWrite)
            return {0, kNoLeafCode};
        code |= (nodes_[nodes_[n].parent].right == n ? 1u : 0u) << length;
        ++length;
    }
    if (static_cast<size_t>(length / 8) > codeBuffer_.size())
        return {0, kNoLeafCode};
    return {code, length};
}

bool LHuffTable::Encode(int32_t symbol, LBitArchive& bits)
{
    const int64_t index = LeafIndexOf(symbol);
    if (index < 0) {
        bits.Status().SetError(kNotInTableText, 0);
        return false;
    }
    const LeafCode& code = leafCodes_[static_cast<size_t>(index)];
    if (code.length != kNoLeafCode) {
        bits.WriteBits(code.bits, code.length);
        return !bits.Failed();
    }
    // The path is walked from the leaf up, 8 steps to a byte, and written from the root down.
    size_t stored = 0;
    uint32_t group = 0;
    int32_t steps = 0;
    for (int32_t n = leaves_[static_cast<size_t>(index)]; nodes_[n].parent >= 0; n = nodes_[n].parent) {
        group |= (nodes_[nodes_[n].parent].right == n ? 1u : 0u) << steps;
        if (++steps < 8)
            continue;
        if (stored >= codeBuffer_.size()) {
            bits.Status().SetError(kCodeTooLongText, 0);
            return false;
        }
        codeBuffer_[stored++] = static_cast<uint8_t>(group);
        group = 0;
        steps = 0;
    }
    bits.WriteBits(group, steps);
    while (stored > 0)
        bits.WriteBits(codeBuffer_[--stored], 8);
    return !bits.Failed();
}

bool LHuffTable::Decode(int32_t& out, LBitArchive& bits) const
{
    if (root_ < 0) {
        bits.Status().SetError(kDecodingErrorText, 0);
        out = 0;
        return false;
    }
    int32_t n = root_;
    while (!nodes_[n].IsLeaf())
        n = bits.ReadBits(1) ? nodes_[n].right : nodes_[n].left;
    out = nodes_[n].key;
    return !bits.Failed();
}

bool LHuffTable::DecodeFrom(int32_t node, int32_t& out, LBitArchiveBytes& bits) const
{
    if (node < 0) {
        bits.Status().SetError(kDecodingErrorText, 0);
        out = 0;
        return false;
    }
    int32_t n = node;
    while (!nodes_[n].IsLeaf()) {
        const int32_t table = tableOf_.empty() ? -1 : tableOf_[n];
        uint32_t window = 0;
        if (table >= 0 && bits.PeekBits(lookupTables_[table].bits, window)) {
            const LookupEntry& entry = lookup_[lookupTables_[table].offset + window];
            bits.SkipBits(entry.bits);
            if (entry.leaf) {
                out = entry.target;
                return !bits.Failed();
            }
            n = entry.target;
        } else {
            n = bits.ReadBit() ? nodes_[n].right : nodes_[n].left;
        }
    }
    out = nodes_[n].key;
    return !bits.Failed();
}

bool LHuffTable::Write(LBitArchive& bits) const
{
    bits.WriteUnsignedPrefixed(static_cast<uint32_t>(used_));
    if (used_ > 0) {
        bits.WriteVersion(0, 0);
        bits.WriteSignedPrefixed(min_);
        bits.WriteBits(static_cast<uint32_t>(width_), kWidthBits);
        bits.WriteBits(static_cast<uint32_t>(int64_t(max_) - min_), width_);
        bits.WriteBits(static_cast<uint32_t>(nodeCount_), kNodeCountBits);
        std::vector<int32_t> stack;
        if (nodeCount_ > 0 && root_ >= 0)
            stack.push_back(root_);
        while (!stack.empty()) {
            const Node& node = nodes_[stack.back()];
            stack.pop_back();
            if (node.IsLeaf()) {
                bits.WriteBits(0, 1);
                bits.WriteBits(static_cast<uint32_t>(int64_t(node.key) - min_), width_);
            } else {
                bits.WriteBits(1, 1);
                stack.push_back(node.right);
                stack.push_back(node.left);
            }
        }
    }
    return !bits.Failed();
}

bool LHuffTable::Read(LBitArchive& bits)
{
    Clear();
    const int64_t used = bits.ReadUnsignedPrefixed();
    int64_t min = 0;
    int64_t max = 0;
    int32_t width = 0;
    int64_t announced = 0;
    if (used > 0) {
        bits.CheckVersion(0, 0);
        min = bits.ReadSignedPrefixed();
        width = static_cast<int32_t>(bits.ReadBits(kWidthBits));
        max = min + bits.ReadBits(width);
        announced = bits.ReadBits(kNodeCountBits);
    }
    if (bits.Failed()) {
        Clear();
        return false;
    }
    // A full tree of used leaves has 2 x used - 1 nodes, and every node takes a bit.
    const int64_t bitsLeft = bits.BitsLeft();
    if (used > 0 &&
        (max > INT32_MAX || announced > 2 * used - 1 || (bitsLeft >= 0 && announced > bitsLeft))) {
        bits.Status().SetError(kInvalidTableText, 0);
        return false;
    }
    used_ = used;
    min_ = static_cast<int32_t>(min);
    max_ = static_cast<int32_t>(max);
    width_ = width;
    if (!ReadTree(bits, announced)) {
        Clear();
        return false;
    }
    if (nodes_.empty())
        nodes_.resize(1);
    Finish();
    return true;
}

// Pre-order, without recursion: an inner node is a 1 bit followed by its left and right
// subtrees, a leaf a 0 bit followed by its symbol.
bool LHuffTable::ReadTree(LBitArchive& bits, int64_t announcedNodes)
{
    if (announcedNodes == 0)
        return true;
    struct Slot
    {
        int32_t parent;
        bool right;
    };
    std::vector<Slot> open{{-1, false}};
    try {
        nodes_.reserve(static_cast<size_t>(std::min(announcedNodes, kInitialReadNodes)));
        while (!open.empty()) {
            const Slot slot = open.back();
            open.pop_back();
            if (static_cast<int64_t>(nodes_.size()) >= announcedNodes) {
                bits.Status().SetError(kOutOfMemoryText, 0);
                return false;
            }
            const int32_t n = static_cast<int32_t>(nodes_.size());
            nodes_.push_back(Node());
            nodes_[n].parent = slot.parent;
            if (slot.parent < 0)
                root_ = n;
            else
                (slot.right ? nodes_[slot.parent].right : nodes_[slot.parent].left) = n;
            if (bits.ReadBits(1)) {
                open.push_back({n, true});
                open.push_back({n, false});
            } else {
                const int64_t key = min_ + int64_t(bits.ReadBits(width_));
                if (key > max_) {
                    bits.Status().SetError(kInvalidTableText, 0);
                    return false;
                }
                nodes_[n].key = static_cast<int32_t>(key);
            }
            if (bits.Failed())
                return false;
        }
    } catch (const std::bad_alloc&) {
        bits.Status().SetError(kOutOfMemoryText, 0);
        return false;
    }
    nodeCount_ = static_cast<int32_t>(nodes_.size());
    return true;
}
